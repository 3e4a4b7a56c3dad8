#pragma once

// What the benchmarks share: the number of runs from the command line, and a measure taken once
// per run, judged by its worst value and printed as one row of the results table.

#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <initializer_list>
#include <vector>

namespace bdx4::bench {

/// `--runs N` (at least 1), else `fallback`.
inline int runsFrom(const QStringList& args, int fallback = 5) {
    const qsizetype at = args.indexOf(QStringLiteral("--runs"));
    return at > 0 && at + 1 < args.size() ? std::max(1, args[at + 1].toInt()) : fallback;
}

struct Series {
    const char* name;
    std::vector<double> values;
    double target; ///< the worst value may be at most this

    double median() const {
        std::vector<double> v = values;
        std::sort(v.begin(), v.end());
        return v.empty() ? 0 : v[v.size() / 2];
    }
    double worst() const {
        return values.empty() ? 0 : *std::max_element(values.begin(), values.end());
    }
    bool met() const { return !values.empty() && worst() <= target; }
};

/// The table of `series` under its heading; true when every target is met.
inline bool printSeries(std::initializer_list<const Series*> series) {
    bool met = true;
    std::printf("%-46s %9s %9s %9s\n", "measure", "median", "worst", "target");
    for (const Series* s : series) {
        std::printf("%-46s %9.4f %9.4f %9.2f  %s\n", s->name, s->median(), s->worst(), s->target,
                    s->met() ? "ok" : "MISSED");
        met &= s->met();
    }
    return met;
}

} // namespace bdx4::bench
