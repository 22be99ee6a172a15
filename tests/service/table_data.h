#pragma once

#include "tests/service/service_fixture.h"

#include <QDateTime>
#include <QStringList>
#include <QVariantMap>
#include <ostream>

namespace tmk::test {

// A service fixture with builders for the rows of the table map: store, tables,
// screen buttons, sales, tabs, items and join groups. Every builder takes the few
// columns a case is about; `extra` adds or overrides columns.
class TableData : public ServiceFixture {
protected:
    static const QString F;    // branch
    static const QString L;    // store
    static const QString CONF; // screen configuration

    // A moment of the past, apart from the server's clock.
    static QDateTime at(int hour, int minute, int second = 0, int msec = 0);

    void loja(const QVariant& nrMesaPadrao = {}, const QString& cdLoja = L);
    void mesa(const QString& nrMesa, const QString& status = QStringLiteral("D"),
              const QVariantMap& extra = {});
    void conftela(const QString& nrConfTela = CONF, const QString& cdLoja = L);
    void area(const QString& nrButton, const QString& dsButton, const QVariantMap& extra = {});
    void botaoMesa(const QString& nrButton, const QString& nrMesa, const QString& area,
                   int pagina = 1, const QVariantMap& extra = {});
    void vendedor(const QString& cdVendedor, const QString& nmFanVen);
    // An open sale unless `fechada` is a valid moment.
    void venda(const QString& nrVendaRest, const QString& nrMesa, const QDateTime& abertura,
               const QDateTime& fechada = {}, const QVariantMap& extra = {});
    void comanda(const QString& nrVendaRest, const QString& nrComanda, const QString& dsComanda,
                 const QString& status = QStringLiteral("1"), const QVariantMap& extra = {});
    void item(const QString& nrVendaRest, const QString& nrComanda, const QString& nrProdComVen,
              const QVariantMap& extra = {});
    void juncao(const QString& nrJunMesa, const QStringList& mesas);

    // Removes a table of the schema, so that the statements on it fail.
    void dropTable(const QString& table);

    // The server's current date-time, read on the module's own session.
    QDateTime serverNow();
    // A column of one row as text ("" for null).
    QString text(const QString& select, const QVariantMap& binds = {});
};

// The column names of a packet, as it carries them.
QStringList columnsOf(const DataPacket& packet);
// One column of every row, as text.
QStringList columnValues(const DataPacket& packet, const QString& column);

} // namespace tmk::test

// Readable values in failure messages.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QDateTime& moment, std::ostream* out) {
    *out << moment.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz")).toStdString();
}
