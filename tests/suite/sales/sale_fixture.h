#pragma once

#include "platform/client_dataset.h"
#include "tests/support/test_database.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QTemporaryDir>
#include <QVariantMap>
#include <gtest/gtest.h>
#include <memory>

namespace tmk::sales_test {

inline constexpr char kFilial[] = "0001";
inline constexpr char kLoja[] = "0001";
inline constexpr char kCaixa[] = "001";

// A small store for the sales service: branch 0001 "Restaurante Teste", its sales
// parameters, products with their taxes and approximate tax rates, table 0007 being
// received with one tab (000101, sale 000100000007), tables 0012 and 0013 joined with
// a tab each, and a till folder with the till's parameter file (issuer for the NFC-e).
//
// Products: 10001 Picanha 89,90 (ICMS 18%, approximate 13,45% federal and 18% state),
// 20001 Refrigerante 7,00 (ICMS substitution, 10% federal, no state rate), 10002 Salada
// 32,00 (ICMS 18%, no approximate rates) and 90003 Couvert 15,00 (ISS 5%).
class SaleStore : public test::DatabaseTest {
protected:
    void SetUp() override;

    QSqlDatabase db() const { return database.connection(); }
    DbKind kind() const { return test::TestDatabase::kind(); }

    void insert(const QString& table, const QVariantMap& row);
    // The database refuses a change (test::TestDatabase::refuse).
    void refuse(const QString& table, const QString& event, const QString& condition) {
        database.refuse(table, event, condition);
    }
    void exec(const QString& sql);
    qlonglong count(const QString& sql, const QVariantMap& binds = {});
    QVariant value(const QString& sql, const QVariantMap& binds = {});
    // The rows of a query, each a map of upper-case column names.
    QList<QVariantMap> rows(const QString& sql, const QVariantMap& binds = {});
    // How many rows each sales table holds and the till's sale counter, for "nothing
    // was written" checks.
    QString footprint();

    // The account of table 0007 as the item packet of cdsListaComanda: 2 Picanha, 3
    // Refrigerante and the cover charge (marked "CAR"), service charge 21,58.
    //   items 179,80 + 21,00 + 15,00 = 215,80; total 237,38.
    static DataPacket itens7();
    // One cancelled item of table 0007 (a Refrigerante), as cdsListaComandaCanc.
    static DataPacket cancelados7();
    // Payment lines as cdsMovCaixa: (IDTIPORECE, amount) pairs, "S" kind for change.
    struct Line {
        QString idTipoRece; // "4" cash, "1" credit, "2" debit; "S" for the change line
        double valor;
        QString nsu = {};
    };
    static DataPacket pagamentos(const QList<Line>& lines);
    // The 47 values of a conclusion of table 0007 on this till; tipoDocFiscal "N" for
    // an NFC-e till, "E" otherwise.
    QVariantList valores(const QString& tipoDocFiscal = QStringLiteral("E"),
                         const QString& listaComandas = QStringLiteral("_000101_"),
                         const QString& nrVendaRest = QStringLiteral("000100000007"),
                         const QString& nrMesa = QStringLiteral("0007")) const;

    // The 13 tables of a conclusion, owned by the fixture.
    QList<ClientDataSet*> tabelas(const DataPacket& itens, const DataPacket& pagamentos,
                                  const DataPacket& cancelados = {});

    QString tillFolder() const { return till_.path(); }
    QString fiscalFolder() const;

    const QDateTime abertura{QDate(2026, 12, 8), QTime(8, 0)};
    const QDateTime agora{QDate(2026, 12, 8), QTime(14, 5, 9)};

private:
    QTemporaryDir till_;
    std::vector<std::unique_ptr<ClientDataSet>> tables_;
};

} // namespace tmk::sales_test
