#include "tests/host/order/order_fixture.h"

#include "external/common.h"
#include "platform/errors.h"

#include <QSqlQuery>

namespace tmk::order_test {

void OrderTest::SetUp() {
    DemoStoreTest::SetUp();
    if (HasFatalFailure() || IsSkipped()) {
        return;
    }
    conn = tillConnection(QStringLiteral("pedido-teste"));
}

void OrderTest::TearDown() {
    conn = QSqlDatabase();
    for (const QString& name : connections_) {
        QSqlDatabase::database(name, false).close();
        QSqlDatabase::removeDatabase(name);
    }
}

QSqlDatabase OrderTest::tillConnection(const QString& name) {
    QSqlDatabase db = configureConnection(database.connectionText(), name, DatabaseFile::MustExist);
    connections_ << name;
    TryConnect(db);
    SetADODBSession(db);
    return db;
}

OrderRequest OrderTest::requestFor(const QString& nrMesa) {
    const QVariantMap m{{QStringLiteral(":M"), nrMesa}};
    OrderRequest r;
    r.nrMesa = nrMesa;
    r.nrVendaRest = text(QStringLiteral("SELECT NRVENDAREST FROM VENDAREST WHERE NRMESA = :M "
                                        "AND DTHRFECHMESA IS NULL"),
                         m);
    r.nrComanda = text(QStringLiteral("SELECT CV.NRCOMANDA FROM COMANDAVEN CV, VENDAREST VR "
                                      "WHERE CV.CDFILIAL = VR.CDFILIAL AND CV.NRVENDAREST = "
                                      "VR.NRVENDAREST AND VR.NRMESA = :M AND VR.DTHRFECHMESA IS "
                                      "NULL"),
                       m);
    r.cdVendedor = text(QStringLiteral("SELECT CDVENDEDOR FROM VENDAREST WHERE NRMESA = :M AND "
                                       "DTHRFECHMESA IS NULL"),
                        m);
    r.tipoVenda = QStringLiteral("M");
    r.abreVenda = true;
    return r;
}

std::unique_ptr<OrderModel> OrderTest::orderFor(const QString& nrMesa) {
    auto model = std::make_unique<OrderModel>(conn, OrderTill::read(), requestFor(nrMesa),
                                              [] { return kWhen; });
    model->load();
    return model;
}

QStringList OrderTest::padItems(const QString& nrMesa) {
    return column(
        QStringLiteral("SELECT IT.NRPRODCOMVEN || ' ' || IT.CDPRODUTO || ' ' || "
                       "CAST(CAST(IT.QTPRODCOMVEN AS INTEGER) AS VARCHAR(10)) || ' ' || "
                       "CAST(CAST(ROUND(IT.VRPRECCOMVEN * 100) AS INTEGER) AS VARCHAR(12)) || "
                       "' ' || IT.NRLUGARMESA FROM ITCOMANDAVEN IT, VENDAREST VR WHERE "
                       "IT.CDFILIAL = VR.CDFILIAL AND IT.NRVENDAREST = VR.NRVENDAREST "
                       "AND VR.NRMESA = :M AND VR.DTHRFECHMESA IS NULL ORDER BY "
                       "IT.NRPRODCOMVEN"),
        {{QStringLiteral(":M"), nrMesa}});
}

} // namespace tmk::order_test
