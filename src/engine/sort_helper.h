// A second thread for the list sort. A sort over a long list hands the left part of a pass to it
// and goes on with the right part itself: the parts do not overlap and each is sorted with the very
// same steps, so the outcome is exactly that of the sort on one thread. On a machine with a single
// core the thread is never started and every sort runs on the caller's thread.
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace zelk {

class SortHelper {
public:
    SortHelper();
    ~SortHelper();

    SortHelper(const SortHelper&) = delete;
    SortHelper& operator=(const SortHelper&) = delete;

    // Starts task on the helper thread when there is one and it is free; false otherwise.
    bool TryStart(std::function<void()> task);

    // Waits until the helper has ended every task started on it.
    void Wait();

private:
    void Work();

    const bool enabled_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::function<void()> task_;
    bool busy_ = false;
    bool stopping_ = false;
    std::thread thread_;  // started with the first task
};

}  // namespace zelk
