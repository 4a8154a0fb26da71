// Lists of bars and the pool that recycles bars during pattern generation, which makes and
// discards many thousands of bars per generation.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "engine/stab.h"

namespace zelk {

// An owned list of bars: a plan's bar list or candidate list.
using BarList = std::vector<std::unique_ptr<TStab>>;

// Free bars, handed out again last in, first out: the bar released last is the one most likely
// still in the processor's cache.
class BarPool {
public:
    // A free bar, reset to an empty bar of the stock length, or a new one.
    std::unique_ptr<TStab> ObtainBar(int32_t stockIndex, int32_t usable);

    // Hands a bar back for later use.
    void ReleaseBar(std::unique_ptr<TStab> bar);

    // Hands back every bar of list (places already emptied are passed over) and empties it.
    void ReleaseBars(BarList& list);

    // Frees every bar the pool holds.
    void ClearBarPool();

    // A bar with every field of bar but the score.
    std::unique_ptr<TStab> CloneBar(const TStab& bar);

    std::size_t FreeCount() const { return free_.size(); }

private:
    // The bar released last, or none.
    std::unique_ptr<TStab> TakeFree();

    std::vector<std::unique_ptr<TStab>> free_;
};

// True when some entry of list has the same pattern as bar; looks from the last entry back.
bool ContainsPattern(const BarList& list, const TStab& bar);

}  // namespace zelk
