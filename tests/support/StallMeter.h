#pragma once

#include <QElapsedTimer>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <fstream>

namespace testsupport {

// The longest time the main thread's event loop did not turn while the meter ran: a timer of a
// few milliseconds notes the time between its own ticks, and a tick held up by work on the main
// thread comes as late as that work lasted. The gap still open when it is read counts too, so a
// call that blocked the thread shows even before the loop turns again. Made, run and read on the
// main thread.
//
// Where the kernel keeps scheduler figures per thread (Linux: /proc/thread-self/schedstat) the
// longest gap is also split into the time the thread ran, the time it was ready but waited for
// a processor (other programs' load) and the rest, in which it slept: a wait for a lock, a disk
// or a service.
class StallMeter {
public:
    static constexpr std::chrono::milliseconds kTick{5};

    // A gap, in milliseconds; without the scheduler figures running and queued stay 0.
    struct Gap {
        double total = 0;
        double running = 0;
        double queued = 0;
        double sleeping() const { return std::max(0.0, total - running - queued); }
    };

    StallMeter() {
        timer_.setTimerType(Qt::PreciseTimer);
        timer_.setInterval(kTick);
        QObject::connect(&timer_, &QTimer::timeout, [this] { turned(); });
    }

    // Starts afresh, forgetting the gaps of an earlier run.
    void start() {
        longest_ = {};
        clock_.start();
        lastTurn_ = sample();
        timer_.start();
    }
    void stop() {
        turned();
        timer_.stop();
    }

    // The longest gap between two turns since the start, in milliseconds.
    double longestMilliseconds() const { return longestGap().total; }
    Gap longestGap() const {
        if (!timer_.isActive()) return longest_;
        const Gap open = between(lastTurn_, sample());
        return open.total > longest_.total ? open : longest_;
    }

private:
    // Nanoseconds since the start, and the thread's own running and queued time.
    struct Sample {
        qint64 at = 0;
        long long running = 0;
        long long queued = 0;
    };

    Sample sample() const {
        Sample now;
        now.at = clock_.nsecsElapsed();
        std::ifstream figures("/proc/thread-self/schedstat");
        figures >> now.running >> now.queued;
        return now;
    }
    static Gap between(const Sample& from, const Sample& to) {
        return {static_cast<double>(to.at - from.at) / 1e6, static_cast<double>(to.running - from.running) / 1e6,
                static_cast<double>(to.queued - from.queued) / 1e6};
    }
    void turned() {
        const Sample now = sample();
        const Gap gap = between(lastTurn_, now);
        if (gap.total > longest_.total) longest_ = gap;
        lastTurn_ = now;
    }

    QTimer timer_;
    QElapsedTimer clock_;
    Gap longest_;
    Sample lastTurn_;
};

}  // namespace testsupport
