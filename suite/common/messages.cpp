#include "external/common.h"
#include "suite/common/common_log.h"
#include "suite/common/common_resources.h"

namespace tmk {

TMessages::TMessages(const QStringList& lines) {
    setLines(lines);
}

// A line is "KEY|text": the key is trimmed, the text kept exactly (trailing blanks
// included); lines without a key are ignored. A repeated key keeps its first text.
void TMessages::setLines(const QStringList& lines) {
    keys_.clear();
    texts_.clear();
    entries_.clear();
    for (QString line : lines) {
        if (line.endsWith(QLatin1Char('\r'))) {
            line.chop(1);
        }
        const int bar = line.indexOf(QLatin1Char('|'));
        if (bar < 0) {
            if (!line.trimmed().isEmpty()) {
                qCWarning(lcSuiteCommon) << "message line without a key ignored:" << line;
            }
            continue;
        }
        const QString key = line.left(bar).trimmed();
        if (key.isEmpty()) {
            qCWarning(lcSuiteCommon) << "message line without a key ignored:" << line;
            continue;
        }
        const QString text = line.mid(bar + 1);
        entries_.append({key, text});
        const QString upper = key.toUpper();
        if (!texts_.contains(upper)) {
            texts_.insert(upper, text);
            keys_.append(key);
        }
    }
}

QString TMessages::Msg(const QString& key) const {
    const auto it = texts_.constFind(key.trimmed().toUpper());
    if (it == texts_.cend()) {
        qCWarning(lcSuiteCommon) << "unknown message key" << key;
        return {};
    }
    return *it;
}

bool TMessages::contains(const QString& key) const {
    return texts_.contains(key.trimmed().toUpper());
}

QStringList TMessages::keys() const {
    return keys_;
}

const TMessages& msgPadrao() {
    static const TMessages catalogue = [] {
        try {
            return TMessages(
                commonResourceText(QStringLiteral("msgpadrao.txt")).split(QLatin1Char('\n')));
        } catch (const std::exception& e) {
            qCCritical(lcSuiteCommon) << "message catalogue not available:" << e.what();
            return TMessages();
        }
    }();
    return catalogue;
}

} // namespace tmk
