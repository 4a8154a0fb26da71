// Small random jobs: one to three stock lengths (some with few bars), up to four fix lengths,
// a kerf, and a kind limit.
#pragma once

#include <random>

#include "engine/job_builder.h"

namespace zelk::test {

struct RandomJob {
    JobTables job;
    int kindLimit = 0;
};

inline RandomJob MakeRandomJob(unsigned seed) {
    std::mt19937 random(seed);
    auto between = [&random](int low, int high) {
        return std::uniform_int_distribution<int>(low, high)(random);
    };
    std::vector<Amount> stock;
    const int stockKinds = between(1, 3);
    for (int s = 0; s < stockKinds; ++s) {
        stock.push_back({between(0, 3) == 0 ? 50 : between(1, 4), between(80, 120) * 10});
    }
    std::vector<Amount> fix;
    const int fixKinds = between(1, 4);
    for (int k = 0; k < fixKinds; ++k) {
        fix.push_back({between(1, 4), between(15, 70) * 10 + between(0, 9)});
    }
    std::sort(fix.begin(), fix.end(),
              [](const Amount& a, const Amount& b) { return a.length > b.length; });
    Machine machine;
    machine.kerf = between(0, 3) * 5;
    return {BuildJob(stock, fix, machine), between(1, fixKinds)};
}

}  // namespace zelk::test
