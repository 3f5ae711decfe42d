#pragma once

#include "core/kit/StopToken.h"

#include <condition_variable>
#include <mutex>

namespace core::largefiles {

// The pause switch that every scan of the large-file finder shares (one for the process).
// Walkers wait at it between folders; a stop of their scan releases them at once.
class Progress {
public:
    static Progress& shareInit();

    // Returns at once when not paused; else waits until the switch is turned off or the
    // given scan is stopped (a stop must call wake).
    void isPause(const StopToken& stop);
    // Flips the switch.
    void isContinue();
    // Turns the switch off, whatever it was.
    void resume();
    // True while paused.
    bool getProgress() const;
    // Lets waiting walkers look at their stop token again.
    void wake();

private:
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    bool isScanPause_ = false;
};

}  // namespace core::largefiles
