#pragma once

#include "platform/till_folder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tmk::devices_test {

// Each test stands in a till folder of its own.
class TillFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        setTillFolder(dir_.path());
    }

    QString path(const QString& relative) const { return QDir(dir_.path()).filePath(relative); }

    QByteArray read(const QString& relative) const {
        QFile f(path(relative));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    void write(const QString& relative, const QByteArray& contents) const {
        QDir().mkpath(QFileInfo(path(relative)).absolutePath());
        QFile f(path(relative));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(contents);
    }

private:
    QTemporaryDir dir_;
};

} // namespace tmk::devices_test
