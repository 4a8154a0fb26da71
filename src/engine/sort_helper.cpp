#include "engine/sort_helper.h"

namespace zelk {

SortHelper::SortHelper() : enabled_(std::thread::hardware_concurrency() > 1) {}

SortHelper::~SortHelper() {
    if (thread_.joinable()) {
        {
            std::lock_guard lock(mutex_);
            stopping_ = true;
        }
        changed_.notify_all();
        thread_.join();
    }
}

bool SortHelper::TryStart(std::function<void()> task) {
    if (!enabled_) {
        return false;
    }
    {
        std::lock_guard lock(mutex_);
        if (busy_) {
            return false;
        }
        task_ = std::move(task);
        busy_ = true;
    }
    if (!thread_.joinable()) {
        thread_ = std::thread([this] { Work(); });
    }
    changed_.notify_all();
    return true;
}

void SortHelper::Wait() {
    std::unique_lock lock(mutex_);
    changed_.wait(lock, [this] { return !busy_; });
}

void SortHelper::Work() {
    std::unique_lock lock(mutex_);
    while (true) {
        changed_.wait(lock, [this] { return busy_ || stopping_; });
        if (busy_) {
            const std::function<void()> task = std::move(task_);
            lock.unlock();
            task();
            lock.lock();
            busy_ = false;
            changed_.notify_all();
        } else {
            return;
        }
    }
}

}  // namespace zelk
