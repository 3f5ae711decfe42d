#include "support/StallMeter.h"
#include "ui/kit/desktop/Dispatch.h"

#include <QCoreApplication>
#include <QThread>
#include <QtTest>

#include <numeric>
#include <atomic>
#include <memory>
#include <thread>
#include <vector>

class DispatchTest : public QObject {
    Q_OBJECT
private slots:
    // The meter the page tests and the stall bench use: 200 ms of a task on the main thread,
    // asleep or working, are caught whole and told apart where the kernel keeps the thread's
    // scheduler figures; a new start forgets them.
    void theStallMeterCatchesATaskOnTheMainThread_data() {
        QTest::addColumn<bool>("asleep");
        QTest::newRow("sleep") << true;
        QTest::newRow("work") << false;
    }
    void theStallMeterCatchesATaskOnTheMainThread() {
        QFETCH(bool, asleep);
        testsupport::StallMeter meter;
        meter.start();
        ui::Dispatch::mainQueue([asleep] {
            const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(200);
            if (asleep) std::this_thread::sleep_until(end);
            while (std::chrono::steady_clock::now() < end) {}
        });
        QTest::qWait(50);
        meter.stop();
        const testsupport::StallMeter::Gap gap = meter.longestGap();
        QVERIFY(gap.total >= 200);
        if (gap.running + gap.queued > 0) QCOMPARE(gap.sleeping() > gap.running + gap.queued, asleep);
        meter.start();
        QVERIFY(meter.longestMilliseconds() < 200);
    }

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

    // Each poster's main-queue tasks run on the main thread in the order it posted them, and a
    // pool task sees what its poster wrote before posting it.
    void tasksFromSeveralThreadsKeepEachThreadsOrder() {
        constexpr int kThreads = 4;
        constexpr int kTasks = 200;
        std::vector<std::vector<int>> seen(kThreads);
        std::atomic<int> mainLeft{kThreads * kTasks};
        std::atomic<int> poolSeen{0};
        std::vector<std::thread> posters;
        for (int thread = 0; thread < kThreads; ++thread)
            posters.emplace_back([&, thread] {
                for (int task = 0; task < kTasks; ++task) {
                    ui::Dispatch::mainQueue([&, thread, task] {
                        if (QThread::currentThread() == QCoreApplication::instance()->thread()) seen[thread].push_back(task);
                        --mainLeft;
                    });
                    auto written = std::make_unique<int>(task);
                    ui::Dispatch::globalQueue([&, task, written = std::shared_ptr<int>(std::move(written))] {
                        if (*written == task) ++poolSeen;
                    });
                }
            });
        for (auto& poster : posters) poster.join();
        QTRY_COMPARE_WITH_TIMEOUT(mainLeft.load(), 0, 30000);
        QTRY_COMPARE_WITH_TIMEOUT(poolSeen.load(), kThreads * kTasks, 30000);
        std::vector<int> inOrder(kTasks);
        std::iota(inOrder.begin(), inOrder.end(), 0);
        for (const auto& order : seen) QCOMPARE(order, inOrder);
    }
};

QTEST_GUILESS_MAIN(DispatchTest)
#include "tst_dispatch.moc"
