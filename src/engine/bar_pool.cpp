#include "engine/bar_pool.h"

#include <algorithm>

namespace zelk {

std::unique_ptr<TStab> BarPool::TakeFree() {
    if (free_.empty()) {
        return nullptr;
    }
    std::unique_ptr<TStab> bar = std::move(free_.back());
    free_.pop_back();
    return bar;
}

std::unique_ptr<TStab> BarPool::ObtainBar(int32_t stockIndex, int32_t usable) {
    std::unique_ptr<TStab> bar = TakeFree();
    if (!bar) {
        return std::make_unique<TStab>(stockIndex, usable);
    }
    bar->MakeEmpty(stockIndex, usable);
    return bar;
}

void BarPool::ReleaseBar(std::unique_ptr<TStab> bar) {
    free_.push_back(std::move(bar));
}

void BarPool::ReleaseBars(BarList& list) {
    for (std::unique_ptr<TStab>& bar : list) {
        if (bar) {
            free_.push_back(std::move(bar));
        }
    }
    list.clear();
}

void BarPool::ClearBarPool() {
    free_.clear();
}

std::unique_ptr<TStab> BarPool::CloneBar(const TStab& bar) {
    // CopyFrom sets every field that resetting would, so a recycled bar needs no reset first.
    std::unique_ptr<TStab> clone = TakeFree();
    if (!clone) {
        clone = std::make_unique<TStab>();
    }
    clone->CopyFrom(bar);
    return clone;
}

bool ContainsPattern(const BarList& list, const TStab& bar) {
    return std::any_of(list.rbegin(), list.rend(), [&bar](const std::unique_ptr<TStab>& entry) {
        return entry->SamePattern(bar);
    });
}

}  // namespace zelk
