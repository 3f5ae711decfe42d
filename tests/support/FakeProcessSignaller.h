#pragma once

#include "platform/system/ProcessSignaller.h"

#include <map>
#include <mutex>
#include <utility>
#include <vector>

namespace testsupport {

// A process signaller over a table of running processes that the test fills: a process is
// identified from the table, and a signal reaches it only while the table still holds the
// same identity (the base class's refusals apply as they do for the real one). Every
// delivered signal is remembered; a process set to end on a signal leaves the table.
class FakeProcessSignaller : public platform::ProcessSignaller {
public:
    void run(int pid, std::uint64_t startTime, bool endsOnSignal = true) {
        std::lock_guard<std::mutex> lock(mutex_);
        running_[pid] = {startTime, endsOnSignal};
    }
    void end(int pid) {
        std::lock_guard<std::mutex> lock(mutex_);
        running_.erase(pid);
    }

    std::optional<platform::ProcessIdentity> identify(int pid) override {
        std::lock_guard<std::mutex> lock(mutex_);
        auto found = running_.find(pid);
        if (found == running_.end()) return std::nullopt;
        return platform::ProcessIdentity{pid, found->second.startTime};
    }

    // The signals delivered, in order, with the process each reached.
    std::vector<std::pair<platform::ProcessIdentity, int>> sent() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return sent_;
    }

private:
    struct Process {
        std::uint64_t startTime;
        bool endsOnSignal;
    };

    Result deliver(const platform::ProcessIdentity& process, int signal) override {
        std::lock_guard<std::mutex> lock(mutex_);
        auto found = running_.find(process.pid);
        if (found == running_.end() || found->second.startTime != process.startTime) return Result::Gone;
        sent_.emplace_back(process, signal);
        if (found->second.endsOnSignal) running_.erase(found);
        return Result::Sent;
    }

    mutable std::mutex mutex_;
    std::map<int, Process> running_;
    std::vector<std::pair<platform::ProcessIdentity, int>> sent_;
};

// Installs a signaller as the shared one while it lives.
class ScopedProcessSignaller {
public:
    explicit ScopedProcessSignaller(std::shared_ptr<platform::ProcessSignaller> signaller) {
        platform::ProcessSignaller::setShared(std::move(signaller));
    }
    ~ScopedProcessSignaller() { platform::ProcessSignaller::setShared(nullptr); }
};

}  // namespace testsupport
