// The job the engine works on: machine-derived lengths, stock lengths and fix lengths as whole
// hundredths of the display unit, filled by ReadJob. Arrays are 1-based (entry 0 is unused) and
// hold zeros beyond the filled count.
#pragma once

#include <array>
#include <cstdint>

namespace zelk {

inline constexpr int kMaxKinds = 80;

using KindArray = std::array<int32_t, kMaxKinds + 1>;

struct JobTables {
    int32_t StockKinds = 0;
    KindArray StockLength{};     // nominal stock length
    KindArray StockUsable{};     // StockLength - TrimCut - ClampRest - KerfTol, may be <= 0
    KindArray StockCountOrig{};  // bars on hand, as entered

    int32_t FixKinds = 0;
    KindArray FixLength{};     // nominal fix length, longest first
    KindArray FixEffLength{};  // FixLength + KerfTol: what one piece takes from a bar
    KindArray FixCountOrig{};  // pieces ordered, > 0
    KindArray FixGroup{};      // 1, 2 or 3: the fix list the entry came from

    int32_t LongPieceLimit = 0;  // pieces at least this long (effective) are enumerated

    bool operator==(const JobTables&) const = default;
};

}  // namespace zelk
