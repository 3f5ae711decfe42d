#include "ui/kit/desktop/Dispatch.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThreadPool>
#include <QTimer>

#include <deque>
#include <mutex>
#include <thread>

namespace ui {
namespace {

// Tasks handed to the main thread or the pool wait in a queue of ours, behind a standard mutex,
// and Qt carries only the wake-up. The mutex orders each hand-over in a way ThreadSanitizer
// follows; Qt's own queues wait on futexes it cannot see, so a task would look unordered with
// everything its poster wrote.
class TaskQueue {
public:
    void push(core::Task task) {
        std::lock_guard<std::mutex> lock(mutex_);
        tasks_.push_back(std::move(task));
    }
    // One task for each push, in the order they were pushed.
    core::Task pop() {
        std::lock_guard<std::mutex> lock(mutex_);
        core::Task task = std::move(tasks_.front());
        tasks_.pop_front();
        return task;
    }

private:
    std::mutex mutex_;
    std::deque<core::Task> tasks_;
};

// Never destroyed: a detached thread may still post while the process exits.
TaskQueue& mainTasks() {
    static TaskQueue* const queue = new TaskQueue;
    return *queue;
}

TaskQueue& poolTasks() {
    static TaskQueue* const queue = new TaskQueue;
    return *queue;
}

}  // namespace

// Runs one main-queue task for each call, on the main thread. It is called by name, so Qt
// makes the queued call's event itself and none of it is written by the posting thread.
class MainQueueReceiver : public QObject {
    Q_OBJECT
public:
    Q_INVOKABLE void runOneTask() { mainTasks().pop()(); }
};

namespace {

MainQueueReceiver* mainReceiver = nullptr;

// Made on the main thread as the application object is made, before any thread can post, so
// every poster finds it whole. It lives as long as the process.
void makeMainReceiver() {
    if (!mainReceiver) mainReceiver = new MainQueueReceiver;
}

}  // namespace

Q_COREAPP_STARTUP_FUNCTION(makeMainReceiver)

void Dispatch::mainQueue(core::Task task) {
    mainTasks().push(std::move(task));
    QMetaObject::invokeMethod(mainReceiver, "runOneTask", Qt::QueuedConnection);
}

void Dispatch::mainQueueAfter(std::chrono::milliseconds delay, core::Task task) {
    // A timer must be started on the thread it fires on, so the main thread starts it.
    mainQueue([delay, task = std::move(task)]() mutable {
        QTimer::singleShot(delay, QCoreApplication::instance(), std::move(task));
    });
}

void Dispatch::globalQueue(core::Task task) {
    poolTasks().push(std::move(task));
    QThreadPool::globalInstance()->start([] { poolTasks().pop()(); });
}

void Dispatch::detached(core::Task task) { std::thread(std::move(task)).detach(); }

core::Executors Dispatch::executors() {
    return core::Executors{&Dispatch::mainQueue, &Dispatch::globalQueue, &Dispatch::detached, &Dispatch::mainQueueAfter};
}

}  // namespace ui

#include "Dispatch.moc"
