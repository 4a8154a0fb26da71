// Jobs for the engine tests, built the way reading the order fills the job tables.
#pragma once

#include <algorithm>
#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "engine/bar_pool.h"
#include "job/job_tables.h"

namespace zelk::test {

struct Amount {
    int32_t count;
    int32_t length;  // hundredths
};

struct Machine {
    int32_t trimCut = 0;
    int32_t clampRest = 0;
    int32_t kerf = 0;
    int32_t tolerance = 0;
};

// Fix lengths are given longest first, as the merged fix lists deliver them.
inline JobTables BuildJob(const std::vector<Amount>& stock, const std::vector<Amount>& fix,
                          Machine machine = {}) {
    JobTables job;
    const int32_t kerfTol = machine.kerf + machine.tolerance;
    job.StockKinds = static_cast<int32_t>(stock.size());
    for (int i = 1; i <= job.StockKinds; ++i) {
        job.StockCountOrig[i] = stock[i - 1].count;
        job.StockLength[i] = stock[i - 1].length;
        job.StockUsable[i] = job.StockLength[i] - machine.trimCut - machine.clampRest - kerfTol;
        job.LongPieceLimit = std::max(job.LongPieceLimit,
                                      static_cast<int32_t>(int64_t{job.StockUsable[i]} * 2 / 100));
    }
    job.FixKinds = static_cast<int32_t>(fix.size());
    for (int k = 1; k <= job.FixKinds; ++k) {
        job.FixCountOrig[k] = fix[k - 1].count;
        job.FixLength[k] = fix[k - 1].length;
        job.FixEffLength[k] = job.FixLength[k] + kerfTol;
        job.FixGroup[k] = 1;
    }
    // At most 14 fix lengths stay above the limit.
    while (true) {
        int above = 0;
        int32_t shortestAbove = 0;
        for (int k = 1; k <= job.FixKinds; ++k) {
            if (job.FixLength[k] > job.LongPieceLimit) {
                ++above;
                shortestAbove =
                    above == 1 ? job.FixLength[k] : std::min(shortestAbove, job.FixLength[k]);
            }
        }
        if (above < 15) {
            break;
        }
        job.LongPieceLimit = shortestAbove;
    }
    return job;
}

// The job of the worked example: one stock length of 1000 with 3 bars; 600 x 2, 300 x 3,
// 100 x 5; no trim cut, clamp rest or kerf.
inline JobTables ExampleJob() {
    return BuildJob({{3, 1000}}, {{2, 600}, {3, 300}, {5, 100}});
}

// A bar with the given pieces of fix lengths 1, 2, ...
inline TStab Bar(int32_t stockIndex, int32_t usable, int32_t rest, std::vector<int32_t> pieces,
                 int32_t barCount = 0) {
    TStab bar(stockIndex, usable);
    bar.Rest = rest;
    bar.BarCount = barCount;
    for (std::size_t k = 0; k < pieces.size(); ++k) {
        bar.Pieces[k + 1] = pieces[k];
    }
    return bar;
}

// "bar count x pieces per fix length, rest", e.g. "2 x 1/1/1 r0", with " s2" added for a bar
// of another stock length than the first.
inline std::string Describe(const TStab& bar, int fixKinds) {
    std::ostringstream text;
    text << bar.BarCount << " x ";
    for (int k = 1; k <= fixKinds; ++k) {
        text << (k > 1 ? "/" : "") << bar.Pieces[k];
    }
    text << " r" << bar.Rest;
    if (bar.StockIndex != 1) {
        text << " s" << bar.StockIndex;
    }
    return text.str();
}

inline std::vector<std::string> Describe(const BarList& list, int fixKinds) {
    std::vector<std::string> lines;
    for (const std::unique_ptr<TStab>& bar : list) {
        lines.push_back(Describe(*bar, fixKinds));
    }
    return lines;
}

}  // namespace zelk::test
