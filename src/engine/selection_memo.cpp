#include "engine/selection_memo.h"

#include <algorithm>
#include <cstring>

namespace zelk {

namespace {

// A selection in words: the key's length and the key, the candidates generated (low and high
// half), the number of entries, then per entry its stock length, usable length, rest, bar count,
// score (bit for bit), the number of fix lengths it holds and (fix length, count) per fix length.
constexpr std::size_t kScoreWords = (sizeof(long double) + sizeof(int32_t) - 1) / sizeof(int32_t);

uint64_t HashOf(std::span<const int32_t> key) {
    uint64_t hash = key.size();
    for (const int32_t word : key) {
        hash = (hash ^ static_cast<uint32_t>(word)) * 0x9E3779B97F4A7C15ULL;
        hash ^= hash >> 29;
    }
    hash *= 0xFF51AFD7ED558CCDULL;
    return hash ^ (hash >> 32);
}

}  // namespace

void SelectionMemo::Generation::Clear() {
    words.clear();
    std::fill(slotStarts.begin(), slotStarts.end(), 0);
    selections = 0;
}

std::ptrdiff_t SelectionMemo::Generation::Find(std::span<const int32_t> key, uint64_t hash) const {
    if (slotStarts.empty()) {
        return -1;
    }
    const std::size_t mask = slotStarts.size() - 1;
    for (std::size_t s = hash & mask; slotStarts[s] != 0; s = (s + 1) & mask) {
        if (slotHashes[s] != hash) {
            continue;
        }
        const std::size_t start = slotStarts[s] - 1;
        const auto length = static_cast<std::size_t>(words[start]);
        if (length == key.size() &&
            std::equal(key.begin(), key.end(),
                       words.begin() + static_cast<std::ptrdiff_t>(start) + 1)) {
            return static_cast<std::ptrdiff_t>(start);
        }
    }
    return -1;
}

void SelectionMemo::Generation::Add(uint64_t hash, std::span<const int32_t> selection,
                                    std::size_t limit) {
    if (2 * (selections + 1) > slotStarts.size()) {
        // Twice the slots, every selection put in again.
        const std::size_t size = std::max<std::size_t>(1024, 2 * slotStarts.size());
        std::vector<uint64_t> hashes(size);
        std::vector<uint32_t> starts(size, 0);
        for (std::size_t s = 0; s < slotStarts.size(); ++s) {
            if (slotStarts[s] != 0) {
                std::size_t t = slotHashes[s] & (size - 1);
                while (starts[t] != 0) {
                    t = (t + 1) & (size - 1);
                }
                hashes[t] = slotHashes[s];
                starts[t] = slotStarts[s];
            }
        }
        slotHashes.swap(hashes);
        slotStarts.swap(starts);
    }
    if (words.capacity() < limit) {
        words.reserve(limit);  // no growth beyond the limit; untouched pages cost nothing
    }
    const std::size_t mask = slotStarts.size() - 1;
    std::size_t s = hash & mask;
    while (slotStarts[s] != 0) {
        s = (s + 1) & mask;
    }
    slotHashes[s] = hash;
    slotStarts[s] = static_cast<uint32_t>(words.size() + 1);
    words.insert(words.end(), selection.begin(), selection.end());
    ++selections;
}

void SelectionMemo::Clear() {
    newer_.Clear();
    older_.Clear();
    recalled_ = 0;
}

void SelectionMemo::Add(uint64_t hash, std::span<const int32_t> selection) {
    if (newer_.words.size() + selection.size() > generationWords_) {
        std::swap(newer_, older_);
        newer_.Clear();
    }
    newer_.Add(hash, selection, generationWords_);
}

bool SelectionMemo::Recall(std::span<const int32_t> key, BarPool& pool, BarList& selected,
                           int64_t& candidatesGenerated) {
    const uint64_t hash = HashOf(key);
    std::ptrdiff_t start = newer_.Find(key, hash);
    if (start < 0) {
        const std::ptrdiff_t older = older_.Find(key, hash);
        if (older < 0) {
            return false;
        }
        // Its length: the key, the candidates generated, the entries and each entry's words.
        const int32_t* words = older_.words.data() + older;
        std::size_t length = 1 + key.size() + 2;
        const std::size_t entries = static_cast<std::size_t>(words[length]);
        ++length;
        for (std::size_t e = 0; e < entries; ++e) {
            length += 4 + kScoreWords;
            length += 1 + 2 * static_cast<std::size_t>(words[length]);
        }
        staged_.assign(words, words + length);
        Add(hash, staged_);
        start = static_cast<std::ptrdiff_t>(newer_.words.size() - length);
    }
    const int32_t* word = newer_.words.data() + start + 1 + key.size();
    candidatesGenerated = static_cast<int64_t>(uint64_t{static_cast<uint32_t>(word[0])} |
                                               uint64_t{static_cast<uint32_t>(word[1])} << 32);
    const int32_t entries = word[2];
    word += 3;
    for (int32_t e = 0; e < entries; ++e) {
        std::unique_ptr<TStab> bar = pool.ObtainBar(word[0], word[1]);
        bar->Rest = word[2];
        bar->BarCount = word[3];
        std::memcpy(&bar->Score, word + 4, sizeof(long double));
        word += 4 + kScoreWords;
        const int32_t kinds = *word++;
        for (int32_t i = 0; i < kinds; ++i, word += 2) {
            bar->Pieces[word[0]] = word[1];
        }
        selected.push_back(std::move(bar));
    }
    ++recalled_;
    return true;
}

void SelectionMemo::Keep(std::span<const int32_t> key, const CandidateArena& arena,
                         int64_t candidatesGenerated) {
    staged_.clear();
    staged_.push_back(static_cast<int32_t>(key.size()));
    staged_.insert(staged_.end(), key.begin(), key.end());
    const auto generated = static_cast<uint64_t>(candidatesGenerated);
    staged_.push_back(static_cast<int32_t>(static_cast<uint32_t>(generated)));
    staged_.push_back(static_cast<int32_t>(static_cast<uint32_t>(generated >> 32)));
    staged_.push_back(static_cast<int32_t>(arena.order.size()));
    for (const uint32_t r : arena.order) {
        staged_.insert(staged_.end(),
                       {arena.StockIndex(r), arena.Usable(r), arena.Rest(r), arena.BarCount(r)});
        int32_t score[kScoreWords] = {};
        const long double value = arena.Score(r);
        std::memcpy(score, &value, sizeof(long double));
        staged_.insert(staged_.end(), score, score + kScoreWords);
        staged_.push_back(arena.KindCount(r));
        const CandidateArena::Piece* pieces = arena.PiecesOf(r);
        for (int i = 0; i < arena.KindCount(r); ++i) {
            staged_.insert(staged_.end(), {pieces[i].kind, pieces[i].count});
        }
    }
    Add(HashOf(key), staged_);
}

}  // namespace zelk
