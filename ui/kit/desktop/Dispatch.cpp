#include "ui/kit/desktop/Dispatch.h"

#include "platform/system/TaskQueue.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThreadPool>
#include <QTimer>

#include <thread>

namespace ui {
namespace {

using platform::TaskQueue;

// The tasks wait in queues of ours; Qt carries only the wake-up. Never destroyed: a detached
// thread may still post while the process exits.
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
