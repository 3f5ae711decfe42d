#include "ui/kit/Dispatch.h"

#include <QCoreApplication>
#include <QMetaObject>
#include <QThreadPool>

#include <thread>

namespace ui {

void Dispatch::mainQueue(core::Task task) {
    QMetaObject::invokeMethod(QCoreApplication::instance(), std::move(task), Qt::QueuedConnection);
}

void Dispatch::globalQueue(core::Task task) { QThreadPool::globalInstance()->start(std::move(task)); }

void Dispatch::detached(core::Task task) { std::thread(std::move(task)).detach(); }

core::Executors Dispatch::executors() { return core::Executors{&Dispatch::mainQueue, &Dispatch::globalQueue, &Dispatch::detached}; }

}  // namespace ui
