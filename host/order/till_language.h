#pragma once

#include <QProcessEnvironment>
#include <QString>

class QCoreApplication;

namespace tmk {

// The language the till speaks. A machine whose locale is configured is respected; one left
// without a locale (nothing set, "C" or "POSIX", with or without an encoding) speaks
// Brazilian Portuguese: dates "08/12/2026 14:05:09", amounts "1.234,50".
//
// The locale the till must set for an environment: "pt_BR", or empty to keep the
// machine's own. LC_ALL decides when set, then LANG.
QString tillLocaleFor(const QProcessEnvironment& environment);

// Applies it to the application: the default locale, and Qt's own texts (dialog buttons)
// translated to that locale where a translation is installed. Returns the locale's name.
QString applyTillLanguage(QCoreApplication& app, const QProcessEnvironment& environment =
                                                     QProcessEnvironment::systemEnvironment());

} // namespace tmk
