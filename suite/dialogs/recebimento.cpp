// Recebimento: the payment dialog of a coupon, with the fiscal printer's coupon on tills
// that have one.

#include "external/common.h"
#include "platform/client_dataset.h"
#include "platform/errors.h"
#include "suite/devices/document_counter.h"
#include "suite/devices/fiscal_amounts.h"
#include "suite/devices/fiscal_issuer.h"
#include "suite/devices/fiscal_printer.h"
#include "suite/devices/sale_packets.h"
#include "suite/dialogs/dialogs_log.h"
#include "suite/dialogs/payment_dialog.h"
#include "suite/dialogs/payment_model.h"
#include "suite/dialogs/suite_dialogs.h"

#include <QMessageBox>
#include <QPushButton>
#include <memory>

namespace tmk {

namespace {

DataPacket dataOf(const ClientDataSet* cds) {
    return cds && cds->fieldCount() > 0 ? cds->data() : DataPacket();
}

QVariant parameter(const ClientDataSet* parametros, const char* column) {
    return dataOf(parametros).value(0, QString::fromLatin1(column));
}

// The coupon as the fiscal printer prints it: the account's lines and the payments.
FiscalSale couponSale(const PaymentModel& model, const QString& mesa, const QString& nome) {
    const FiscalSale pagamentos = fiscalSaleFromPackets({}, model.pagamentosPacket());
    FiscalSale s;
    s.itens = model.conta().itens;
    s.taxaServico = fromCents(model.conta().amounts.taxaServico);
    s.pagamentos = pagamentos.pagamentos;
    s.troco = fromCents(model.troco());
    s.mesa = mesa;
    s.emitente = readTillIssuer();
    s.emitente.nome = nome;
    return s;
}

} // namespace

std::unique_ptr<QMessageBox>
SuiteDialogs::buildChoiceBox(const QString& text, const QStringList& answers, QWidget* parent) {
    auto box = std::make_unique<QMessageBox>(QMessageBox::Question, QStringLiteral("Recebimento"),
                                             text, QMessageBox::NoButton, parent);
    box->setObjectName(QStringLiteral("boxPergunta"));
    QFont f = box->font();
    f.setPointSize(14);
    box->setFont(f);
    for (int i = 0; i < answers.size(); ++i) {
        QPushButton* b = box->addButton(answers.at(i), QMessageBox::ActionRole);
        b->setObjectName(QStringLiteral("btnResposta%1").arg(i));
        b->setMinimumSize(110, 56);
        QFont bf = b->font();
        bf.setPointSize(14);
        bf.setBold(true);
        b->setFont(bf);
        // Esc answers with the last choice (going back, where there is one).
        box->setEscapeButton(b);
    }
    return box;
}

int SuiteDialogs::askChoice(const QString& text, const QStringList& answers) {
    const auto box = buildChoiceBox(text, answers, dialogParent());
    box->exec();
    const QAbstractButton* clicked = box->clickedButton();
    for (int i = 0; clicked && i < answers.size(); ++i) {
        if (clicked->objectName() == QStringLiteral("btnResposta%1").arg(i)) {
            return i;
        }
    }
    return -1;
}

void SuiteDialogs::setTefTerminal(std::shared_ptr<TefTerminal> tef) {
    tef_ = std::move(tef);
}

bool SuiteDialogs::Recebimento(RecebimentoArgs& args) {
    if (!args.cdsListaComanda || !args.cdsMovCaixa) {
        throw AppError(QStringLiteral("Recebimento sem os itens ou sem a tabela de pagamentos."));
    }
    PaymentModel::Setup setup;
    setup.itens = dataOf(args.cdsListaComanda);
    setup.tiposRecebimento = dataOf(args.cdsConfTipoRece);
    setup.pagamentos = dataOf(args.cdsMovCaixa);
    setup.cdCliente = args.cdCliente.trimmed();
    setup.cdConsumidor = args.cdConsumidor.trimmed();
    const bool usaTef =
        parameter(args.cdsParametrosKov, "IDUTILTEF").toString().trimmed() != QLatin1String("N");
    const bool impressoraFiscal = parameter(args.cdsParametrosKov, "UTILIZAIMPFIS").toBool();

    PaymentModel model(setup, usaTef ? tef_.get() : nullptr);
    if (toCents(args.vrTotalPago) != model.pagoAplicativo()) {
        qCWarning(lcSuiteDialogs).noquote()
            << "app payments on entry" << args.vrTotalPago << "differ from their rows"
            << fromCents(model.pagoAplicativo()) << "; the rows are taken";
    }
    const QString mesa = args.nrCupom.trimmed();
    QString nrNaoFiscal;
    QString coo;
    const auto finish = [&] {
        if (nrNaoFiscal.isEmpty()) {
            DocumentCounter counter(QStringLiteral("NaoFiscal"), 999999);
            nrNaoFiscal = QStringLiteral("%1").arg(counter.next(), 6, 10, QLatin1Char('0'));
        }
        if (!impressoraFiscal) {
            return;
        }
        const QString cdFilial = setup.itens.value(0, QStringLiteral("CDFILIAL")).toString();
        const FiscalSale sale = couponSale(model, mesa, nomeFilial(cdFilial));
        SimulatedFiscalPrinter printer;
        const QString numero = printer.abrirCupom();
        try {
            printer.fecharCupom(sale);
        } catch (const AppError& e) {
            printer.cancelarCupom();
            throw AppError(QStringLiteral("O cupom fiscal %1 não foi impresso e foi cancelado: %2")
                               .arg(numero, e.message()));
        }
        coo = numero;
    };
    const QString balcao =
        mesa.isEmpty() ? QString()
                       : mesaBalcao(setup.itens.value(0, QStringLiteral("CDFILIAL")).toString(),
                                    setup.itens.value(0, QStringLiteral("CDLOJA")).toString());
    PaymentDialog dialog(
        model,
        {mesa, args.senhaCupom.trimmed(), args.txProgressoCupom,
         !balcao.isEmpty() && RemoveZerosEsqStr(balcao) == RemoveZerosEsqStr(mesa)},
        [this](const QString& text, int tipo) { showMessage(text, tipo); },
        [this](const QString& text, const QStringList& answers) {
            return askChoice(text, answers);
        },
        finish, dialogParent());
    if (execDialog(dialog) != QDialog::Accepted) {
        // Whatever closed it, no card transaction of this dialog stays pending.
        if (model.usouCartao()) {
            model.abandonar();
        }
        args.cancelarVenda = dialog.cancelarVenda();
        qCInfo(lcSuiteDialogs).noquote()
            << "receipt of table" << mesa << "abandoned; cancel the sale:" << args.cancelarVenda;
        return false;
    }
    model.preencher(*args.cdsMovCaixa);
    args.vrTotalPago = fromCents(model.pago());
    args.idTef = model.usouCartao() ? QStringLiteral("S") : QString();
    args.nrNaoFiscal = nrNaoFiscal;
    args.cancelarVenda = false;
    if (!coo.isEmpty()) {
        args.nrCupom = coo;
        args.outValue10 = coo;
    }
    qCInfo(lcSuiteDialogs).noquote()
        << "table" << mesa << "paid:" << reais(model.pago()) << "change" << reais(model.troco());
    return true;
}

} // namespace tmk
