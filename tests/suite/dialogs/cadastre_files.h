#pragma once

#include <QList>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tmk::dialogs_test {

struct RightRow {
    QString operador;
    int acesso;
    QString permite;
};

struct OperatorRow {
    QString operador;
    QString nome;
    QString senhaClara; // enciphered with key 7 when written; empty: no password
    QString supervisor;
};

// A till folder of its own for each test, and writes its cadastre files.
class CadastreTest : public ::testing::Test {
protected:
    void SetUp() override;

    QString path(const QString& relative) const;
    void writeRights(const QList<RightRow>& rows) const;
    void writeOperators(const QList<OperatorRow>& rows) const;
    void writeText(const QString& relative, const QByteArray& contents) const;

    static QString rightsPath();
    static QString operatorsPath();

private:
    QTemporaryDir dir_;
};

} // namespace tmk::dialogs_test
