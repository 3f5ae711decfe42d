#include "ui/kit/desktop/Dispatch.h"

#include <QCoreApplication>
#include <QThread>
#include <QtTest>

#include <atomic>
#include <thread>

class DispatchTest : public QObject {
    Q_OBJECT
private slots:
    void delayedWorkFromAWorkerRunsOnTheMainThread() {
        std::atomic<bool> ran{false};
        QThread* ranOn = nullptr;
        std::thread worker([&] {
            ui::Dispatch::executors().mainAfter(std::chrono::milliseconds(10), [&] {
                ranOn = QThread::currentThread();
                ran = true;
            });
        });
        worker.join();
        QTRY_VERIFY_WITH_TIMEOUT(ran.load(), 30000);
        QCOMPARE(ranOn, QCoreApplication::instance()->thread());
    }
};

QTEST_GUILESS_MAIN(DispatchTest)
#include "tst_dispatch.moc"
