#pragma once

#include <QString>
#include <string>
#include <vector>

namespace tmk::bench {

// Registers the benchmarks of what receiving a table reads and writes on one store (see
// bench_store.h), each named "<operation>/<history>": the account item lists of table 01
// and their companions, the check that a fiscal sale exists, and today's reservations.
// Before timing, each one checks that it answers what the store holds (so a fast wrong
// answer never counts); a wrong answer ends it with an error in the table.
void registerReceiptBenchmarks(const QString& connectionText, int history);

// The names of those benchmarks, in the order they are registered.
std::vector<std::string> receiptBenchmarkNames();

// Releases the connections of the registered benchmarks.
void releaseReceiptBenchmarks();

} // namespace tmk::bench
