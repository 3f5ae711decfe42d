#pragma once

#include "core/kit/Executors.h"

#include <memory>
#include <mutex>
#include <optional>

namespace core {

// Runs tasks one at a time on an executor, where only the newest waiting task counts: a task
// given while another runs replaces any task still waiting, so after a burst the last task
// given is the last one run. For settings where only the latest value matters (a slider
// dragged over a device's volume).
class LatestTaskQueue {
public:
    explicit LatestTaskQueue(Executor executor);

    void submit(Task task);

private:
    struct State {
        std::mutex mutex;
        std::optional<Task> waiting;
        bool running = false;
    };
    static void drain(const std::shared_ptr<State>& state);

    Executor executor_;
    // Shared with the running drain, which may outlive the queue.
    std::shared_ptr<State> state_ = std::make_shared<State>();
};

}  // namespace core
