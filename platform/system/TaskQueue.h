#pragma once

#include <deque>
#include <functional>
#include <mutex>

namespace platform {

// Tasks handed from one thread to another wait here, behind a standard mutex, while the
// receiving thread's own machinery (Qt's event queue or thread pool, a GLib main context)
// carries only the wake-up. The mutex orders each hand-over in a way ThreadSanitizer follows:
// Qt and GLib wait on futexes it cannot see, so a task carried by them would look unordered
// with everything its poster wrote.
class TaskQueue {
public:
    using Task = std::function<void()>;

    void push(Task task);
    // One task for each push, in the order they were pushed.
    Task pop();

private:
    std::mutex mutex_;
    std::deque<Task> tasks_;
};

}  // namespace platform
