#include "platform/system/ParkedThreads.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <set>
#include <thread>

using platform::ParkedThreads;

namespace {

// Jobs that each wait until all of them run at once, and say on which thread they ran.
class Gathering {
public:
    explicit Gathering(size_t jobs) : expected_(jobs) {}

    void arriveAndWait() {
        std::unique_lock<std::mutex> lock(mutex_);
        threads_.insert(std::this_thread::get_id());
        ++arrived_;
        changed_.notify_all();
        changed_.wait(lock, [this] { return arrived_ >= expected_; });
        ++done_;
        changed_.notify_all();
    }
    std::set<std::thread::id> waitUntilDone() {
        std::unique_lock<std::mutex> lock(mutex_);
        changed_.wait(lock, [this] { return done_ == expected_; });
        return threads_;
    }

private:
    const size_t expected_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::set<std::thread::id> threads_;
    size_t arrived_ = 0, done_ = 0;
};

}  // namespace

// Jobs that must run side by side each get a thread, however many threads are already kept and
// whether or not they are parked yet; none runs on the caller's thread.
TEST(ParkedThreads, JobsThatWaitForEachOtherAllRunAtOnce) {
    for (int round = 0; round < 3; ++round) {
        Gathering gathering(4);
        for (int job = 0; job < 4; ++job) ParkedThreads::shared().run([&gathering] { gathering.arriveAndWait(); });
        const std::set<std::thread::id> threads = gathering.waitUntilDone();
        EXPECT_EQ(threads.size(), 4u);
        EXPECT_EQ(threads.count(std::this_thread::get_id()), 0u);
    }
}
