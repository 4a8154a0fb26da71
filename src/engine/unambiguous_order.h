// Reading the front of the list sort's outcome without the sort. The list sort is not stable:
// where entries of equal key end depends on its very steps and on the order they came in. But
// where all entries of one key hold the same pattern, every order sorted by key holds the same
// pattern at each place, whichever of them stands there. So when every key read has only one
// pattern, a plain selection of the smallest keys hands over the very patterns the list sort
// would, in the same order; and when a key read has two patterns, the caller sorts faithfully.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/candidate_arena.h"

namespace zelk {

// A candidate record and its sort key, for the orders read only at their front.
struct KeyedRecord {
    int64_t key;
    uint32_t record;
};

// Hands the records of entries to take in rising key order until take declines (returns false)
// or all are handed over; taken is the number take accepted. The entries are rearranged:
// entries[0 .. taken - 1] are those handed over and accepted, in order, and the others follow.
// Returns false when a key handed over is also held by a record of another pattern; then the
// list sort could have handed over other patterns, and what take received does not count.
template <typename Take>
bool TakeInKeyOrder(std::vector<KeyedRecord>& entries, const CandidateArena& arena, Take& take,
                    std::size_t& taken) {
    const auto byKey = [](const KeyedRecord& a, const KeyedRecord& b) { return a.key < b.key; };
    const std::size_t count = entries.size();
    constexpr std::size_t kFirstSorted = 16;
    std::size_t sorted = 0;  // entries[0 .. sorted - 1] are the smallest keys, in rising order
    std::size_t p = 0;
    for (;; ++p) {
        if (p == sorted) {
            if (sorted == count) {
                break;
            }
            // The entries beyond the sorted ones are none smaller, so the sorted front grows; a
            // short list is sorted whole at once.
            std::size_t more = std::min(count, std::max(2 * sorted, kFirstSorted));
            if (count <= 2 * kFirstSorted || more == count) {
                more = count;
                std::sort(entries.begin() + static_cast<std::ptrdiff_t>(sorted), entries.end(),
                          byKey);
            } else {
                std::partial_sort(entries.begin() + static_cast<std::ptrdiff_t>(sorted),
                                  entries.begin() + static_cast<std::ptrdiff_t>(more),
                                  entries.end(), byKey);
            }
            sorted = more;
        }
        if (!take(entries[p].record)) {
            break;
        }
    }
    taken = p;
    if (taken == 0) {
        return true;
    }
    // Every key up to the last one handed over: one pattern among its sorted entries, and the
    // last key's entries among the unsorted ones (if it reaches them) of the same pattern too.
    const KeyedRecord& last = entries[taken - 1];
    for (std::size_t q = 0; q + 1 < sorted && entries[q + 1].key <= last.key; ++q) {
        if (entries[q].key == entries[q + 1].key &&
            !arena.SamePattern(entries[q].record, entries[q + 1].record)) {
            return false;
        }
    }
    if (entries[sorted - 1].key == last.key) {
        return std::all_of(entries.begin() + static_cast<std::ptrdiff_t>(sorted), entries.end(),
                           [&](const KeyedRecord& e) {
                               return e.key != last.key || arena.SamePattern(e.record, last.record);
                           });
    }
    return true;
}

// Whether some key of entries is held by records of two patterns: then the order of the records
// of that key depends on the steps of the sort that put them there. Found by a hash table over
// the keys, ending at the first such key.
inline bool SomeKeyHasTwoPatterns(const std::vector<KeyedRecord>& entries,
                                  const CandidateArena& arena) {
    constexpr uint32_t kEmpty = UINT32_MAX;
    int bits = 4;
    while ((std::size_t{1} << bits) < 2 * entries.size()) {
        ++bits;
    }
    const std::size_t mask = (std::size_t{1} << bits) - 1;
    thread_local std::vector<KeyedRecord> slots;
    slots.assign(mask + 1, {0, kEmpty});
    for (const KeyedRecord& entry : entries) {
        std::size_t s = (static_cast<uint64_t>(entry.key) * 0x9E3779B97F4A7C15ULL) >> (64 - bits);
        while (slots[s].record != kEmpty && slots[s].key != entry.key) {
            s = (s + 1) & mask;
        }
        if (slots[s].record == kEmpty) {
            slots[s] = entry;
        } else if (!arena.SamePattern(slots[s].record, entry.record)) {
            return true;
        }
    }
    return false;
}

}  // namespace zelk
