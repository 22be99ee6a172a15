// Two tills, each with its screen, data module, connection and suite, receive the same
// bill-requested table round after round, taking turns at touching it first. The other
// till touches the table while the first holds it, at two moments of the receipt: in the
// payment dialog, and with the sale stored but the table not settled yet. Every round ends
// with exactly one sale and one NFC-e, and the table free.
#include "service/state_updates.h"
#include "suite/sales/stored_sale.h"
#include "tests/screen/receipt_fixture.h"

#include <QDir>
#include <QSqlQuery>
#include <gtest/gtest.h>
#include <iostream>

namespace tmk::test {
namespace {

const QString kMesa = QStringLiteral("0009");
constexpr int kRodadas = 200;

// A till of its own: its connection, data module, dialogs, sales service (with its till
// number) and screen.
struct Caixa {
    Caixa(TestDatabase& database, const QString& cdCaixa, const QString& pastaFiscal,
          Clock& clock) {
        db = database.openAnother(QStringLiteral("caixa-") + cdCaixa);
        dm = std::make_unique<TrdmGerMesa>(QStringLiteral("dm-caixa-") + cdCaixa);
        dm->connectTo(database.connectionText());
        dialogs = std::make_unique<ScriptedDialogs>(db);
        QSqlDatabase conexao = db;
        dialogs->setFiscalSaleProvider(
            [conexao](const QString& cdFilial, const QString& caixa, const QString& nrSeqVenda) {
                QSqlDatabase c = conexao;
                return storedFiscalSale(c, cdFilial, caixa, nrSeqVenda);
            });
        common = std::make_unique<RecordingCommon>();
        fiscal = std::make_unique<SimulatedFiscalDevice>();
        sales = std::make_unique<HookedSales>(db, cdCaixa);
        sales->setFiscalXmlFolder(pastaFiscal);
        tela = std::make_unique<TfrmGerMesa>(
            SuiteLibraries{dialogs.get(), fiscal.get(), sales.get(), common.get()},
            [this]() -> TrdmGerMesa& { return *dm; }, clock);
        tela->InicializaForm();
        tela->FormActivate();
        tela->st.CdCaixa = cdCaixa; // both screens read the one till folder of the test
    }
    ~Caixa() {
        tela.reset();
        sales.reset();
        dialogs.reset();
        dm.reset();
    }
    void recebe() {
        tela->evento([&] { tela->ControleMesa(kMesa); });
    }
    QStringList mensagens() const { return common->told + dialogs->told; }

    QSqlDatabase db;
    std::unique_ptr<TrdmGerMesa> dm;
    std::unique_ptr<ScriptedDialogs> dialogs;
    std::unique_ptr<RecordingCommon> common;
    std::unique_ptr<SimulatedFiscalDevice> fiscal;
    std::unique_ptr<HookedSales> sales;
    std::unique_ptr<TfrmGerMesa> tela;
};

class ReceiptRace : public ReceiptOnDemo {
protected:
    // The table's account open again, with another quantity (so another account and
    // another sale), and its bill requested.
    void reabre(int rodada) {
        QSqlQuery q(database.connection());
        const QString venda =
            valor(
                QStringLiteral("SELECT NRVENDAREST FROM VENDAREST WHERE NRMESA = '%1'").arg(kMesa))
                .toString();
        const QString quantidade = QString::number(rodada + 1);
        const QString comandos[] = {
            QStringLiteral("UPDATE ITCOMANDAVEN SET NRSEQVENDA = NULL WHERE NRVENDAREST = '%1'")
                .arg(venda),
            QStringLiteral("UPDATE ITCOMANDAVEN SET QTPRODCOMVEN = %2 WHERE NRVENDAREST = '%1' "
                           "AND CDPRODUTO = '10006'")
                .arg(venda, quantidade),
            QStringLiteral("UPDATE COMANDAVEN SET IDSTCOMANDA = '%2' WHERE NRVENDAREST = '%1'")
                .arg(venda, estadoComanda_),
            QStringLiteral("UPDATE VENDAREST SET DTHRFECHMESA = NULL WHERE NRVENDAREST = '%1'")
                .arg(venda)};
        for (const QString& sql : comandos) {
            ASSERT_TRUE(q.exec(sql)) << sql.toStdString();
        }
        ASSERT_FALSE(isServiceFailure(setStatusMesa(*dm_, "0001", "0001", kMesa, "S")));
    }
    int vendas() {
        return contagem(QStringLiteral("SELECT COUNT(*) FROM VENDA WHERE NRMESA = '%1' AND "
                                       "IDSITUVENDA = 'O'")
                            .arg(kMesa));
    }
    static int documentos(const QString& pasta) {
        return int(QDir(pasta).entryList({QStringLiteral("*.xml")}, QDir::Files).size());
    }

    QString estadoComanda_;
};

TEST_F(ReceiptRace, TwoTillsReceivingOneTableEndToEndStoreOneSaleAndOneDocumentPerRound) {
    estadoComanda_ =
        valor(QStringLiteral("SELECT C.IDSTCOMANDA FROM COMANDAVEN C, VENDAREST V WHERE "
                             "C.NRVENDAREST = V.NRVENDAREST AND V.NRMESA = '%1'")
                  .arg(kMesa))
            .toString();
    QTemporaryDir pastas;
    ASSERT_TRUE(pastas.isValid());
    const QString pasta[2] = {pastas.filePath(QStringLiteral("001")) + QLatin1Char('/'),
                              pastas.filePath(QStringLiteral("002")) + QLatin1Char('/')};
    Caixa caixas[2] = {{database, QStringLiteral("001"), pasta[0], clock},
                       {database, QStringLiteral("002"), pasta[1], clock}};

    enum Momento { NoDialogo, VendaGravada };
    int recusas[2] = {0, 0}; // the second till refused, by moment
    int dialogosDoSegundo = 0;
    int vendasSempre = 0;
    int documentosSempre = 0;
    for (int rodada = 0; rodada < kRodadas; ++rodada) {
        SCOPED_TRACE(rodada);
        if (rodada > 0) {
            reabre(rodada);
            if (HasFatalFailure()) {
                return;
            }
        }
        Caixa& primeiro = caixas[rodada % 2];
        Caixa& segundo = caixas[1 - rodada % 2];
        const auto momento = Momento(rodada / 2 % 2);
        const int avisosAntes = int(segundo.mensagens().size());
        const auto segundoToca = [&] {
            segundo.recebe();
            if (segundo.mensagens().size() > avisosAntes) {
                ++recusas[momento];
            }
        };
        segundo.dialogs->script = [&](QDialog& d) {
            ++dialogosDoSegundo;
            pagaEmDinheiro(d);
        };
        primeiro.dialogs->script = [&](QDialog& d) {
            if (momento == NoDialogo) {
                segundoToca();
            }
            pagaEmDinheiro(d);
        };
        primeiro.sales->antesDeLiquidar = [&]() -> QVariant {
            if (momento == VendaGravada) {
                segundoToca();
            }
            return {};
        };
        primeiro.recebe();
        primeiro.sales->antesDeLiquidar = nullptr;

        ASSERT_EQ(estado(kMesa), "D") << primeiro.mensagens().join('\n').toStdString();
        const int v = vendas();
        const int d = documentos(pasta[0]) + documentos(pasta[1]);
        vendasSempre += v == rodada + 1 ? 1 : 0;
        documentosSempre += d == rodada + 1 ? 1 : 0;
        ASSERT_EQ(v, rodada + 1) << "one sale per round";
        ASSERT_EQ(d, rodada + 1) << "one NFC-e per round";
    }
    std::cout << "rounds " << kRodadas << ": sales " << vendas() << ", NFC-e "
              << documentos(pasta[0]) + documentos(pasta[1]) << ", rounds with exactly one sale "
              << vendasSempre << ", with one document " << documentosSempre
              << "; second till refused in the dialog " << recusas[NoDialogo]
              << ", with the sale stored " << recusas[VendaGravada]
              << ", payment dialogs of the second till " << dialogosDoSegundo << '\n';
    EXPECT_EQ(dialogosDoSegundo, 0);
    EXPECT_EQ(recusas[NoDialogo] + recusas[VendaGravada], kRodadas)
        << "the second till is told every time";
}

// A till stored the sale and stopped before settling the table, and its claim was released:
// another till finds the stored sale and sells nothing again; the till that stored it
// finishes the table when it receives it.
TEST_F(ReceiptRace, ASaleStoredByATillThatStoppedIsNotSoldAgainByAnother) {
    QTemporaryDir pastas;
    ASSERT_TRUE(pastas.isValid());
    const QString pasta[2] = {pastas.filePath(QStringLiteral("001")) + QLatin1Char('/'),
                              pastas.filePath(QStringLiteral("002")) + QLatin1Char('/')};
    Caixa caixas[2] = {{database, QStringLiteral("001"), pasta[0], clock},
                       {database, QStringLiteral("002"), pasta[1], clock}};
    caixas[0].dialogs->script = pagaEmDinheiro;
    caixas[0].sales->antesDeLiquidar = [] {
        return serviceFailure(QStringLiteral("A conexão com o banco de dados caiu."));
    };
    caixas[0].recebe();
    caixas[0].sales->antesDeLiquidar = nullptr;
    ASSERT_EQ(vendas(), 1) << caixas[0].mensagens().join('\n').toStdString();
    ASSERT_EQ(estado(kMesa), "S");

    bool dialogo = false;
    caixas[1].dialogs->script = [&](QDialog& d) {
        dialogo = true;
        pagaEmDinheiro(d);
    };
    caixas[1].recebe();
    EXPECT_FALSE(dialogo);
    EXPECT_EQ(vendas(), 1) << "not sold again";
    EXPECT_EQ(documentos(pasta[1]), 0);
    EXPECT_EQ(estado(kMesa), "S") << "handed back";
    ASSERT_FALSE(caixas[1].mensagens().isEmpty());
    EXPECT_TRUE(caixas[1].mensagens().last().contains(QStringLiteral("pelo caixa 001")))
        << caixas[1].mensagens().join('\n').toStdString();

    caixas[0].recebe();
    EXPECT_EQ(estado(kMesa), "D") << caixas[0].mensagens().join('\n').toStdString();
    EXPECT_EQ(vendas(), 1);
    EXPECT_EQ(documentos(pasta[0]), 1);
}

} // namespace
} // namespace tmk::test
