#include "bench/median_table.h"

#include <algorithm>
#include <cstdio>

namespace tmk::bench {

namespace {

std::string duration(double seconds) {
    char text[32];
    if (seconds < 1e-3) {
        std::snprintf(text, sizeof text, "%.1f us", seconds * 1e6);
    } else if (seconds < 1.0) {
        std::snprintf(text, sizeof text, "%.3f ms", seconds * 1e3);
    } else {
        std::snprintf(text, sizeof text, "%.3f s", seconds);
    }
    return text;
}

std::string padded(const std::string& text, size_t width, bool right = false) {
    if (text.size() >= width) {
        return text;
    }
    const std::string fill(width - text.size(), ' ');
    return right ? fill + text : text + fill;
}

} // namespace

void MedianTable::ReportRuns(const std::vector<Run>& runs) {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
        const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
        if (!median && !single && !run.error_occurred) {
            continue;
        }
        const std::string& name = run.run_name.function_name;
        const size_t slash = name.rfind('/');
        if (slash == std::string::npos) {
            continue;
        }
        const Key key{name.substr(0, slash), std::stol(name.substr(slash + 1))};
        if (std::find(order_.begin(), order_.end(), key.first) == order_.end()) {
            order_.push_back(key.first);
        }
        Entry& e = entries_[key];
        if (run.error_occurred) {
            e.error = run.error_message;
            continue;
        }
        e.seconds = run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit);
        const auto counter = run.counters.find("statements");
        if (counter != run.counters.end()) {
            e.statements = counter->second.value;
        }
    }
}

bool MedianTable::printTable(std::ostream& out, const std::string& kind) const {
    bool ok = true;
    out << '\n'
        << padded("kind", 12) << padded("benchmark", 24) << padded("history", 9, true)
        << padded("median", 14, true) << padded("statements", 12, true) << padded("ratio", 8, true)
        << "  target\n";
    for (const std::string& benchmarkName : order_) {
        const Entry* smallest = nullptr;
        for (auto it = entries_.lower_bound({benchmarkName, 0});
             it != entries_.end() && it->first.first == benchmarkName; ++it) {
            const Entry& e = it->second;
            out << padded(kind, 12) << padded(benchmarkName, 24)
                << padded(std::to_string(it->first.second), 9, true);
            if (!e.error.empty()) {
                out << "  FAILED: " << e.error << '\n';
                ok = false;
                continue;
            }
            out << padded(duration(e.seconds), 14, true);
            char statements[32] = "";
            if (e.statements >= 0) {
                std::snprintf(statements, sizeof statements, "%.0f", e.statements);
            }
            out << padded(statements, 12, true);
            std::string maximum;
            if (const auto m = maxima_.find(benchmarkName); m != maxima_.end()) {
                const bool below = e.seconds < m->second;
                ok = ok && below;
                maximum = std::string("  ") + (below ? "met" : "MISSED") + " (< " +
                          duration(m->second) + ")";
            }
            if (!smallest) {
                smallest = &e;
                out << padded("", 8) << maximum << '\n';
                continue;
            }
            const double ratio = smallest->seconds > 0 ? e.seconds / smallest->seconds : 0;
            char ratioText[32];
            std::snprintf(ratioText, sizeof ratioText, "%.2f", ratio);
            out << padded(ratioText, 8, true);
            if (std::find(targets_.begin(), targets_.end(), benchmarkName) != targets_.end()) {
                const bool met = ratio <= limit_;
                ok = ok && met;
                char target[48];
                std::snprintf(target, sizeof target, "  %s (<= %.2f)", met ? "met" : "MISSED",
                              limit_);
                out << target;
            }
            out << maximum << '\n';
        }
    }
    out.flush();
    return ok;
}

} // namespace tmk::bench
