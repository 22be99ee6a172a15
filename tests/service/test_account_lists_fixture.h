#pragma once

#include "tests/service/service_fixture.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariantMap>

namespace tmk::test {

// A store with one open sale (kVenda) of table 0010 and its tab 0001, products with a
// tax rate, a screen configuration, and functions that add tabs, items and buttons.
class AccountListsFixture : public ServiceFixture {
protected:
    static inline const QString kFilial = QStringLiteral("0001");
    static inline const QString kVenda = QStringLiteral("00010000001");
    static inline const QString kConfTela = QStringLiteral("0001");
    static inline const QDateTime kAbertura = QDateTime(QDate(2024, 3, 15), QTime(11, 30));

    void SetUp() override;

    // A product; without a tax rate when taxed is false.
    void product(const QString& cdProduto, const QString& nome, const QString& nomeFiscal = {},
                 bool taxed = true);
    // A product button of the screen configuration with a nature (QVariant() for none).
    void button(const QString& cdProduto, const QVariant& nature,
                const QString& tipo = QStringLiteral("1"), const QString& nrButton = {});
    void sale(const QString& nrVendaRest, const QVariantMap& extra = {});
    void tab(const QString& nrComanda, const QVariantMap& extra = {},
             const QString& nrVendaRest = kVenda);
    // A live item of tab 0001 of the sale; extra replaces or adds columns.
    void item(const QString& nrProdComVen, const QString& cdProduto, double quantidade,
              double preco, const QVariantMap& extra = {});

    DataPacket lista(const QString& tabs = QStringLiteral("_0001_"), const QString& nature = {});
    DataPacket canceladas(const QString& tabs = QStringLiteral("_0001_"),
                          const QString& nature = {});

    // Runs a statement that cannot be prepared (DROP TABLE) on the fixture's connection.
    void ddl(const QString& text);

    // One column of every row, as texts.
    static QStringList column(const DataPacket& p, const QString& name);
    // The packet's column names in upper case.
    static QStringList names(const DataPacket& p);
};

} // namespace tmk::test
