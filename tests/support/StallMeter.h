#pragma once

#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <chrono>

namespace testsupport {

// The longest time the main thread's event loop did not turn while the meter ran: a timer of a
// few milliseconds notes the time between its own ticks, and a tick held up by work on the main
// thread comes as late as that work lasted. The gap still open when it is read counts too, so a
// call that blocked the thread shows even before the loop turns again. Made, run and read on the
// main thread.
class StallMeter {
public:
    static constexpr std::chrono::milliseconds kTick{5};

    StallMeter() {
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setInterval(kTick);
        QObject::connect(&timer_, &QTimer::timeout, [this] { turned(); });
    }

    // Starts afresh, forgetting the gaps of an earlier run.
    void start() {
        longest_ = 0;
        lastTurn_ = 0;
        clock_.start();
        timer_.start();
    }
    void stop() {
        turned();
        timer_.stop();
    }

    // The longest gap between two turns since the start, in milliseconds.
    double longestMilliseconds() const {
        const qint64 open = timer_.isActive() ? clock_.nsecsElapsed() - lastTurn_ : 0;
        return static_cast<double>(std::max(longest_, open)) / 1e6;
    }

private:
    void turned() {
        const qint64 now = clock_.nsecsElapsed();
        longest_ = std::max(longest_, now - lastTurn_);
        lastTurn_ = now;
    }

    QTimer timer_;
    QElapsedTimer clock_;
    qint64 longest_ = 0;   // nanoseconds
    qint64 lastTurn_ = 0;  // nanoseconds after the start
};

}  // namespace testsupport
