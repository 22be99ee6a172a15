#pragma once

#include <QString>
#include <vector>

// The demo store's floor: its areas and tables, who sits where and what they ordered,
// the reservations, and the sales already concluded today. Times are minutes before
// the moment the store is created.
namespace tmk::demo {

struct Area {
    const char* button; // NRBUTTON of the area button, also the room code CDSALA
    const char* caption;
    int backColour; // 0x00BBGGRR
    int textColour;
    int fontSize;
    int firstTable; // tables firstTable .. firstTable + tables - 1
    int tables;
};

// Table buttons hold 48 to a page; the Varanda has two pages.
inline constexpr int kMesasPorPagina = 48;

const std::vector<Area>& areas();

// "0001" for 1; the table's caption on the map is its number without the leading
// zeros, two digits at least ("01", "101").
QString tableNumber(int n);
QString tableCaption(int n);

struct Item {
    const char* product;
    double quantity;
    const char* seat; // NRLUGARMESA "01".."04"
    int minutesAgo;
};

struct OpenSale {
    const char* table;
    const char* state; // IDSTMESAAUX: "O", "S", "P", "R" or "C"
    const char* waiter;
    int party;
    int openedMinutesAgo;
    int billRequestedMinutesAgo; // -1 while the bill has not been requested
    std::vector<Item> items;
};

// Every table that is not free, with its open sale. Area 01 holds every picture of the
// map: occupied recently, idle (last order older than the idle minutes), bill
// requested (one stored as "P"), being received, bill requested by digital card, the
// reserved variants, and a join group.
const std::vector<OpenSale>& openSales();
// The state of a table: its open sale's, "D" for a free one.
QString tableState(const QString& nrMesa);

// The join group of the demo (tables whose captions show in parentheses).
inline constexpr char kNrJuncao[] = "0000000001";
const std::vector<const char*>& joinedTables();

struct Reservation {
    const char* number;
    const char* table;
    int dayOffset;    // 0 today, 1 tomorrow
    const char* from; // "1930"
    const char* to;
    const char* name;
    const char* phone;
    int people;
    const char* status; // "P" pending, "C" cancelled
};

const std::vector<Reservation>& reservations();

// App payments: one of a whole table ("T"), one of a seat position.
struct AppPayment {
    const char* number;
    const char* table;
    const char* seat; // "T" or the position; the position's items are marked paid
    const char* brand;
    int minutesAgo;
};

const std::vector<AppPayment>& appPayments();

struct SoldItem {
    const char* product;
    double quantity;
};

// A sale concluded today: of a table (its restaurant sale is closed) or at the counter.
struct ConcludedSale {
    const char* table; // nullptr for a counter sale
    const char* waiter;
    int party;
    std::vector<SoldItem> items;
    const char* receiptType; // CDTIPORECE of the payment
};

const std::vector<ConcludedSale>& concludedSales();

} // namespace tmk::demo
