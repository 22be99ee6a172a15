#pragma once

#include <QString>

namespace tmk::bench {

// Registers the benchmarks of the table map on one store (see bench_store.h), each
// named "<benchmark>/<history>":
//   refresh             one full map refresh: DisparaAtualizacao's service calls and the
//                       model of the 48 buttons (nothing is painted); counter
//                       "statements" = statements one refresh sends
//   getStatusMesa       the table states
//   getUltimaVenda      the last order time of a table (each of the 48 in turn)
//   getMesaJuncao       the join group of a table (each of the 48 in turn)
//   setDeletaVendaRest  the orphan clean-up on a clean occupied table
//   floor               as many trivial statements as one refresh sends
// The store is checked first: a store the screen does not draw as expected throws
// AppError.
void registerMapBenchmarks(const QString& connectionText, int history);

// Registers "refreshProxy/<history>": the refresh of the same store through a
// connection that passes a delaying proxy (see delay_proxy.h); its counter "statements"
// is what the refresh sends, each a round trip.
void registerRefreshThroughProxy(const QString& proxiedConnectionText, int history);

// Releases the screens and connections of the registered benchmarks.
void releaseMapBenchmarks();

} // namespace tmk::bench
