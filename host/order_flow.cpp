#include "host/order_flow.h"

#include "external/common.h"
#include "host/order/order_model.h"
#include "host/order/order_screen.h"
#include "host/table_module.h"
#include "platform/errors.h"

#include <QApplication>
#include <QMessageBox>
#include <QSqlDatabase>

namespace tmk {

namespace {

const QString kConexao = QStringLiteral("pedido");

void avisa(const QString& texto) {
    QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), texto, QMessageBox::Ok);
    box.setObjectName(QStringLiteral("msgPedido"));
    box.exec();
}

// The order screen's own connection to the till's database, opened once and reopened when
// it was lost.
QSqlDatabase conexao() {
    if (QSqlDatabase::contains(kConexao)) {
        QSqlDatabase db = QSqlDatabase::database(kConexao, false);
        if (!db.isOpen()) {
            TryConnect(db);
            SetADODBSession(db);
        }
        return db;
    }
    QSqlDatabase db =
        openConnection(_GetStringConexKov(QString()), kConexao, DatabaseFile::MustExist);
    SetADODBSession(db);
    return db;
}

} // namespace

void abrePedido(TableModule& modulo, const QVariantList& resultado) {
    try {
        OrderModel model(conexao(), OrderTill::read(), OrderRequest::fromResult(resultado));
        model.load();
        OrderScreen tela(model);
        tela.setCounterReceiver(
            [&](const QString& nrMesa) { return modulo.recebeVendaBalcao(nrMesa); });
        tela.run();
        const QString falha =
            model.leave([&](const QString& cdFilial, const QString& cdLoja, const QString& nrMesa) {
                return modulo.setUltMesaAber(cdFilial, cdLoja, nrMesa);
            });
        if (!falha.isEmpty()) {
            avisa(falha);
        }
    } catch (const std::exception& e) {
        avisa(exceptionText(e));
    }
}

} // namespace tmk
