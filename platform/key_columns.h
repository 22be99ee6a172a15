#pragma once

#include <QString>

namespace tmk {

// The codes that identify the store's records in the till's files and in the database
// (branch, store, till, operator, screen layout, client, consumer, waiter, product,
// receipt type, table, tab, sale). They are texts that keep their leading zeros:
// read as a number, "0001" would turn into 1 and no longer match anything. The
// data-packet files refuse one of them declared with any other type.
bool isKeyCodeColumn(const QString& name);

} // namespace tmk
