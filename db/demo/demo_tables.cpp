#include "db/demo/demo_tables.h"

namespace tmk::demo {

const std::vector<Area>& areas() {
    static const std::vector<Area> list{
        {"01", "Salão", 0x002C5BCC, 0x00FFFFFF, 12, 1, 20},
        {"02", "Varanda", 0x00408040, 0x00FFFFFF, 11, 101, 60},
        {"03", "Bar", 0x00204080, 0x00FFFFFF, 10, 201, 6},
        {"04", "Mezanino", 0x00804020, 0x0000FFFF, 9, 301, 5},
    };
    return list;
}

QString tableNumber(int n) {
    return QStringLiteral("%1").arg(n, 4, 10, QLatin1Char('0'));
}

QString tableCaption(int n) {
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

const std::vector<OpenSale>& openSales() {
    static const std::vector<OpenSale> list{
        // Salão: occupied, ordering recently.
        {"0003",
         "O",
         "001",
         2,
         40,
         -1,
         {{"10001", 1, "01", 35},
          {"20004", 2, "01", 35},
          {"10004", 1, "02", 34},
          {"20001", 1, "02", 5}}},
        // Occupied and reserved for later tonight.
        {"0004",
         "O",
         "002",
         4,
         25,
         -1,
         {{"20005", 2, "01", 20},
          {"10005", 1, "02", 18},
          {"20004", 1, "03", 8},
          {"20003", 1, "04", 8}}},
        // Idle: nothing ordered for 50 minutes.
        {"0005",
         "O",
         "001",
         3,
         95,
         -1,
         {{"10002", 1, "01", 85},
          {"10003", 1, "02", 85},
          {"20002", 2, "03", 84},
          {"20001", 1, "01", 50}}},
        // Idle and reserved.
        {"0006",
         "O",
         "003",
         2,
         120,
         -1,
         {{"10001", 2, "01", 110}, {"20004", 3, "02", 100}, {"10006", 2, "01", 45}}},
        // Bill requested; the whole table was paid through the app.
        {"0007",
         "S",
         "002",
         2,
         80,
         3,
         {{"10003", 1, "01", 70},
          {"10002", 1, "02", 70},
          {"20002", 2, "01", 69},
          {"10006", 2, "02", 30},
          {"20006", 2, "01", 12}}},
        // Bill requested, stored as "P" (read as "S").
        {"0008",
         "P",
         "003",
         4,
         70,
         6,
         {{"10001", 2, "01", 60},
          {"10005", 2, "03", 60},
          {"20004", 4, "02", 58},
          {"20001", 2, "04", 40}}},
        // Bill requested and reserved.
        {"0009",
         "S",
         "001",
         2,
         60,
         2,
         {{"10004", 2, "01", 50}, {"20003", 2, "02", 50}, {"10006", 1, "01", 15}}},
        // Being received at a till.
        {"0010",
         "R",
         "002",
         5,
         100,
         10,
         {{"10001", 2, "01", 90},
          {"10002", 2, "02", 90},
          {"10005", 1, "03", 88},
          {"20005", 3, "04", 88},
          {"20001", 2, "05", 60}}},
        // Bill requested through a digital card.
        {"0011", "C", "003", 2, 55, 1, {{"10003", 2, "01", 45}, {"20002", 2, "02", 45}}},
        // The join group: two tables for one large party.
        {"0012",
         "O",
         "001",
         6,
         60,
         -1,
         {{"10001", 3, "01", 50}, {"20004", 6, "02", 50}, {"10005", 2, "03", 10}}},
        {"0013",
         "O",
         "001",
         4,
         58,
         -1,
         {{"10002", 2, "01", 48}, {"20001", 4, "02", 48}, {"10006", 4, "03", 12}}},
        // Bill requested; seat 02 paid through the app.
        {"0014",
         "S",
         "002",
         3,
         75,
         4,
         {{"10002", 1, "01", 65},
          {"10003", 1, "02", 65},
          {"20002", 1, "02", 64},
          {"10004", 1, "03", 64},
          {"20001", 2, "01", 40}}},
        {"0015", "O", "003", 2, 15, -1, {{"20005", 2, "01", 12}, {"10005", 1, "02", 10}}},
        {"0018", "O", "002", 1, 20, -1, {{"20006", 1, "01", 3}}},
        // Varanda, page 1 and page 2.
        {"0105", "O", "003", 3, 30, -1, {{"10004", 2, "01", 25}, {"20002", 3, "02", 7}}},
        {"0112", "O", "001", 2, 70, -1, {{"10003", 2, "01", 60}, {"20003", 2, "02", 40}}},
        {"0150", "O", "002", 4, 35, -1, {{"10001", 2, "01", 30}, {"20004", 4, "02", 15}}},
        // Bar.
        {"0203", "O", "003", 2, 10, -1, {{"20004", 2, "01", 8}, {"10005", 1, "02", 2}}},
    };
    return list;
}

QString tableState(const QString& nrMesa) {
    for (const OpenSale& s : openSales()) {
        if (nrMesa == QLatin1String(s.table)) {
            return QString::fromLatin1(s.state);
        }
    }
    return QStringLiteral("D");
}

const std::vector<const char*>& joinedTables() {
    static const std::vector<const char*> list{"0012", "0013"};
    return list;
}

const std::vector<Reservation>& reservations() {
    static const std::vector<Reservation> list{
        {"0000000001", "0002", 0, "1930", "2130", "Família Souza", "(11) 98765-4321", 4, "P"},
        {"0000000002", "0004", 0, "2000", "2200", "Ricardo Nunes", "(11) 97654-3210", 4, "P"},
        {"0000000003", "0006", 0, "2100", "2300", "Aniversário da Clara", "(11) 96543-2109", 2,
         "P"},
        {"0000000004", "0009", 0, "2130", "2330", "Paulo Mendes", "(11) 95432-1098", 2, "P"},
        // Neither of these shows today: one is for tomorrow, one was cancelled.
        {"0000000005", "0016", 1, "1200", "1400", "Almoço da empresa", "(11) 94321-0987", 10, "P"},
        {"0000000006", "0017", 0, "1300", "1500", "Lúcia Prado", "(11) 93210-9876", 2, "C"},
    };
    return list;
}

const std::vector<AppPayment>& appPayments() {
    static const std::vector<AppPayment> list{
        {"000000000000001", "0007", "T", "VISA", 4},
        {"000000000000002", "0014", "02", "MASTERCARD", 2},
    };
    return list;
}

const std::vector<ConcludedSale>& concludedSales() {
    static const std::vector<ConcludedSale> list{
        {"0001", "001", 2, {{"10002", 1}, {"20001", 2}}, "001"},
        {"0016", "002", 4, {{"10001", 2}, {"20004", 4}}, "002"},
        {"0019", "003", 3, {{"10003", 1}, {"10004", 2}, {"20002", 3}}, "006"},
        {nullptr, "001", 1, {{"20006", 2}, {"10006", 1}}, "001"},
        {nullptr, "002", 2, {{"10005", 1}, {"20004", 2}}, "003"},
    };
    return list;
}

} // namespace tmk::demo
