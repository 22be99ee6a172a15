#include "suite/common/change_notice.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace tmk {

namespace {

// A text member, or an empty text for a missing or null one; false for any other type.
bool textMember(const QJsonObject& object, const QString& key, QString& out) {
    const QJsonValue v = object.value(key);
    if (v.isUndefined() || v.isNull()) {
        out.clear();
        return true;
    }
    if (!v.isString()) {
        return false;
    }
    out = v.toString();
    return true;
}

} // namespace

std::optional<ChangeNotice> ChangeNotice::parse(const QString& payload) {
    if (payload.size() > kMaxPayload) {
        return std::nullopt;
    }
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(payload.toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !document.isObject()) {
        return std::nullopt;
    }
    const QJsonObject object = document.object();
    ChangeNotice notice;
    if (!textMember(object, keyFilial(), notice.filial) ||
        !textMember(object, keyLoja(), notice.loja) ||
        !textMember(object, keyTabela(), notice.tabela) ||
        !textMember(object, keyMesa(), notice.mesa)) {
        return std::nullopt;
    }
    if (notice.filial.isEmpty()) {
        return std::nullopt;
    }
    return notice;
}

QString ChangeNotice::payload() const {
    QJsonObject object;
    object.insert(keyFilial(), filial);
    object.insert(keyLoja(), loja.isEmpty() ? QJsonValue() : QJsonValue(loja));
    object.insert(keyTabela(), tabela);
    object.insert(keyMesa(), mesa.isEmpty() ? QJsonValue() : QJsonValue(mesa));
    return QString::fromUtf8(QJsonDocument(object).toJson(QJsonDocument::Compact));
}

bool ChangeNotice::concerns(const QString& cdFilial, const QString& cdLoja) const {
    return filial == cdFilial && (loja.isEmpty() || loja == cdLoja);
}

} // namespace tmk
