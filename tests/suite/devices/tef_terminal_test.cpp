#include "platform/errors.h"
#include "suite/devices/simulated_fiscal_device.h"
#include "suite/devices/tef_terminal.h"
#include "tests/suite/devices/fiscal_samples.h"
#include "tests/suite/devices/till_folder_fixture.h"
#include "tests/suite/print_qstring.h"

#include <cmath>
#include <limits>

namespace tmk {
namespace {

using State = TefTransaction::State;

class TefTest : public devices_test::TillFolderTest {
protected:
    SimulatedTef tef{[] {
        return QDateTime(QDate(2026, 12, 8), QTime(14, 5, 9));
    }};

    QList<State> states() const {
        QList<State> out;
        for (const TefTransaction& t : tef.transacoes()) {
            out << t.situacao;
        }
        return out;
    }
};

TEST_F(TefTest, ApprovedCardIsPendingWithItsReceipts) {
    const TefResult r = tef.autorizar(150.00, TefCardKind::Credito, "visa", 3);
    ASSERT_TRUE(r.aprovada);
    const TefTransaction& t = r.transacao;
    EXPECT_EQ(t.nsu, "000001");
    EXPECT_EQ(t.autorizacao.size(), 6);
    EXPECT_EQ(t.bandeira, "VISA");
    EXPECT_EQ(t.parcelas, 3);
    EXPECT_TRUE(t.cartao.startsWith("************"));
    EXPECT_EQ(t.situacao, State::Pendente);
    for (const QString& copy : {t.viaCliente, t.viaEstabelecimento}) {
        EXPECT_TRUE(copy.contains("R$ 150,00"));
        EXPECT_TRUE(copy.contains("NSU: 000001"));
        EXPECT_TRUE(copy.contains("AUT: " + t.autorizacao));
        EXPECT_TRUE(copy.contains("CRÉDITO VISA"));
        EXPECT_TRUE(copy.contains("08/12/2026 14:05:09"));
    }
    EXPECT_TRUE(t.viaCliente.contains("VIA DO CLIENTE"));
    EXPECT_TRUE(t.viaEstabelecimento.contains("ASSINATURA DO CLIENTE"));
    EXPECT_TRUE(t.viaCliente.contains("3 PARCELAS"));
    EXPECT_TRUE(t.viaCliente.contains("ESTABELECIMENTO")) << "no till parameters here";
    ASSERT_EQ(tef.pendentes().size(), 1);
    EXPECT_EQ(tef.pendentes()[0].nsu, "000001");

    const TefResult debit = tef.autorizar(20.5, TefCardKind::Debito, "ELO", 4);
    EXPECT_EQ(debit.transacao.nsu, "000002");
    EXPECT_EQ(debit.transacao.parcelas, 1) << "debit is never in instalments";
    EXPECT_TRUE(debit.transacao.viaEstabelecimento.contains("USO DE SENHA PESSOAL"));
}

TEST_F(TefTest, MerchantOnTheReceipts) {
    devices_test::writeTillParameters();
    EXPECT_TRUE(tef.autorizar(1, TefCardKind::Credito, "VISA")
                    .transacao.viaCliente.contains("CNPJ 12.345.678/0001-95"));
    write("Dispositivos/TEF.ini", "[TEF]\nEstabelecimento=BOM SABOR\n");
    EXPECT_TRUE(
        tef.autorizar(1, TefCardKind::Credito, "VISA").transacao.viaCliente.contains("BOM SABOR"));
}

TEST_F(TefTest, DeclinedCardLeavesNothingPending) {
    write("Dispositivos/TEF.ini", "[TEF]\nResposta=NEGAR\nMotivo=SALDO INSUFICIENTE\n");
    const TefResult r = tef.autorizar(80.00, TefCardKind::Debito, "MASTERCARD");
    EXPECT_FALSE(r.aprovada);
    EXPECT_EQ(r.motivo, "SALDO INSUFICIENTE");
    EXPECT_TRUE(r.transacao.autorizacao.isEmpty());
    EXPECT_TRUE(tef.pendentes().isEmpty());
    EXPECT_EQ(states(), QList<State>{State::Negada}) << "the journal keeps the attempt";
    EXPECT_EQ(tef.confirmarPendentes(), 0);
    EXPECT_EQ(states(), QList<State>{State::Negada});
    EXPECT_TRUE(tef.paraImpressao().isEmpty());
}

TEST_F(TefTest, ConfirmAndUndoSettleEveryPendingTransaction) {
    tef.autorizar(10, TefCardKind::Credito, "VISA");
    tef.autorizar(20, TefCardKind::Debito, "ELO");
    EXPECT_EQ(tef.confirmarPendentes(), 2);
    EXPECT_EQ(states(), (QList<State>{State::Confirmada, State::Confirmada}));
    EXPECT_EQ(tef.confirmarPendentes(), 0) << "nothing left pending";

    tef.autorizar(30, TefCardKind::Credito, "VISA");
    tef.autorizar(40, TefCardKind::Credito, "AMEX");
    EXPECT_EQ(tef.desfazerPendentes(), 2);
    EXPECT_EQ(states(), (QList<State>{State::Confirmada, State::Confirmada, State::Desfeita,
                                      State::Desfeita}));
    const QList<TefTransaction> all = tef.transacoes();
    EXPECT_EQ(all[0].lote, all[1].lote);
    EXPECT_NE(all[1].lote, all[2].lote);
    EXPECT_TRUE(tef.pendentes().isEmpty());
}

TEST_F(TefTest, PendingTransactionSurvivesARestart) {
    {
        SimulatedTef before;
        ASSERT_TRUE(before.autorizar(99.90, TefCardKind::Credito, "VISA").aprovada);
    }
    SimulatedTef after; // a new process reads the same journal
    ASSERT_EQ(after.pendentes().size(), 1);
    EXPECT_DOUBLE_EQ(after.pendentes()[0].valor, 99.90);
    EXPECT_EQ(after.desfazerPendentes(), 1);
    SimulatedTef again;
    EXPECT_TRUE(again.pendentes().isEmpty());
    EXPECT_EQ(again.transacoes()[0].situacao, State::Desfeita);
    EXPECT_EQ(again.autorizar(5, TefCardKind::Debito, "ELO").transacao.nsu, "000002")
        << "NSUs go on after a restart";
}

TEST_F(TefTest, ReceiptsDueForPrinting) {
    tef.autorizar(10, TefCardKind::Credito, "VISA");
    EXPECT_EQ(tef.paraImpressao().size(), 1) << "pending";
    tef.confirmarPendentes();
    EXPECT_EQ(tef.paraImpressao().size(), 1) << "confirmed by the last finalisation";
    tef.marcarImpressas({"000001"});
    EXPECT_TRUE(tef.paraImpressao().isEmpty());
    tef.autorizar(20, TefCardKind::Credito, "VISA");
    tef.desfazerPendentes();
    EXPECT_TRUE(tef.paraImpressao().isEmpty()) << "undone transactions print nothing";
}

TEST_F(TefTest, OldSettledTransactionsMoveToTheHistory) {
    QByteArray journal = "{\"ultimoLote\": 1, \"transacoes\": [";
    for (int i = 1; i <= 501; ++i) {
        journal += QStringLiteral("%1{\"nsu\": \"%2\", \"valorCentavos\": 100, "
                                  "\"situacao\": \"CONFIRMADA\", \"lote\": 1}")
                       .arg(i == 1 ? "" : ",")
                       .arg(i, 6, 10, QLatin1Char('0'))
                       .toUtf8();
    }
    write("Dispositivos/TEF.json", journal + "]}");
    write("Dispositivos/TEF-NSU.seq", "501\n");
    tef.autorizar(10, TefCardKind::Credito, "VISA");
    EXPECT_EQ(tef.transacoes().size(), 502) << "nothing moves before a finalisation";
    tef.confirmarPendentes();
    const QList<TefTransaction> kept = tef.transacoes();
    ASSERT_EQ(kept.size(), 501);
    EXPECT_EQ(kept.first().nsu, "000002");
    EXPECT_EQ(kept.last().nsu, "000502");
    const QList<QByteArray> history = read("Dispositivos/TEF-historico.jsonl").split('\n');
    ASSERT_EQ(history.size(), 2) << "one line and the final newline";
    EXPECT_TRUE(history[0].contains("\"nsu\":\"000001\""));
}

TEST_F(TefTest, BadAmountsAreRefusedAndLeaveNoTrace) {
    for (double amount : {0.0, -5.0, 0.004, std::numeric_limits<double>::quiet_NaN(),
                          std::numeric_limits<double>::infinity(), 1e9}) {
        try {
            tef.autorizar(amount, TefCardKind::Credito, "VISA");
            ADD_FAILURE() << amount << " accepted";
        } catch (const AppError& e) {
            EXPECT_TRUE(e.message().startsWith("Valor")) << e.message().toStdString();
        }
    }
    EXPECT_THROW(tef.autorizar(10, TefCardKind::Credito, "VISA", 0), AppError);
    EXPECT_FALSE(QFileInfo::exists(SimulatedTef::journalFile()));
    EXPECT_FALSE(QFileInfo::exists(path("Dispositivos/TEF-NSU.seq")));
}

TEST_F(TefTest, FaultyFilesAreReportedAndNothingChanges) {
    write("Dispositivos/TEF.ini", "[TEF]\nResposta=TALVEZ\n");
    try {
        tef.autorizar(10, TefCardKind::Credito, "VISA");
        ADD_FAILURE() << "malformed switch accepted";
    } catch (const AppError& e) {
        EXPECT_TRUE(e.message().contains("TEF.ini")) << e.message().toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(SimulatedTef::journalFile()));

    QFile::remove(path("Dispositivos/TEF.ini"));
    write("Dispositivos/TEF.json", "{ \"transacoes\": [ {\"nsu\": ");
    for (const auto& call : std::initializer_list<std::function<void()>>{
             [this] { tef.autorizar(10, TefCardKind::Credito, "VISA"); },
             [this] { tef.confirmarPendentes(); },
             [this] {
                 tef.desfazerPendentes();
             }}) {
        try {
            call();
            ADD_FAILURE() << "damaged journal accepted";
        } catch (const AppError& e) {
            EXPECT_TRUE(e.message().contains("Diário do TEF")) << e.message().toStdString();
        }
    }
    EXPECT_EQ(read("Dispositivos/TEF.json"), "{ \"transacoes\": [ {\"nsu\": ");
}

TEST_F(TefTest, JournalThatCannotBeWrittenApprovesNothing) {
    QDir().mkpath(path("Dispositivos/TEF.json")); // a folder where the journal should be
    EXPECT_THROW(tef.autorizar(10, TefCardKind::Credito, "VISA"), AppError);
    QDir(path("Dispositivos/TEF.json")).removeRecursively();
    EXPECT_TRUE(tef.pendentes().isEmpty());
}

class TefThroughTheDevice : public TefTest {
protected:
    SimulatedFiscalDevice device{[] {
        return QDateTime(QDate(2026, 12, 8), QTime(14, 5, 9));
    }};
    static QVariantList values(const QVariant& ultTef, const QString& reduzido,
                               const QString& imprime) {
        return {ultTef, 0, QVariant(), 0, reduzido, "N", "USB003", 0, 0, 0, 2, imprime};
    }
};

TEST_F(TefThroughTheDevice, FinalizaTransTefConfirmsOrUndoes) {
    device.tef().autorizar(10, TefCardKind::Credito, "VISA");
    EXPECT_TRUE(device.FinalizaTransTef(true));
    device.tef().autorizar(20, TefCardKind::Credito, "VISA");
    EXPECT_TRUE(device.FinalizaTransTef(false));
    EXPECT_EQ(states(), (QList<State>{State::Confirmada, State::Desfeita}));
}

TEST_F(TefThroughTheDevice, ImprimeCupomTefPrintsEachTransactionOnce) {
    device.tef().autorizar(10, TefCardKind::Credito, "VISA");
    device.tef().autorizar(20, TefCardKind::Debito, "ELO");
    device.ImprimeCupomTef(values(QVariant(), "N", "S"));
    const QStringList files = devices_test::filesIn("Impressoes");
    ASSERT_EQ(files, (QStringList{"2026-12-08_14-05-09_CartaoTEF_000001.pdf",
                                  "2026-12-08_14-05-09_CartaoTEF_000002.pdf"}));
    const QString text = devices_test::pdfText(path("Impressoes/" + files[1]));
    EXPECT_TRUE(text.contains("VIA DO CLIENTE"));
    EXPECT_TRUE(text.contains("VIA DO ESTABELECIMENTO"));
    EXPECT_TRUE(text.contains("R$ 20,00"));
    EXPECT_TRUE(text.contains("NSU: 000002"));

    device.ImprimeCupomTef(values(QVariant(), "N", "S"));
    EXPECT_EQ(devices_test::filesIn("Impressoes").size(), 2) << "printed once";
    device.FinalizaTransTef(true);
    device.ImprimeCupomTef(values(QVariant(), "N", "S"));
    EXPECT_EQ(devices_test::filesIn("Impressoes").size(), 2);
}

TEST_F(TefThroughTheDevice, ReducedAndSwitchedOffPrinting) {
    device.tef().autorizar(10, TefCardKind::Credito, "VISA");
    device.ImprimeCupomTef(values(QVariant(), "N", "N"));
    EXPECT_TRUE(devices_test::filesIn("Impressoes").isEmpty()) << "printing switched off";
    device.ImprimeCupomTef(values(QVariant(), "S", "S"));
    const QStringList files = devices_test::filesIn("Impressoes");
    ASSERT_EQ(files.size(), 1);
    const QString text = devices_test::pdfText(path("Impressoes/" + files[0]));
    EXPECT_TRUE(text.contains("VIA DO CLIENTE"));
    EXPECT_FALSE(text.contains("VIA DO ESTABELECIMENTO")) << "reduced: the customer's copy only";
}

TEST_F(TefThroughTheDevice, ListedTransactionsArePrintedAgain) {
    device.tef().autorizar(10, TefCardKind::Credito, "VISA");
    device.tef().autorizar(20, TefCardKind::Credito, "VISA");
    device.FinalizaTransTef(true);
    tef.marcarImpressas({"000001", "000002"});
    DataPacket ult;
    ult.fields = {{"CDNSUTEF", FieldType::Text, 40}};
    ult.rows << QVariantList{QStringLiteral("000002")};
    device.ImprimeCupomTef(values(QVariant::fromValue(ult), "N", "S"));
    EXPECT_EQ(devices_test::filesIn("Impressoes"),
              QStringList{"2026-12-08_14-05-09_CartaoTEF_000002.pdf"});
}

} // namespace
} // namespace tmk
