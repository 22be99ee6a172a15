#include "host/order/till_language.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QLoggingCategory>
#include <QTranslator>

Q_LOGGING_CATEGORY(lcLanguage, "tmk.host.language")

namespace tmk {

QString tillLocaleFor(const QProcessEnvironment& environment) {
    QString name = environment.value(QStringLiteral("LC_ALL")).trimmed();
    if (name.isEmpty()) {
        name = environment.value(QStringLiteral("LANG")).trimmed();
    }
    // "C.UTF-8", "pt_BR.UTF-8@euro": the locale is what comes before encoding and modifier.
    name = name.section(QLatin1Char('.'), 0, 0).section(QLatin1Char('@'), 0, 0);
    if (name.isEmpty() || name == QLatin1String("C") || name == QLatin1String("POSIX")) {
        return QStringLiteral("pt_BR");
    }
    return {};
}

QString applyTillLanguage(QCoreApplication& app, const QProcessEnvironment& environment) {
    const QString chosen = tillLocaleFor(environment);
    if (!chosen.isEmpty()) {
        QLocale::setDefault(QLocale(chosen));
    }
    const QLocale locale;
    auto* qt = new QTranslator(&app);
    if (qt->load(locale, QStringLiteral("qtbase"), QStringLiteral("_"),
                 QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(qt);
    } else {
        delete qt;
        if (locale.language() != QLocale::English) {
            qCWarning(lcLanguage) << "no Qt translation installed for" << locale.name();
        }
    }
    return locale.name();
}

} // namespace tmk
