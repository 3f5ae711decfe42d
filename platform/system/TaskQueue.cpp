#include "platform/system/TaskQueue.h"

namespace platform {

void TaskQueue::push(Task task) {
    std::lock_guard<std::mutex> lock(mutex_);
    tasks_.push_back(std::move(task));
}

TaskQueue::Task TaskQueue::pop() {
    std::lock_guard<std::mutex> lock(mutex_);
    Task task = std::move(tasks_.front());
    tasks_.pop_front();
    return task;
}

}  // namespace platform
