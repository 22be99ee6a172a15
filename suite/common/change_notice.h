#pragma once

#include <QString>
#include <optional>

namespace tmk {

// A notice that another till changed what the table map shows: the branch and store it
// concerns, the schema table that changed and, when the change touched one table of the
// store, its number. The server carries it on one channel as a JSON object
// {"filial": "0001", "loja": "0001", "tabela": "MESA", "mesa": "0012"}; a notice
// without a store (a row whose store could not be found) concerns every store of the
// branch, one without a table number any table.
struct ChangeNotice {
    QString filial;
    QString loja;
    QString tabela;
    QString mesa;

    // The one channel every notice travels on, in lower case (drivers quote the name).
    static QString channel() { return QStringLiteral("tmk_mudancas"); }
    // The keys of the JSON object, for the statements that build it.
    static QString keyFilial() { return QStringLiteral("filial"); }
    static QString keyLoja() { return QStringLiteral("loja"); }
    static QString keyTabela() { return QStringLiteral("tabela"); }
    static QString keyMesa() { return QStringLiteral("mesa"); }
    // Notices are small; anything longer than this is refused unread.
    static constexpr int kMaxPayload = 1000;

    // The notice a payload carries; nothing for a payload that is not such an object (not
    // JSON, not an object, a branch that is missing or empty, a value that is not a text).
    static std::optional<ChangeNotice> parse(const QString& payload);
    // The JSON text of the notice (the form the server sends).
    QString payload() const;
    // True when the map of a till of this branch and store must follow the notice.
    bool concerns(const QString& cdFilial, const QString& cdLoja) const;
};

} // namespace tmk
