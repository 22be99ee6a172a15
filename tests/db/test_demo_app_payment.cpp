// Payments recorded as the mobile app records them, and read back as the strip reads them.

#include "db/demo/app_payment.h"
#include "platform/errors.h"
#include "service/map_reads.h"
#include "tests/service/service_fixture.h"

using namespace tmk;
using namespace tmk::test;

namespace {

class AppPaymentTest : public ServiceFixture {
protected:
    void SetUp() override {
        ServiceFixture::SetUp();
        if (IsSkipped() || HasFatalFailure()) {
            return;
        }
        // Table 0012: seats 01 (2 x 10,00) and 03 (1 x 7,50). Table 0020: a sale without
        // items. Table 0030: a closed sale only. Table 0040: a delivery order.
        venda(QStringLiteral("V12"), QStringLiteral("0012"), QStringLiteral("000012"), "RES_0012");
        item(QStringLiteral("V12"), QStringLiteral("000012"), QStringLiteral("01"), 2, 10.0);
        item(QStringLiteral("V12"), QStringLiteral("000012"), QStringLiteral("03"), 1, 7.5);
        venda(QStringLiteral("V20"), QStringLiteral("0020"), QStringLiteral("000020"), "RES_0020");
        venda(QStringLiteral("V30"), QStringLiteral("0030"), QStringLiteral("000030"), "RES_0030",
              true);
        item(QStringLiteral("V30"), QStringLiteral("000030"), QStringLiteral("01"), 1, 5.0);
        venda(QStringLiteral("V40"), QStringLiteral("0040"), QStringLiteral("000040"), "DLV_9");
        item(QStringLiteral("V40"), QStringLiteral("000040"), QStringLiteral("01"), 1, 5.0);
    }

    void venda(const QString& nr, const QString& mesa, const QString& comanda, const char* ds,
               bool fechada = false) {
        insert(QStringLiteral("VENDAREST"),
               {{QStringLiteral("CDFILIAL"), QStringLiteral("0001")},
                {QStringLiteral("NRVENDAREST"), nr},
                {QStringLiteral("CDLOJA"), QStringLiteral("0001")},
                {QStringLiteral("NRMESA"), mesa},
                {QStringLiteral("DTHRABERMESA"), agora.addSecs(-3600)},
                {QStringLiteral("DTHRFECHMESA"), fechada ? QVariant(agora) : QVariant()}});
        insert(QStringLiteral("COMANDAVEN"),
               {{QStringLiteral("CDFILIAL"), QStringLiteral("0001")},
                {QStringLiteral("NRVENDAREST"), nr},
                {QStringLiteral("NRCOMANDA"), comanda},
                {QStringLiteral("CDLOJA"), QStringLiteral("0001")},
                {QStringLiteral("DSCOMANDA"), QString::fromLatin1(ds)},
                {QStringLiteral("IDSTCOMANDA"), QStringLiteral("1")}});
    }
    void item(const QString& v, const QString& comanda, const QString& lugar, double qt,
              double preco) {
        insert(QStringLiteral("ITCOMANDAVEN"),
               {{QStringLiteral("CDFILIAL"), QStringLiteral("0001")},
                {QStringLiteral("NRVENDAREST"), v},
                {QStringLiteral("NRCOMANDA"), comanda},
                {QStringLiteral("NRPRODCOMVEN"), QString::number(++itens_)},
                {QStringLiteral("CDLOJA"), QStringLiteral("0001")},
                {QStringLiteral("QTPRODCOMVEN"), qt},
                {QStringLiteral("VRPRECCOMVEN"), preco},
                {QStringLiteral("NRLUGARMESA"), lugar},
                {QStringLiteral("IDSTLUGARMESA"), QStringLiteral("O")}});
    }
    AppPaymentRow grava(const QString& mesa, const QString& lugar, double valor = 0) {
        AppPaymentRequest r;
        r.cdFilial = QStringLiteral("0001");
        r.cdLoja = QStringLiteral("0001");
        r.nrMesa = mesa;
        r.nrLugarMesa = lugar;
        r.valor = valor;
        QSqlDatabase c = db->connection();
        return recordAppPayment(c, r, agora);
    }

    const QDateTime agora{QDate(2026, 12, 8), QTime(20, 0)};
    int itens_ = 0;
};

} // namespace

TEST_F(AppPaymentTest, RecordsAConfirmedPendingPaymentOfTheTableOrSeat) {
    const struct {
        const char* mesa;
        const char* lugar;
        double valor;
        const char* nrMesa;
        const char* nrLugarMesa;
        double gravado;
    } casos[] = {
        {"12", "T", 0, "0012", "T", 27.5},    // what the table's items add up to
        {"0012", "3", 0, "0012", "03", 7.5},  // the seat's items only
        {"12", "01", 0, "0012", "01", 20.0},  //
        {"12", "t", 30.0, "0012", "T", 30.0}, // an amount given
        {"012", "03", 8.25, "0012", "03", 8.25},
    };
    int n = 0;
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.mesa) + "/" + c.lugar);
        const AppPaymentRow r =
            grava(QString::fromLatin1(c.mesa), QString::fromLatin1(c.lugar), c.valor);
        ++n;
        EXPECT_EQ(r.nrMesa, QString::fromLatin1(c.nrMesa));
        EXPECT_EQ(r.nrLugarMesa, QString::fromLatin1(c.nrLugarMesa));
        EXPECT_DOUBLE_EQ(r.valor, c.gravado);
        EXPECT_EQ(r.nrSeqMovMob, QStringLiteral("%1").arg(n, 15, 10, QLatin1Char('0')));
        const QVariantMap k{{QStringLiteral("N"), r.nrSeqMovMob}};
        EXPECT_EQ(count(QStringLiteral("MOVCAIXAMOB"),
                        QStringLiteral("NRSEQMOVMOB = :N AND CDFILIAL = '0001' AND "
                                       "NRVENDAREST = 'V12' AND NRCOMANDA = '000012' AND "
                                       "IDSTMOV = '1' AND IDADMTASK = '0' AND "
                                       "NRSEQVENDA IS NULL"),
                        k),
                  1);
        EXPECT_DOUBLE_EQ(
            value(QStringLiteral("SELECT VRMOV FROM MOVCAIXAMOB WHERE NRSEQMOVMOB = :N"), k)
                .toDouble(),
            c.gravado);
    }
    // The seats paid have their items marked paid; the whole table marks nothing.
    EXPECT_EQ(count(QStringLiteral("ITCOMANDAVEN"), QStringLiteral("IDSTLUGARMESA = 'P'")), 2);

    // The strip's read sees every one of them, the latest first.
    const DataPacket p = packetOf(getMesasPagasAPP(*dm, QStringLiteral("0001")));
    EXPECT_EQ(p.rowCount(), 5);
}

// Bad requests: a clear message, and nothing written.
TEST_F(AppPaymentTest, RefusesWhatTheAppCouldNotHavePaid) {
    const struct {
        const char* mesa;
        const char* lugar;
        double valor;
        const char* mensagem;
    } casos[] = {
        {"0099", "T", 0, "A mesa 0099 não tem venda aberta: não há o que pagar pelo aplicativo."},
        {"0030", "T", 0, "A mesa 0030 não tem venda aberta: não há o que pagar pelo aplicativo."},
        {"0040", "T", 0, "A mesa 0040 não tem venda aberta: não há o que pagar pelo aplicativo."},
        {"0020", "T", 0, "A mesa 0020 não tem pedidos: não há o que pagar pelo aplicativo."},
        {"0012", "05", 0, "O lugar 05 não tem pedidos na mesa 0012."},
        {"0012", "AB", 0,
         "Lugar \"AB\" inválido: informe T para a mesa inteira ou um lugar de 1 a 99."},
        {"0012", "0", 0,
         "Lugar \"0\" inválido: informe T para a mesa inteira ou um lugar de 1 a 99."},
        {"0012", "100", 0,
         "Lugar \"100\" inválido: informe T para a mesa inteira ou um lugar de 1 a 99."},
        {"12a", "T", 0, "Mesa \"12a\" inválida: informe o número da mesa, com até 4 dígitos."},
        {"", "T", 0, "Mesa \"\" inválida: informe o número da mesa, com até 4 dígitos."},
        {"00012", "T", 0, "Mesa \"00012\" inválida: informe o número da mesa, com até 4 dígitos."},
        {"0012", "T", -1, "O valor do pagamento não pode ser negativo."},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(std::string(c.mesa) + "/" + c.lugar);
        try {
            grava(QString::fromLatin1(c.mesa), QString::fromLatin1(c.lugar), c.valor);
            ADD_FAILURE() << "recorded";
        } catch (const AppError& e) {
            EXPECT_EQ(e.message(), QString::fromUtf8(c.mensagem));
        }
        EXPECT_EQ(count(QStringLiteral("MOVCAIXAMOB")), 0);
        EXPECT_EQ(count(QStringLiteral("ITCOMANDAVEN"), QStringLiteral("IDSTLUGARMESA = 'P'")), 0);
    }
}

TEST(AppPaymentTarget, TableAndSeatFromTheCommandLine) {
    const struct {
        const char* texto;
        const char* mesa;
        const char* lugar;
    } casos[] = {{"12", "12", "T"},
                 {"12:3", "12", "3"},
                 {" 0012 : 03 ", "0012", "03"},
                 {"12:", "12", ""},
                 {"", "", "T"}};
    for (const auto& c : casos) {
        const AppPaymentRequest r = parseAppPaymentTarget(QString::fromLatin1(c.texto));
        EXPECT_EQ(r.nrMesa, QString::fromLatin1(c.mesa)) << c.texto;
        EXPECT_EQ(r.nrLugarMesa, QString::fromLatin1(c.lugar)) << c.texto;
    }
}
