#pragma once

#include <QString>
#include <QStringList>
#include <functional>

namespace tmk::reliability {

// The command line every harness takes:
//   --connection=TEXT   an empty database (an SQLite file not made yet, or a PostgreSQL
//                       database without tables)
//   --work=FOLDER       where the till folders and the tills' logs go (made when missing)
//   --trials=N          trials, cycles or rounds (each harness has its own default)
//   --till=PROGRAM      the till process (reliability_till beside the harness by default)
//   --table=FILE        the figures' row appended to this file too
//   --stop=COMMAND, --start=COMMAND   how the database server is stopped and started
//                       (outage harness); "{modo}" in the stop command alternates "fast"
//                       and "immediate"
//   --points=a,b        failpoints (kill harness)
struct HarnessOptions {
    QString connection;
    QString work;
    int trials = 0;
    QString till;
    QString table;
    QString stop;
    QString start;
    QStringList points;
};

// AppError in Portuguese for an unknown option or a missing one.
HarnessOptions harnessOptions(const QStringList& args, int defaultTrials);

// Prints the header and the row, and appends them to the table file (header once).
void report(const HarnessOptions& o, const QString& header, const QStringList& rows);

// A harness's main: the application, the options and the exit code (1 and the message on
// the error output when it throws).
int harnessMain(int argc, char** argv, int defaultTrials,
                const std::function<int(const HarnessOptions&)>& harness);

} // namespace tmk::reliability
