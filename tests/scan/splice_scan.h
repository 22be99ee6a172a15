#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace tmk::scan {

// A place where a value is joined into a statement text or a dataset filter.
struct Finding {
    QString file;
    int line = 0;
    QString reason;
    QString code; // the offending expression, on one line
};

// Scans one C++ source text (see splice_scan.cpp for the rules).
QList<Finding> scanSource(const QString& file, const QString& text);

// An entry of the allow-list: a finding in `file` whose code contains `snippet` is let
// through until the code is mended.
struct Allowed {
    QString file;
    QString snippet;
};

// Reads the allow-list format: "file | snippet" per line; '#' starts a comment line.
QList<Allowed> parseAllowList(const QString& text);

} // namespace tmk::scan
