// The demo store's reservations, read only: of a table over some days, of a day, and the
// lists the dialogs show.

#include "db/demo/demo_tables.h"
#include "external/common.h"
#include "suite/dialogs/reservations.h"
#include "suite/dialogs/reservations_dialog.h"
#include "tests/suite/dialogs_db/demo_store_fixture.h"
#include "tests/suite/print_qstring.h"

#include <QLabel>
#include <QTableWidget>

namespace tmk {
namespace {

using dialogs_test::DemoStoreTest;
using dialogs_test::ScriptedDialogs;

class ReservationsTest : public DemoStoreTest {
protected:
    Reservations reservas() {
        return Reservations(database.connection(), QStringLiteral("0001"), QStringLiteral("0001"));
    }
    static QStringList numbers(const QList<Reservations::Row>& rows) {
        QStringList l;
        for (const Reservations::Row& r : rows) {
            l << r.numero;
        }
        return l;
    }
};

TEST(ReservationHour, FourDigitsTakeAColon) {
    const std::pair<const char*, const char*> cases[] = {
        {"1930", "19:30"}, {" 0800 ", "08:00"}, {"19:30", "19:30"}, {"", ""},
        {"930", "930"},    {"abcd", "abcd"},    {"+930", "+930"},   {"-930", "-930"},
    };
    for (const auto& [in, out] : cases) {
        EXPECT_EQ(Reservations::hora(QString::fromLatin1(in)), QString::fromLatin1(out)) << in;
    }
}

TEST_F(ReservationsTest, OfATableOverSomeDays) {
    const QDate hoje = now_.date();
    const Reservations::Row r = [&] {
        const QList<Reservations::Row> rows = reservas().ofTable("0002", hoje, hoje);
        EXPECT_EQ(rows.size(), 1);
        return rows.value(0);
    }();
    EXPECT_EQ(r.numero, "0000000001");
    EXPECT_EQ(r.data, hoje);
    EXPECT_EQ(r.inicio, "19:30");
    EXPECT_EQ(r.fim, "21:30");
    EXPECT_EQ(r.mesa, "0002");
    EXPECT_EQ(r.cliente, QString::fromUtf8("Família Souza"));
    EXPECT_EQ(r.telefone, "(11) 98765-4321");
    EXPECT_EQ(r.pessoas, 4);
    EXPECT_EQ(r.situacao, "Pendente");

    struct Case {
        const char* mesa;
        int primeiro; // days from today
        int ultimo;
        QStringList expected;
    };
    const Case cases[] = {
        {"0016", 0, 0, {}},   {"0016", 1, 1, {"0000000005"}}, {"0016", 0, 1, {"0000000005"}},
        {"0016", -3, -1, {}}, {"0017", 0, 0, {"0000000006"}}, // cancelled, shown with its status
        {"0003", 0, 7, {}},   {"0002'--", 0, 7, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mesa);
        EXPECT_EQ(numbers(reservas().ofTable(QString::fromLatin1(c.mesa), hoje.addDays(c.primeiro),
                                             hoje.addDays(c.ultimo))),
                  c.expected);
    }
    EXPECT_EQ(reservas().ofTable("0017", hoje, hoje).value(0).situacao, "C");
}

TEST_F(ReservationsTest, OfADayByStartAndTheDayOfOne) {
    const QDate hoje = now_.date();
    EXPECT_EQ(numbers(reservas().ofDay(hoje)),
              (QStringList{"0000000006", "0000000001", "0000000002", "0000000003", "0000000004"}));
    EXPECT_EQ(numbers(reservas().ofDay(hoje.addDays(1))), QStringList{"0000000005"});
    EXPECT_TRUE(reservas().ofDay(hoje.addDays(2)).isEmpty());
    EXPECT_EQ(reservas().dayOf(" 0000000005 "), hoje.addDays(1));
    EXPECT_EQ(reservas().dayOf("0000000002"), hoje);
    EXPECT_FALSE(reservas().dayOf("0000000099").has_value());
    EXPECT_FALSE(reservas().dayOf("1' OR '1' = '1").has_value());
    // Another store has none of them.
    EXPECT_TRUE(Reservations(database.connection(), "0001", "0002").ofDay(hoje).isEmpty());
}

TEST_F(ReservationsTest, TheDialogsShowTheLists) {
    ScriptedDialogs dialogs(database.connection());
    QStringList captions;
    QList<int> rows;
    bool emptyShown = false;
    dialogs.script = [&](QDialog& d) {
        auto& r = static_cast<ReservationsDialog&>(d);
        captions << d.windowTitle();
        rows << r.grid()->rowCount();
        emptyShown = emptyShown || d.findChild<QLabel*>(QStringLiteral("lblVazio")) != nullptr;
    };
    const QDateTime hoje = now_;
    dialogs.CriaListReserva("0016", hoje, hoje.addDays(1));
    dialogs.CriaListReserva("0003", hoje, QDateTime());
    dialogs.CriaConsulReserva("0000000003");
    dialogs.CriaConsulReserva("0000000099");
    EXPECT_EQ(rows, (QList<int>{1, 0, 5}));
    EXPECT_TRUE(emptyShown);
    ASSERT_EQ(captions.size(), 3);
    EXPECT_TRUE(captions[0].startsWith("Reservas da mesa 0016 de ")) << captions[0].toStdString();
    EXPECT_TRUE(captions[2].startsWith("Reserva 0000000003 entre as reservas de"));
    ASSERT_EQ(dialogs.told.size(), 1);
    EXPECT_EQ(dialogs.told[0].first, "Reserva 0000000099 não encontrada.");
    EXPECT_EQ(dialogs.told[0].second, MsgAviso);
}

} // namespace
} // namespace tmk
