#include "platform/till_folder.h"
#include "suite/common/ini_file.h"
#include "suite/common_ui/suite_common_utility.h"

#include <QAbstractButton>
#include <QFileInfo>
#include <QHash>
#include <QLabel>
#include <QLoggingCategory>
#include <QWidget>

Q_DECLARE_LOGGING_CATEGORY(lcSuiteCommonUi)

namespace tmk {

// Captions are replaced when they equal an original of the file exactly (blanks
// around them ignored). A file that cannot be read leaves the screen as it is: the
// translation is cosmetic and must never keep the till from opening.
void SuiteCommonUtility::Trad(QObject* tela) {
    if (!tela) {
        return;
    }
    const QString path = tillPath(QStringLiteral("Dados/Traducao.ini"));
    if (!QFileInfo::exists(path)) {
        return;
    }
    QHash<QString, QString> table;
    try {
        const auto pairs = IniFile::load(path).group(QStringLiteral("Traducao"));
        for (const auto& [original, translated] : pairs) {
            table.insert(original, translated);
        }
    } catch (const std::exception& e) {
        qCWarning(lcSuiteCommonUi) << "translation file not applied:" << e.what();
        return;
    }
    if (table.isEmpty()) {
        return;
    }
    auto translate = [&table](const QString& text, auto apply) {
        const auto it = table.constFind(text.trimmed());
        if (it != table.cend()) {
            apply(*it);
        }
    };
    if (auto* window = qobject_cast<QWidget*>(tela)) {
        translate(window->windowTitle(), [window](const QString& t) { window->setWindowTitle(t); });
    }
    const auto labels = tela->findChildren<QLabel*>();
    for (QLabel* label : labels) {
        translate(label->text(), [label](const QString& t) { label->setText(t); });
    }
    const auto buttons = tela->findChildren<QAbstractButton*>();
    for (QAbstractButton* button : buttons) {
        translate(button->text(), [button](const QString& t) { button->setText(t); });
    }
}

} // namespace tmk
