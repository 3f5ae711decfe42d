#include "ui/kit/desktop/Dispatch.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThreadPool>
#include <QTimer>

#include <thread>

namespace ui {

void Dispatch::mainQueue(core::Task task) {
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(task), Qt::QueuedConnection);
}

void Dispatch::mainQueueAfter(std::chrono::milliseconds delay, core::Task task) {
    // A timer must be started on the thread it fires on, so the main thread starts it.
    mainQueue([delay, task = std::move(task)]() mutable {
        QTimer::singleShot(delay, QCoreApplication::instance(), std::move(task));
    });
}

void Dispatch::globalQueue(core::Task task) { QThreadPool::globalInstance()->start(std::move(task)); }

void Dispatch::detached(core::Task task) { std::thread(std::move(task)).detach(); }

core::Executors Dispatch::executors() {
    return core::Executors{&Dispatch::mainQueue, &Dispatch::globalQueue, &Dispatch::detached, &Dispatch::mainQueueAfter};
}

}  // namespace ui
