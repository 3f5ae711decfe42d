#include "platform/system/LogWriter.h"

#include <pthread.h>
#include <unistd.h>

#include <cerrno>
#include <set>

namespace platform {
namespace {

// The writers that have a thread; a forked child keeps their buffers but not their threads.
// Never destroyed, as a writer may finish at exit after the static objects are gone.
std::mutex& writersMutex() {
    static auto* mutex = new std::mutex;
    return *mutex;
}

std::set<LogWriter*>& threadedWriters() {
    static auto* writers = new std::set<LogWriter*>;
    return *writers;
}

}  // namespace

LogWriter::LogWriter(int fd, SystemLog systemLog) : LogWriter(fd, std::move(systemLog), SystemBound{}) {}

LogWriter::LogWriter(int fd, SystemLog systemLog, SystemBound bound)
    : fd_(fd), systemLog_(std::move(systemLog)), bound_(bound) {}

LogWriter::~LogWriter() { finish(); }

void LogWriter::append(std::string text, std::optional<SystemLine> systemLine) {
    std::call_once(started_, [this] { startThread(); });
    std::unique_lock<std::mutex> lock(mutex_);
    written_.wait(lock, [this] { return pending_.size() < backlogLimit || finishing_; });
    if (finishing_) {
        lock.unlock();
        writeOut(text);
        if (systemLine && systemLog_) systemLog_(*systemLine);
        return;
    }
    const bool wasIdle = idle();
    pending_ += text;
    if (systemLine) admitSystemLine(std::move(*systemLine), Clock::now());
    // The thread sleeps only when it has nothing to do, and gathers a batch before it writes.
    if (wasIdle || pending_.size() >= batchSize) wake_.notify_one();
}

void LogWriter::flush() {
    std::unique_lock<std::mutex> lock(mutex_);
    ++flushesWaiting_;
    wake_.notify_one();
    written_.wait(lock, [this] { return (idle() && !writing_) || !thread_; });
    --flushesWaiting_;
}

void LogWriter::finish() {
    bool finishedBefore = false;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        finishedBefore = finishing_;
        finishing_ = true;
    }
    if (!finishedBefore) {
        wake_.notify_one();
        written_.notify_all();
        if (thread_) thread_->join();
    }
    // A forked child's writers were finished by the fork and are still listed.
    std::lock_guard<std::mutex> writers(writersMutex());
    threadedWriters().erase(this);
}

bool LogWriter::idle() const { return pending_.empty() && systemPending_.empty(); }

// Called with the lock held.
void LogWriter::admitSystemLine(SystemLine line, Clock::time_point now) {
    if (now >= windowEnd_) closeSystemWindow(now);
    if (windowSent_ < bound_.burst) {
        systemPending_.push_back(std::move(line));
        ++windowSent_;
        return;
    }
    ++windowKept_;
    keptPriority_ = line.priority;
}

// Called with the lock held: the lines kept out of the window that ends are told as one.
void LogWriter::closeSystemWindow(Clock::time_point now) {
    if (windowKept_ > 0)
        systemPending_.push_back({keptPriority_, std::to_string(windowKept_) + " more lines were kept out of the system log"});
    windowKept_ = 0;
    windowSent_ = 0;
    windowEnd_ = now + bound_.window;
}

// Never called with a lock held: the fork handlers take the locks in the other order.
void LogWriter::startThread() {
    static std::once_flag forkHandlers;
    std::call_once(forkHandlers, [] { pthread_atfork(lockAllBeforeFork, unlockAllInParent, forgetThreadsInChild); });
    {
        std::lock_guard<std::mutex> writers(writersMutex());
        threadedWriters().insert(this);
    }
    std::lock_guard<std::mutex> lock(mutex_);
    if (!finishing_) thread_ = std::make_unique<std::thread>([this] { run(); });
}

void LogWriter::run() {
    std::unique_lock<std::mutex> lock(mutex_);
    const auto hasWork = [this] { return !idle() || finishing_; };
    for (;;) {
        // With lines kept out of the system log, the end of their window is work too.
        if (windowKept_ > 0 && !finishing_) {
            if (!wake_.wait_until(lock, windowEnd_, hasWork)) closeSystemWindow(Clock::now());
        } else {
            wake_.wait(lock, hasWork);
        }
        if (finishing_ && windowKept_ > 0) closeSystemWindow(Clock::now());
        if (idle()) {
            if (finishing_) return;
            continue;
        }
        wake_.wait_for(lock, batchDelay, [this] { return pending_.size() >= batchSize || finishing_ || flushesWaiting_ > 0; });
        std::string text;
        text.swap(pending_);
        std::vector<SystemLine> lines;
        lines.swap(systemPending_);
        writing_ = true;
        lock.unlock();
        written_.notify_all();  // room in the backlog again
        writeOut(text);
        sendOut(lines);
        lock.lock();
        writing_ = false;
        written_.notify_all();
    }
}

void LogWriter::writeOut(const std::string& text) const {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t count = write(fd_, text.data() + done, text.size() - done);
        if (count < 0 && errno == EINTR) continue;
        if (count <= 0) return;  // nowhere to write: the lines are lost, the caller goes on
        done += static_cast<std::size_t>(count);
    }
}

void LogWriter::sendOut(const std::vector<SystemLine>& lines) const {
    if (!systemLog_) return;
    for (const SystemLine& line : lines) systemLog_(line);
}

// A fork copies the locks as they are: each is taken first, so the child never inherits one
// held by a thread it does not have.
void LogWriter::lockAllBeforeFork() {
    writersMutex().lock();
    for (LogWriter* writer : threadedWriters()) writer->mutex_.lock();
}

void LogWriter::unlockAllInParent() {
    for (LogWriter* writer : threadedWriters()) writer->mutex_.unlock();
    writersMutex().unlock();
}

// In the child only the forking thread exists: each writer's thread is gone (its handle is
// let go, never joined), and what the parent had pending is the parent's to write. Nothing
// here allocates or frees, as the child of a process with threads may only make
// async-signal-safe calls until it execs; the list keeps the writers until they finish.
void LogWriter::forgetThreadsInChild() {
    for (LogWriter* writer : threadedWriters()) {
        writer->pending_.clear();
        writer->systemPending_.clear();
        writer->windowKept_ = 0;
        writer->writing_ = false;
        writer->finishing_ = true;
        static_cast<void>(writer->thread_.release());
        writer->mutex_.unlock();
    }
    writersMutex().unlock();
}

}  // namespace platform
