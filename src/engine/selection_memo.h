// The next entries the search selected at the states it has reached. What a node selects depends
// on its state alone: the open pieces, the bars on hand, the budget, how many it keeps and the two
// machine limits. A plan reaches the same state again whenever it cuts the same entries in
// another order, and that is most of the nodes of a deep search. So the search keeps each state's
// selection and, when the state comes again, takes it from here instead of generating, scoring
// and sorting thousands of candidates anew: the very same entries in the very same order.
//
// The memory is bounded. The selections are kept in two generations; when the newer one is full,
// the older one is dropped and the newer one becomes the older. A selection found in the older one
// is copied into the newer, so what the search keeps coming back to stays.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "engine/bar_pool.h"
#include "engine/candidate_arena.h"

namespace zelk {

class SelectionMemo {
public:
    // Words of 32 bits one generation may hold before it is replaced.
    static constexpr std::size_t kDefaultGenerationWords = std::size_t{1} << 20;

    explicit SelectionMemo(std::size_t generationWords = kDefaultGenerationWords)
        : generationWords_(generationWords) {}

    // Forgets every selection; the storage stays.
    void Clear();

    // The selection kept for the state with this key: its entries as bars of the pool appended
    // to selected, and the number of candidates its generation made. False where none is kept.
    bool Recall(std::span<const int32_t> key, BarPool& pool, BarList& selected,
                int64_t& candidatesGenerated);

    // Keeps the records of arena.order, in order, as the selection of the state with this key.
    void Keep(std::span<const int32_t> key, const CandidateArena& arena,
              int64_t candidatesGenerated);

    // Selections handed over by Recall since the last Clear.
    int64_t Recalled() const { return recalled_; }

private:
    // The selections of one generation, word after word, and a hash table over their keys.
    struct Generation {
        std::vector<int32_t> words;
        std::vector<uint64_t> slotHashes;
        std::vector<uint32_t> slotStarts;  // where a selection starts in words, + 1; 0 is empty
        std::size_t selections = 0;

        void Clear();
        // Where the selection of the key starts in words, or -1.
        std::ptrdiff_t Find(std::span<const int32_t> key, uint64_t hash) const;
        // Reserves limit words at first, so that they never grow beyond.
        void Add(uint64_t hash, std::span<const int32_t> selection, std::size_t limit);
    };

    void Add(uint64_t hash, std::span<const int32_t> selection);

    std::size_t generationWords_;
    Generation newer_;
    Generation older_;
    std::vector<int32_t> staged_;  // a selection being put together
    int64_t recalled_ = 0;
};

}  // namespace zelk
