#include "host/order/till_language.h"

#include <QApplication>
#include <QDate>
#include <QDialogButtonBox>
#include <QLocale>
#include <QPushButton>
#include <gtest/gtest.h>

namespace tmk {

namespace {

QProcessEnvironment environment(const char* lcAll, const char* lang) {
    QProcessEnvironment env;
    if (lcAll) {
        env.insert(QStringLiteral("LC_ALL"), QString::fromLatin1(lcAll));
    }
    if (lang) {
        env.insert(QStringLiteral("LANG"), QString::fromLatin1(lang));
    }
    return env;
}

} // namespace

// A machine without a locale speaks pt_BR; a configured one is kept.
TEST(TillLanguage, ThePortugueseOfAMachineWithoutALocale) {
    const struct {
        const char* lcAll;
        const char* lang;
        const char* sets; // "" keeps the machine's
    } cases[] = {
        {nullptr, "C", "pt_BR"},      {nullptr, "POSIX", "pt_BR"},   {nullptr, nullptr, "pt_BR"},
        {nullptr, "", "pt_BR"},       {nullptr, "C.UTF-8", "pt_BR"}, {nullptr, "en_US.UTF-8", ""},
        {nullptr, "pt_BR.UTF-8", ""}, {"C", "en_US.UTF-8", "pt_BR"}, // LC_ALL decides
        {"en_US.UTF-8", "C", ""},     {"", "de_DE.UTF-8@euro", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.lcAll ? c.lcAll : "(unset)") + " / " +
                     (c.lang ? c.lang : "(unset)"));
        EXPECT_EQ(tillLocaleFor(environment(c.lcAll, c.lang)).toStdString(), std::string(c.sets));
    }
}

// Applied to the application: dates, amounts and Qt's own buttons in Portuguese.
TEST(TillLanguage, AppliedTheTillReadsAndWritesBrazilianPortuguese) {
    const QLocale before;
    const QString name = applyTillLanguage(*qApp, environment(nullptr, "C.UTF-8"));
    EXPECT_EQ(name, QStringLiteral("pt_BR"));
    const QLocale locale;
    EXPECT_EQ(locale.toString(QDate(2026, 12, 8), QLocale::ShortFormat),
              QStringLiteral("08/12/2026"));
    EXPECT_EQ(locale.toString(1234.5, 'f', 2), QStringLiteral("1.234,50"));
    QDialogButtonBox buttons(QDialogButtonBox::Yes | QDialogButtonBox::No |
                             QDialogButtonBox::Cancel);
    EXPECT_EQ(buttons.button(QDialogButtonBox::Yes)->text().remove(QLatin1Char('&')),
              QStringLiteral("Sim"));
    EXPECT_EQ(buttons.button(QDialogButtonBox::No)->text().remove(QLatin1Char('&')),
              QStringLiteral("Não"));
    EXPECT_EQ(buttons.button(QDialogButtonBox::Cancel)->text().remove(QLatin1Char('&')),
              QStringLiteral("Cancelar"));
    QLocale::setDefault(before);
}

} // namespace tmk
