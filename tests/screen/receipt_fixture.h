#pragma once

#include "platform/clock.h"
#include "screen/ger_mesa.h"
#include "service/data_module.h"
#include "suite/common_ui/suite_common_utility.h"
#include "suite/devices/simulated_fiscal_device.h"
#include "suite/dialogs/suite_dialogs.h"
#include "suite/sales/suite_sales_service.h"
#include "tests/fakes/fake_suite.h"
#include "tests/screen/screen_fixture.h"
#include "tests/support/test_database.h"

#include <QDialog>
#include <QTemporaryDir>
#include <functional>
#include <memory>

namespace tmk::test {

// The dialog library with its dialogs driven by a script and its messages recorded.
class ScriptedDialogs : public SuiteDialogs {
public:
    explicit ScriptedDialogs(QSqlDatabase db)
        : SuiteDialogs(std::move(db), nullptr) {}
    // Plays the payment dialog; nothing set leaves it cancelled.
    std::function<void(QDialog&)> script;
    // The answer to a question with choices (Sim, Não, Voltar).
    int escolha = 1;
    QStringList told;

protected:
    int execDialog(QDialog& dialog) override;
    void showMessage(const QString& text, int tipo) override;
    int askChoice(const QString& text, const QStringList& answers) override;
};

// The common utility library with its message boxes recorded and unanswered (no).
class RecordingCommon : public SuiteCommonUtility {
public:
    QStringList told;

protected:
    void showMessageBox(QMessageBox& box) override;
};

// The suite's sales service with a hook run before the table is settled: a failure it
// returns is the settlement's answer (nothing settled); an invalid value lets it go on.
class HookedSales : public SuiteSalesService {
public:
    using SuiteSalesService::SuiteSalesService;
    std::function<QVariant()> antesDeLiquidar;

    QVariant setLimpaMesaGeral(int modo, const QString& nrVendaRest, const QString& listaComandas,
                               const QString& nrMesa, const QString& tipo, const QString& cdFilial,
                               const QString& cdLoja, const QString& a8, const QString& cdCaixa,
                               const QString& nrSeqVenda, const QString& a11, bool a12) override;
};

// The demo store on a fresh database of the kind under test, its till folder, and the
// screen opened on it. realSuite: the suite's own stand-ins (dialogs, sales service,
// simulated devices); otherwise recording fakes.
class ReceiptOnDemo : public DatabaseTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Opens the screen with the suite chosen (after changes to the till's files).
    void abre(bool realSuite);
    TfrmGerMesa& tela() { return *tela_; }
    // A touch on a table, as the map dispatches it.
    void recebe(const QString& nrMesa);

    QString estado(const QString& nrMesa);
    QVariant valor(const QString& sql);
    int contagem(const QString& sql) { return valor(sql).toInt(); }
    // Printouts in the till's print folder whose name holds the text.
    QStringList impressoes(const QString& contem) const;
    // Every message the operator saw, in order.
    QStringList mensagens() const;
    // Answers the payment dialog of the real suite: amounts typed and types taken.
    static void clica(QDialog& d, const QString& nome);
    static void pagaEmDinheiro(QDialog& d);
    // A parameter of the till's file changed before the screen opens.
    void parametro(const QString& campo, const QVariant& valor);

    QDateTime agora_ = QDateTime::currentDateTime();
    WaitingClock clock{QDateTime::currentDateTime()};
    QTemporaryDir till_;
    std::unique_ptr<TrdmGerMesa> dm_;
    FakeSuite fakes;
    std::unique_ptr<ScriptedDialogs> dialogs_;
    std::unique_ptr<RecordingCommon> common_;
    std::unique_ptr<SimulatedFiscalDevice> fiscal_;
    std::unique_ptr<HookedSales> sales_;
    std::unique_ptr<TfrmGerMesa> tela_;
    bool real_ = false;
};

} // namespace tmk::test
