// A whole sale of the demo store received through the suite's libraries, as the receipt
// flow will call them: the account read by the data service, the payment dialog, the
// approximate taxes, the conclusion with its NFC-e, the app payments tied to the sale,
// the table settled, the verification, the DANFE and the card receipts.

#include "db/demo/demo_catalogue.h"
#include "db/demo/demo_store.h"
#include "external/common.h"
#include "platform/client_dataset.h"
#include "platform/errors.h"
#include "platform/service_result.h"
#include "platform/till_folder.h"
#include "service/account_lists.h"
#include "service/data_module.h"
#include "service/map_reads.h"
#include "service/state_updates.h"
#include "service/totals_benefits.h"
#include "suite/devices/simulated_fiscal_device.h"
#include "suite/devices/tef_terminal.h"
#include "suite/dialogs/suite_dialogs.h"
#include "suite/sales/stored_sale.h"
#include "suite/sales/suite_sales_service.h"
#include "tests/suite/devices/fiscal_samples.h"
#include "tests/suite/print_qstring.h"
#include "tests/support/test_database.h"

#include <QDialog>
#include <QDir>
#include <QPushButton>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace tmk {
namespace {

const QString F = QStringLiteral("0001");
const QString L = QStringLiteral("0001");
const QString C = QStringLiteral("001");

DataPacket packet(const QVariant& result) {
    EXPECT_FALSE(isServiceFailure(result)) << serviceFailureMessage(result).toStdString();
    return result.value<DataPacket>();
}

// The dialogs with the payment dialog driven by a script.
class ScriptedDialogs : public SuiteDialogs {
public:
    explicit ScriptedDialogs(QSqlDatabase db)
        : SuiteDialogs(std::move(db), nullptr) {}
    std::function<void(QDialog&)> script;
    QStringList told;

protected:
    int execDialog(QDialog& dialog) override {
        dialog.setResult(QDialog::Rejected);
        dialog.show();
        if (script) {
            script(dialog);
        }
        return dialog.result();
    }
    void showMessage(const QString& text, int) override { told << text; }
    int askChoice(const QString&, const QStringList&) override { return 1; }
};

void click(QDialog& d, const QString& name) {
    auto* b = d.findChild<QPushButton*>(name);
    ASSERT_NE(b, nullptr) << name.toStdString();
    b->click();
}

class DemoReceipt : public test::DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        if (HasFatalFailure() || IsSkipped()) {
            return;
        }
        ASSERT_TRUE(till_.isValid());
        setTillFolder(till_.path());
        QSqlDatabase db = database.connection();
        createDemoDatabase(db, now_);
        writeDemoTillFiles(till_.path(), now_);
        dm_ = std::make_unique<TrdmGerMesa>(QStringLiteral("dm-demo-receipt"));
        dm_->connectTo(database.connectionText());
        dialogs_ = std::make_unique<ScriptedDialogs>(db);
        sales_ = std::make_unique<SuiteSalesService>(db, C);
        sales_->setFiscalXmlFolder(fiscalFolder());
        parametros_.loadFromFile(tillPath(QStringLiteral("PARAMETROSKOV.CDS")));
        tipos_.loadFromFile(tillPath(QStringLiteral("Dados/Cadastros/ConfTipoRece.cds")));
    }

    QString fiscalFolder() const { return QDir(till_.path()).filePath("Dados/XML_NFCe_Sat/demo/"); }
    QString parametro(const char* name) {
        return parametros_.data().value(0, QString::fromLatin1(name)).toString();
    }
    QString tableState(const QString& mesa) {
        const DataPacket p = packet(getStatusMesa(*dm_, F, L, QStringLiteral("01")));
        for (int r = 0; r < p.rowCount(); ++r) {
            if (p.value(r, "NRMESA").toString() == mesa) {
                return p.value(r, "IDSTMESAAUX").toString();
            }
        }
        return {};
    }

    // What a receipt of a table leaves behind.
    struct Receipt {
        QString nrSeqVenda;
        QString lista;
        QVariantList retorno;
        QString danfe;
        QStringList cardReceipts;
        double total = 0;
    };

    // Receives a table whose bill was requested, paying in the dialog by the script.
    Receipt receive(const QString& mesa, const std::function<void(QDialog&)>& pay,
                    const QString& tipoDocFiscal = QStringLiteral("N")) {
        Receipt out;
        const DataPacket info = packet(getRetornaInfoMesa(*dm_, F, L, mesa));
        EXPECT_GE(info.rowCount(), 1);
        const QString nrVendaRest = info.value(0, "NRVENDAREST").toString();
        const QString nrComanda = info.value(0, "NRCOMANDA").toString();
        out.lista = QLatin1Char('_') + nrComanda + QLatin1Char('_');
        EXPECT_FALSE(isServiceFailure(setStatusMesa(*dm_, F, L, mesa, "R")));

        ClientDataSet itens(QStringLiteral("cdsListaComanda"));
        itens.setData(packet(getListaComanda(*dm_, F, out.lista, QString(), QStringLiteral("01"))));
        ClientDataSet canc(QStringLiteral("cdsListaComandaCanc"));
        canc.setData(
            packet(getListaComandaCanc(*dm_, F, out.lista, QString(), QStringLiteral("01"))));
        // The payments made in the app become the first payment lines.
        ClientDataSet mob(QStringLiteral("cdsMovCaixaMob"));
        mob.setData(packet(getMovCaixaMob(*dm_, F, out.lista)));
        ClientDataSet movCaixa(QStringLiteral("cdsMovCaixa"));
        double pagoApp = 0;
        if (!mob.isEmpty()) {
            DataPacket p;
            p.fields = {
                {"CDFILIAL", FieldType::Text, 4},       {"VRMOVIVEND", FieldType::Float, 0},
                {"IDTIPOMOVIVE", FieldType::Text, 1},   {"CDTIPORECE", FieldType::Text, 10},
                {"NMTIPORECE", FieldType::Text, 60},    {"IDTIPORECE", FieldType::Text, 1},
                {"DSMOVIVEND", FieldType::Text, 60},    {"CDNSUHOSTTEF", FieldType::Text, 40},
                {"NRAUTORIZATEF", FieldType::Text, 40}, {"CDBANCARTCR", FieldType::Text, 10}};
            for (mob.first(); !mob.eof(); mob.next()) {
                const double v = mob.fieldByName("VRMOV").asFloat();
                p.rows << QVariantList{F,
                                       v,
                                       "E",
                                       "005",
                                       "Débito Visa",
                                       "2",
                                       "PAGAMENTO MOBILE",
                                       mob.fieldByName("CDNSUTEFMOB").asString(),
                                       mob.fieldByName("NRAUTORIZATEF").asString(),
                                       mob.fieldByName("DSBANDEIRA").asString().left(10).trimmed()};
                pagoApp += v;
            }
            movCaixa.setData(p);
        }

        RecebimentoArgs args;
        args.cdsParametrosKov = &parametros_;
        args.cdsListaComanda = &itens;
        args.cdsListaComandaCanc = &canc;
        args.cdsMovCaixa = &movCaixa;
        args.cdsConfTipoRece = &tipos_;
        args.nrCupom = mesa;
        args.vrTotalPago = pagoApp;
        args.senhaCupom = QStringLiteral("17");
        args.cdCliente = itens.fieldByName("CDCLIENTE").asString();
        dialogs_->script = pay;
        dialogs_->AtivaProcesso(nullptr, "Verificando o Pagamento da Mesa... Aguarde!", 0, 0);
        const bool paid = dialogs_->Recebimento(args);
        dialogs_->DesativaProcesso();
        EXPECT_TRUE(paid) << dialogs_->told.join('\n').toStdString();
        if (!paid) {
            return out;
        }
        out.total = args.vrTotalPago;

        QVariantList tributos(3);
        sales_->CalculoIcmsDFederal(itens, 0.0, tributos);
        QString serie;
        dialogs_->getNumeroSerieNFCe(F, C, serie);
        QString emissao;
        dialogs_->getDataEmissNFCe(emissao);

        QVariantList values(47);
        values[0] = C;
        values[1] = QDateTime(now_.date(), QTime(0, 0));
        values[2] = itens.fieldByName("CDEMPRESA").asString();
        values[3] = args.nrCupom;
        values[4] = args.outValue10;
        values[5] = F;
        values[6] = out.lista;
        values[7] = info.value(0, "DSCOMANDA").toString();
        values[8] = L;
        values[9] = mesa;
        values[10] = nrVendaRest;
        values[11] = "RES";
        values[12] = args.nrNaoFiscal;
        values[13] = parametro("IDPAISINTEGRA");
        values[15] = parametro("NRSERIEIMP");
        values[16] = 0;
        values[20] = QDateTime(now_.date(), QTime(0, 0));
        values[23] = parametro("SGESTADOFILI");
        values[32] = GetOrigemVenda(*dm_, F, nrVendaRest, nrComanda).toString();
        values[34] = emissao;
        values[35] = parametro("IDAMBTRABNFCE");
        values[36] = serie;
        values[37] = args.senhaCupom;
        values[39] = tipoDocFiscal; // "N" an NFC-e till, "S" a SAT till
        values[41] = tributos[0].toDouble() + tributos[2].toDouble();
        values[43] = true;
        values[46] = args.idFiscalDialogo;
        QList<ClientDataSet*> tables(13, nullptr);
        ClientDataSet vazio;
        for (ClientDataSet*& t : tables) {
            t = &vazio;
        }
        tables[0] = &itens;
        tables[1] = &movCaixa;
        tables[2] = &canc;
        out.retorno = QVariantList(10);
        const QVariant r = sales_->setConcluiFechamento(tables, values, out.retorno);
        EXPECT_FALSE(isServiceFailure(r)) << serviceFailureMessage(r).toStdString();
        out.nrSeqVenda = r.toString();

        EXPECT_FALSE(isServiceFailure(setMovCaixaMob(*dm_, F, out.lista, C, out.nrSeqVenda)));
        EXPECT_FALSE(isServiceFailure(sales_->setLimpaMesaGeral(
            0, nrVendaRest, out.lista, mesa, "RES", F, L, "", C, out.nrSeqVenda, "", true)));
        EXPECT_EQ(getVerificaVenda(*dm_, F, C, out.nrSeqVenda).toString(), "S");

        if (tipoDocFiscal != QLatin1String("N")) {
            return out;
        }
        // The DANFE and the card receipts, then the card transactions are confirmed.
        DataPacket param;
        param.fields = {{"STDIRSAT", FieldType::Text, 255},
                        {"CHAVEACESSONFCe", FieldType::Text, 44},
                        {"SENHACUPOM", FieldType::Text, 10}};
        param.rows << QVariantList{fiscalFolder(), out.retorno.value(1).toString(),
                                   args.senhaCupom};
        QVariant printed;
        dialogs_->DisparaImpressaoNaoFiscal({false, "VENDA_NFCe", QVariant(),
                                             QVariant::fromValue(itens.data()), QVariant(),
                                             QVariant::fromValue(param), QString()},
                                            printed);
        out.danfe = printed.toList().value(1).toString();
        if (!args.idTef.isEmpty() && parametro("IDUTILTEF") == QLatin1String("T")) {
            QVariantList tef(12);
            tef[0] = QVariant::fromValue(movCaixa.data());
            tef[4] = parametro("IDIMPRCUPTEFRED");
            tef[11] = parametro("IDIMPRTEF");
            fiscal_.ImprimeCupomTef(tef);
            fiscal_.FinalizaTransTef(true);
        }
        for (const QString& f : devices_test::filesIn(QStringLiteral("Impressoes"))) {
            if (f.contains(QLatin1String("CartaoTEF"))) {
                out.cardReceipts << f;
            }
        }
        return out;
    }

    const QDateTime now_ = QDateTime::currentDateTime();
    QTemporaryDir till_;
    std::unique_ptr<TrdmGerMesa> dm_;
    std::unique_ptr<ScriptedDialogs> dialogs_;
    std::unique_ptr<SuiteSalesService> sales_;
    SimulatedFiscalDevice fiscal_;
    ClientDataSet parametros_{QStringLiteral("cdsParametrosKov")};
    ClientDataSet tipos_{QStringLiteral("cdsConfTipoRece")};
};

// Table 07: its bill was requested and the whole table was paid in the app.
TEST_F(DemoReceipt, TableSevenPaidInTheAppIsConcludedWithItsNfceAndReceipt) {
    ASSERT_EQ(tableState("0007"), "S");
    const Receipt r = receive("0007", [](QDialog& d) { click(d, "btnConcluir"); });
    ASSERT_FALSE(r.nrSeqVenda.isEmpty());

    // The NFC-e: its XML in the fiscal folder, its key, QR text and protocol handed on.
    const QString chave = r.retorno.value(1).toString();
    ASSERT_EQ(chave.size(), 44);
    EXPECT_TRUE(QFile::exists(QDir(fiscalFolder()).filePath(chave + ".xml")));
    EXPECT_EQ(r.retorno.value(3).toString().size(), 15);
    // The receipt: the DANFE holds the items and the total.
    ASSERT_TRUE(QFile::exists(r.danfe)) << r.danfe.toStdString();
    const QString text = devices_test::pdfText(r.danfe);
    EXPECT_TRUE(text.contains("RISOTO COGUMELOS")) << text.toStdString();
    EXPECT_TRUE(text.contains("EMITIDA EM AMBIENTE DE HOMOLOGAÇÃO")) << text.toStdString();
    // Items 52,50 + 45,00 + 2 x 10,50 + 2 x 14,50 + 2 x 6,00 = 159,50; service 15,95.
    EXPECT_TRUE(text.contains("175,45")) << text.toStdString();
    EXPECT_DOUBLE_EQ(r.total, 175.45);

    // The sale adds up and the table is free.
    QSqlDatabase db = database.connection();
    QSqlQuery q(db);
    ASSERT_TRUE(q.exec(QStringLiteral("SELECT VRTOTVENDA, VRTXSEVENDA, IDSITUVENDA, "
                                      "NRACESSONFCE FROM VENDA WHERE NRSEQVENDA = '%1'")
                           .arg(r.nrSeqVenda)) &&
                q.next());
    EXPECT_NEAR(q.value(0).toDouble(), 159.50, 0.001);
    EXPECT_NEAR(q.value(1).toDouble(), 15.95, 0.001);
    EXPECT_EQ(q.value(2).toString(), "O");
    EXPECT_EQ(q.value(3).toString(), chave);
    EXPECT_EQ(tableState("0007"), "D");
    // The app payment belongs to the sale now.
    EXPECT_EQ(packet(getMovCaixaMob(*dm_, F, r.lista)).rowCount(), 0);

    // Cancelling the sale releases the app payment again.
    QVariant retorno = QVariantList(10);
    QVariant resultado;
    dialogs_->AlteraVendaCan({r.nrSeqVenda, F, C, now_, "", "", "0099", "SAT"}, retorno, resultado);
    EXPECT_FALSE(resultado.isValid()) << serviceFailureMessage(resultado).toStdString();
    EXPECT_EQ(packet(getMovCaixaMob(*dm_, F, r.lista)).rowCount(), 1);
}

// Table 14: bill requested, one seat paid in the app (not part of the table's payments);
// the rest is paid by credit card through the TEF and cash with change.
TEST_F(DemoReceipt, TableFourteenIsPaidByCardAndCashWithChange) {
    ASSERT_EQ(tableState("0014"), "S");
    const Receipt r = receive("0014", [](QDialog& d) {
        for (const char* key : {"btn1", "btn0", "btn0"}) {
            click(d, key);
        }
        click(d, "btnTipo002"); // 100,00 on the Visa credit card
        for (const char* key : {"btn1", "btn0", "btn0"}) {
            click(d, key);
        }
        click(d, "btnTipo001"); // the rest in cash, with change
        click(d, "btnConcluir");
    });
    ASSERT_FALSE(r.nrSeqVenda.isEmpty());
    EXPECT_EQ(r.retorno.value(1).toString().size(), 44);
    EXPECT_EQ(r.cardReceipts.size(), 1) << "the card receipts of the Visa payment";
    EXPECT_TRUE(SimulatedTef().pendentes().isEmpty()) << "confirmed after printing";
    QSqlDatabase db = database.connection();
    QSqlQuery q(db);
    ASSERT_TRUE(q.exec(QStringLiteral("SELECT IDTIPOMOVIVE, IDTIPORECE, VRMOVIVEND, CDNSUTEF FROM "
                                      "MOVCAIXA WHERE NRSEQVENDA = '%1' ORDER BY NRSEQUMOVI")
                           .arg(r.nrSeqVenda)));
    QStringList lines;
    while (q.next()) {
        lines << QStringLiteral("%1 %2 %3 %4")
                     .arg(q.value(0).toString(), q.value(1).toString())
                     .arg(q.value(2).toDouble(), 0, 'f', 2)
                     .arg(q.value(3).toString().isEmpty() ? "-" : "nsu");
    }
    // Items 45,00 + 52,50 + 10,50 + 32,00 + 2 x 7,00 = 154,00; service 15,40: 169,40.
    EXPECT_EQ(lines, QStringList({"E 1 100.00 nsu", "E 4 100.00 -", "S 4 30.60 -"}));
    EXPECT_EQ(tableState("0014"), "D");
}

// A SAT till: the stored sale goes to the SAT and its CF-e is recorded on the sale.
TEST_F(DemoReceipt, ASatTillSendsTheStoredSaleToTheSat) {
    const Receipt r = receive(
        "0007", [](QDialog& d) { click(d, "btnConcluir"); }, "S");
    ASSERT_FALSE(r.nrSeqVenda.isEmpty());
    EXPECT_TRUE(r.retorno.value(1).toString().isEmpty()) << "no NFC-e on a SAT till";
    QSqlDatabase db = database.connection();
    dialogs_->setFiscalSaleProvider(
        [db](const QString& cdFilial, const QString& cdCaixa, const QString& nrSeqVenda) {
            QSqlDatabase connection = db;
            return storedFiscalSale(connection, cdFilial, cdCaixa, nrSeqVenda);
        });
    QStringList answer;
    ASSERT_TRUE(dialogs_->SATOnline(F, C, r.nrSeqVenda, "N",
                                    QString::fromLatin1(demo::kCodigoAtivacaoSat), fiscalFolder(),
                                    "", "", answer))
        << answer.join('\n').toStdString();
    const QString xml = answer.filter(QRegularExpression("^arqxmlnfce=")).value(0);
    const QString nCFe = xml.mid(xml.indexOf("nCFe") + 5, 6);
    EXPECT_EQ(nCFe.size(), 6);
    const QVariant updated =
        sales_->AtualizaVendaSat(F, C, r.nrSeqVenda, nCFe, QStringLiteral("qr"), answer);
    EXPECT_FALSE(isServiceFailure(updated)) << serviceFailureMessage(updated).toStdString();
    QSqlQuery q(db);
    ASSERT_TRUE(q.exec(QStringLiteral("SELECT IDSTATUSNFCE, NRNOTAFISCALCE, NRSERIESAT FROM VENDA "
                                      "WHERE NRSEQVENDA = '%1'")
                           .arg(r.nrSeqVenda)) &&
                q.next());
    EXPECT_EQ(q.value(0).toString(), "S");
    EXPECT_EQ(q.value(1).toString(), nCFe);
    EXPECT_EQ(q.value(2).toString().size(), 9);
}

} // namespace
} // namespace tmk
