#pragma once

#include <benchmark/benchmark.h>
#include <map>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

namespace tmk::bench {

// The console report of Google Benchmark that also keeps the median of each benchmark
// named "<benchmark>/<history>" (the single run when there are no repetitions), and
// prints them as a table: kind, benchmark, history, median, statements, and the ratio
// of each benchmark's largest history to its smallest, with the targets met or missed.
class MedianTable : public benchmark::ConsoleReporter {
public:
    // The benchmarks in the order of the table, and those whose ratio must stay within
    // the limit.
    MedianTable(std::vector<std::string> order, std::vector<std::string> targets, double limit)
        : order_(std::move(order))
        , targets_(std::move(targets))
        , limit_(limit) {}

    // A benchmark whose median must also stay below a number of seconds at every history.
    void setMaximum(const std::string& benchmarkName, double seconds) {
        maxima_[benchmarkName] = seconds;
    }

    void ReportRuns(const std::vector<Run>& runs) override;

    // Prints the table; false when a benchmark failed or a target ratio is missed.
    bool printTable(std::ostream& out, const std::string& kind) const;

private:
    struct Entry {
        double seconds = 0;
        double statements = -1; // -1: not counted
        std::string error;
    };
    using Key = std::pair<std::string, long>; // benchmark, history
    std::map<Key, Entry> entries_;
    std::vector<std::string> order_; // benchmarks not listed follow in reporting order
    std::vector<std::string> targets_;
    double limit_;
    std::map<std::string, double> maxima_;
};

} // namespace tmk::bench
