#include "tests/screen/receipt_fixture.h"

#include "db/demo/demo_store.h"
#include "platform/client_dataset.h"
#include "platform/service_result.h"
#include "platform/till_folder.h"
#include "suite/sales/stored_sale.h"

#include <QAbstractButton>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QSqlQuery>

namespace tmk::test {

int ScriptedDialogs::execDialog(QDialog& dialog) {
    dialog.setResult(QDialog::Rejected);
    dialog.show();
    if (script) {
        script(dialog);
    }
    return dialog.result();
}

void ScriptedDialogs::showMessage(const QString& text, int) {
    told << text;
}

int ScriptedDialogs::askChoice(const QString& text, const QStringList&) {
    told << text;
    return escolha;
}

void RecordingCommon::showMessageBox(QMessageBox& box) {
    told << box.text();
    // TMK_PICTURES=folder: every message as the operator sees it.
    const QString pasta = qEnvironmentVariable("TMK_PICTURES");
    if (!pasta.isEmpty()) {
        box.show();
        box.grab().save(QDir(pasta).filePath(QStringLiteral("mensagem-%1.png").arg(told.size())));
        box.hide();
    }
}

QVariant HookedSales::setLimpaMesaGeral(int modo, const QString& nrVendaRest,
                                        const QString& listaComandas, const QString& nrMesa,
                                        const QString& tipo, const QString& cdFilial,
                                        const QString& cdLoja, const QString& a8,
                                        const QString& cdCaixa, const QString& nrSeqVenda,
                                        const QString& a11, bool a12) {
    if (antesDeLiquidar) {
        const QVariant antes = antesDeLiquidar();
        if (isServiceFailure(antes)) {
            return antes;
        }
    }
    return SuiteSalesService::setLimpaMesaGeral(modo, nrVendaRest, listaComandas, nrMesa, tipo,
                                                cdFilial, cdLoja, a8, cdCaixa, nrSeqVenda, a11,
                                                a12);
}

void ReceiptOnDemo::SetUp() {
    DatabaseTest::SetUp();
    if (HasFatalFailure() || IsSkipped()) {
        return;
    }
    ASSERT_TRUE(till_.isValid());
    setTillFolder(till_.path());
    clock.set(agora_);
    QSqlDatabase db = database.connection();
    createDemoDatabase(db, agora_);
    writeDemoTillFiles(till_.path(), agora_);
    dm_ = std::make_unique<TrdmGerMesa>(QStringLiteral("dm-receipt"));
    dm_->connectTo(database.connectionText());
}

void ReceiptOnDemo::TearDown() {
    tela_.reset();
    sales_.reset();
    dialogs_.reset();
    dm_.reset();
}

void ReceiptOnDemo::parametro(const QString& campo, const QVariant& valor) {
    const QString path = tillPath(QStringLiteral("PARAMETROSKOV.CDS"));
    ClientDataSet p(QStringLiteral("parametros"));
    p.loadFromFile(path);
    p.first();
    p.edit();
    p.fieldByName(campo).setValue(valor);
    p.post();
    p.saveToFile(path);
}

void ReceiptOnDemo::abre(bool realSuite) {
    real_ = realSuite;
    SuiteLibraries libs = fakes.libraries();
    if (realSuite) {
        QSqlDatabase db = database.connection();
        dialogs_ = std::make_unique<ScriptedDialogs>(db);
        dialogs_->setFiscalSaleProvider(
            [db](const QString& cdFilial, const QString& cdCaixa, const QString& nrSeqVenda) {
                QSqlDatabase connection = db;
                return storedFiscalSale(connection, cdFilial, cdCaixa, nrSeqVenda);
            });
        common_ = std::make_unique<RecordingCommon>();
        fiscal_ = std::make_unique<SimulatedFiscalDevice>();
        sales_ = std::make_unique<HookedSales>(db, QStringLiteral("001"));
        libs = {dialogs_.get(), fiscal_.get(), sales_.get(), common_.get()};
    }
    tela_ = std::make_unique<TfrmGerMesa>(
        libs, [this]() -> TrdmGerMesa& { return *dm_; }, clock);
    tela_->InicializaForm();
    tela_->FormActivate();
    if (sales_) {
        sales_->setFiscalXmlFolder(tela_->st.DirXmlFiscal);
    }
    fakes.clear();
}

void ReceiptOnDemo::recebe(const QString& nrMesa) {
    tela().evento([&] { tela().ControleMesa(nrMesa); });
}

QVariant ReceiptOnDemo::valor(const QString& sql) {
    QSqlQuery q(database.connection());
    if (!q.exec(sql) || !q.next()) {
        ADD_FAILURE() << sql.toStdString();
        return {};
    }
    return q.value(0);
}

QString ReceiptOnDemo::estado(const QString& nrMesa) {
    return valor(QStringLiteral("SELECT IDSTMESAAUX FROM MESA WHERE NRMESA = '%1'").arg(nrMesa))
        .toString();
}

QStringList ReceiptOnDemo::impressoes(const QString& contem) const {
    const QDir dir(QDir(till_.path()).filePath(QStringLiteral("Impressoes")));
    return dir.entryList({QStringLiteral("*") + contem + QStringLiteral("*")}, QDir::Files);
}

QStringList ReceiptOnDemo::mensagens() const {
    if (real_) {
        return common_->told + dialogs_->told;
    }
    return messageTexts(fakes);
}

void ReceiptOnDemo::clica(QDialog& d, const QString& nome) {
    auto* b = d.findChild<QPushButton*>(nome);
    ASSERT_NE(b, nullptr) << nome.toStdString();
    b->click();
}

void ReceiptOnDemo::pagaEmDinheiro(QDialog& d) {
    clica(d, QStringLiteral("btnTipo001"));
    clica(d, QStringLiteral("btnConcluir"));
}

} // namespace tmk::test
