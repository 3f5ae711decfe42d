#pragma once

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace platform {

// Writes text to a descriptor from a thread of its own: callers append whole lines to a
// buffer and go on; the thread writes them in batches (64 KiB, or what came within 20 ms of
// the first line). A line may also be meant for the system log, which the same thread hands
// on after the batch it came with: at most a burst's worth of such lines in any window of
// time, the rest counted, and the count sent once that window is over, so a burst of warnings neither
// floods the system log nor holds up the threads that logged them. A caller waits only when a
// megabyte-scale backlog has built up (a stuck reader), and on flush. After finish, or in a
// child process forked after the thread started, everything is written at once on the
// caller's thread.
class LogWriter {
public:
    static constexpr std::size_t backlogLimit = 8u << 20;
    static constexpr std::size_t batchSize = 64u << 10;
    static constexpr std::chrono::milliseconds batchDelay{20};

    struct SystemLine {
        int priority = 0;
        std::string text;
    };
    using SystemLog = std::function<void(const SystemLine&)>;
    struct SystemBound {
        std::size_t burst = 100;
        std::chrono::milliseconds window{1000};
    };

    explicit LogWriter(int fd, SystemLog systemLog = {});
    LogWriter(int fd, SystemLog systemLog, SystemBound bound);
    ~LogWriter();
    LogWriter(const LogWriter&) = delete;
    LogWriter& operator=(const LogWriter&) = delete;

    void append(std::string text, std::optional<SystemLine> systemLine = std::nullopt);
    // Returns when everything appended before the call has been written and handed on.
    void flush();
    // Flushes, sends the count of lines kept out of the system log, and ends the thread.
    void finish();

private:
    using Clock = std::chrono::steady_clock;

    void startThread();
    void run();
    bool idle() const;
    void admitSystemLine(SystemLine line, Clock::time_point now);
    void closeSystemWindow(Clock::time_point now);
    void writeOut(const std::string& text) const;
    void sendOut(const std::vector<SystemLine>& lines) const;
    static void lockAllBeforeFork();
    static void unlockAllInParent();
    static void forgetThreadsInChild();

    int fd_;
    SystemLog systemLog_;
    SystemBound bound_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable written_;
    std::string pending_;
    std::vector<SystemLine> systemPending_;
    Clock::time_point windowEnd_{};
    std::size_t windowSent_ = 0;
    std::size_t windowKept_ = 0;  // lines of this window kept out of the system log
    int keptPriority_ = 0;
    bool writing_ = false;
    int flushesWaiting_ = 0;
    bool finishing_ = false;
    std::once_flag started_;
    std::unique_ptr<std::thread> thread_;
};

}  // namespace platform
