// A till that stopped in the middle of a receipt (killed, power cut) and the tills around
// it: the same till, started again, finishes its own table without storing or documenting
// the sale twice; another till is told which till holds the table. A fiscal folder that
// cannot be written loses nothing and strands nothing.
#include "platform/service_result.h"
#include "service/state_updates.h"
#include "suite/devices/tef_terminal.h"
#include "tests/screen/receipt_fixture.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <gtest/gtest.h>

namespace tmk::test {
namespace {

const QString kMesa = QStringLiteral("0009");

class ReceiptRestart : public ReceiptOnDemo {
protected:
    // A new screen on a new connection, as the till's program started again.
    void reinicia() {
        tela_.reset();
        sales_.reset();
        dialogs_.reset();
        dm_ = std::make_unique<TrdmGerMesa>(QStringLiteral("dm-reiniciado-%1").arg(++inicios_));
        dm_->connectTo(database.connectionText());
        abre(true);
    }
    int vendas() {
        return contagem(QStringLiteral("SELECT COUNT(*) FROM VENDA WHERE NRMESA = '%1' AND "
                                       "IDSITUVENDA = 'O'")
                            .arg(kMesa));
    }
    // NFC-e documents in the till's fiscal folder.
    int documentos() const {
        return int(
            QDir(tela_->st.DirXmlFiscal).entryList({QStringLiteral("*.xml")}, QDir::Files).size());
    }
    int itensAbertos() {
        return contagem(QStringLiteral("SELECT COUNT(*) FROM ITCOMANDAVEN I, VENDAREST V WHERE "
                                       "I.CDFILIAL = V.CDFILIAL AND I.NRVENDAREST = V.NRVENDAREST "
                                       "AND V.NRMESA = '%1' AND I.NRSEQVENDA IS NULL AND "
                                       "I.IDSTPRCOMVEN NOT IN ('6', '7')")
                            .arg(kMesa));
    }
    QString caixaDoRecebimento() {
        return valor(QStringLiteral("SELECT CDCAIXARECEB FROM MESA WHERE NRMESA = '%1'").arg(kMesa))
            .toString()
            .trimmed();
    }
    // The table claimed by a till, as setRecebeMesa leaves it.
    void reclama(const QString& caixa) {
        const QVariant r = setRecebeMesa(*dm_, "0001", "0001", kMesa, caixa);
        ASSERT_FALSE(isServiceFailure(r)) << serviceFailureMessage(r).toStdString();
        ASSERT_TRUE(r.toBool());
    }
    // The sale stored and documented, the table not settled: the settlement refused and
    // not retried, so the table goes back to bill requested with the sale stored.
    void gravaVendaSemLiquidar() {
        abre(true);
        sales_->antesDeLiquidar = [] {
            return serviceFailure(QStringLiteral("A conexão com o banco de dados caiu."));
        };
        dialogs_->script = pagaEmDinheiro;
        recebe(kMesa);
        ASSERT_EQ(vendas(), 1) << mensagens().join('\n').toStdString();
        ASSERT_EQ(documentos(), 1);
        ASSERT_EQ(estado(kMesa), "S");
        ASSERT_GT(itensAbertos(), 0);
    }

    int inicios_ = 0;
};

struct Parada {
    const char* nome;
    bool vendaGravada; // the sale was stored (with its NFC-e) before the stop
    bool reclamada;    // the table was left "R" under this till's claim
};

class OwnTableRestart : public ReceiptRestart, public ::testing::WithParamInterface<Parada> {};

// What the till left when it stopped, and what its restarted screen does with the table:
// a claim alone is received as usual; a stored sale is finished as stored, without the
// payment dialog, and never stored nor documented twice. A card transaction the stopped
// receipt left pending is confirmed with its stored sale, and undone otherwise.
TEST_P(OwnTableRestart, TheSameTillStartedAgainFinishesItsOwnTable) {
    const Parada& c = GetParam();
    if (c.vendaGravada) {
        gravaVendaSemLiquidar();
    }
    if (c.reclamada) {
        reclama(QStringLiteral("001"));
        ASSERT_EQ(estado(kMesa), "R");
    }
    const TefResult cartao =
        SimulatedTef().autorizar(25.0, TefCardKind::Credito, QStringLiteral("VISA"));
    ASSERT_TRUE(cartao.aprovada);
    reinicia();
    bool dialogo = false;
    dialogs_->script = [&](QDialog& d) {
        dialogo = true;
        pagaEmDinheiro(d);
    };
    recebe(kMesa);
    EXPECT_EQ(estado(kMesa), "D") << mensagens().join('\n').toStdString();
    EXPECT_EQ(vendas(), 1) << "one sale";
    EXPECT_EQ(documentos(), 1) << "one NFC-e";
    EXPECT_EQ(itensAbertos(), 0) << "every item settled by the sale";
    EXPECT_EQ(dialogo, !c.vendaGravada) << "a stored sale is not charged again";
    EXPECT_EQ(mensagens().filter(QStringLiteral("já estava gravada")).size(),
              c.vendaGravada ? 1 : 0)
        << mensagens().join('\n').toStdString();
    EXPECT_FALSE(impressoes(QStringLiteral("NFCe")).isEmpty()) << "the DANFE printed";
    EXPECT_TRUE(SimulatedTef().pendentes().isEmpty());
    for (const TefTransaction& t : SimulatedTef().transacoes()) {
        if (t.nsu == cartao.transacao.nsu) {
            EXPECT_EQ(t.situacao, c.vendaGravada ? TefTransaction::State::Confirmada
                                                 : TefTransaction::State::Desfeita);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Paradas, OwnTableRestart,
                         ::testing::Values(Parada{"AfterTheClaim", false, true},
                                           Parada{"AfterTheSaleAndItsDocument", true, true},
                                           // The settlement refused and not retried: the table
                                           // handed back with the sale stored.
                                           Parada{"SettlementRefused", true, false}),
                         [](const ::testing::TestParamInfo<Parada>& i) {
                             return std::string(i.param.nome);
                         });

// A table another till claimed stays with it: the operator is told which till holds it and
// since when, and nothing is written; a claim recorded without a till keeps the old notice.
TEST_F(ReceiptRestart, AnotherTillIsToldWhichTillHoldsTheTable) {
    reclama(QStringLiteral("002"));
    abre(true);
    bool dialogo = false;
    dialogs_->script = [&](QDialog&) {
        dialogo = true;
    };
    recebe(kMesa);
    ASSERT_FALSE(mensagens().isEmpty());
    const QString aviso = mensagens().last();
    EXPECT_TRUE(aviso.startsWith(QStringLiteral(
        "Operação bloqueada. A mesa 0009 está sendo recebida pelo caixa 002 desde ")))
        << aviso.toStdString();
    EXPECT_TRUE(aviso.contains(QDate::currentDate().toString(QStringLiteral("dd/MM/yyyy"))))
        << aviso.toStdString();
    EXPECT_FALSE(dialogo);
    EXPECT_EQ(estado(kMesa), "R");
    EXPECT_EQ(caixaDoRecebimento(), "002") << "the claim stays with its till";
    EXPECT_EQ(vendas(), 0);

    QSqlQuery q(database.connection());
    ASSERT_TRUE(q.exec(
        QStringLiteral("UPDATE MESA SET CDCAIXARECEB = NULL WHERE NRMESA = '%1'").arg(kMesa)));
    recebe(kMesa);
    EXPECT_EQ(mensagens().last(), msgPadrao().Msg(QStringLiteral("Mesa_Rec")));
    EXPECT_EQ(estado(kMesa), "R");
}

// The fiscal folder cannot be written (here a file stands where the folder should be, so
// that not even an administrator can write it): the operator is told, the sale is not
// left concluded without its document, and the table is bill requested again; once the
// folder can be written the table is received with one sale and one document.
TEST_F(ReceiptRestart, AFiscalFolderThatCannotBeWrittenStrandsNothing) {
    abre(true);
    const QString bloqueio = QDir(till_.path()).filePath(QStringLiteral("pasta-fiscal-bloqueada"));
    {
        QFile f(bloqueio);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    }
    sales_->setFiscalXmlFolder(bloqueio + QStringLiteral("/"));
    dialogs_->script = pagaEmDinheiro;
    recebe(kMesa);
    EXPECT_EQ(estado(kMesa), "S") << "handed back";
    EXPECT_EQ(vendas(), 0) << "no concluded sale without its document";
    EXPECT_GT(itensAbertos(), 0);
    const QStringList vistas = mensagens();
    EXPECT_FALSE(vistas.filter(QStringLiteral("pasta-fiscal-bloqueada")).isEmpty())
        << vistas.join('\n').toStdString();
    EXPECT_EQ(documentos(), 0);

    sales_->setFiscalXmlFolder(tela().st.DirXmlFiscal);
    dialogs_->script = pagaEmDinheiro;
    recebe(kMesa);
    EXPECT_EQ(estado(kMesa), "D") << mensagens().join('\n').toStdString();
    EXPECT_EQ(vendas(), 1);
    EXPECT_EQ(documentos(), 1);
    EXPECT_EQ(itensAbertos(), 0);
}

} // namespace
} // namespace tmk::test
