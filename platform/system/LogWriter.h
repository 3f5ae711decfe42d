#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

namespace platform {

// Writes text to a descriptor from a thread of its own: callers append whole lines to a
// buffer and go on; the thread writes them in batches (64 KiB, or what came within 20 ms of
// the first line). A caller waits only when a megabyte-scale backlog has built up (a stuck
// reader), and on flush. After finish, or in a child process forked after the thread
// started, text is written at once on the caller's thread.
class LogWriter {
public:
    static constexpr std::size_t backlogLimit = 8u << 20;
    static constexpr std::size_t batchSize = 64u << 10;
    static constexpr std::chrono::milliseconds batchDelay{20};

    explicit LogWriter(int fd);
    ~LogWriter();
    LogWriter(const LogWriter&) = delete;
    LogWriter& operator=(const LogWriter&) = delete;

    void append(std::string text);
    // Returns when everything appended before the call has been written.
    void flush();
    // Flushes and ends the thread.
    void finish();

private:
    void startThread();
    void run();
    void writeOut(const std::string& text) const;
    static void lockAllBeforeFork();
    static void unlockAllInParent();
    static void forgetThreadsInChild();

    int fd_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable written_;
    std::string pending_;
    bool writing_ = false;
    int flushesWaiting_ = 0;
    bool finishing_ = false;
    std::once_flag started_;
    std::unique_ptr<std::thread> thread_;
};

}  // namespace platform
