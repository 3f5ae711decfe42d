#pragma once

#include "core/browser/BrowerObj.h"
#include "core/browser/PassedOverNode.h"
#include "core/browser/RunningBrowsers.h"
#include "core/kit/ProgressState.h"
#include "core/kit/StopToken.h"

#include <chrono>
#include <vector>

namespace core::browser {

// One clean of the browser list. Made on the main thread from a copy of the list (so the page
// may go on drawing its own), run on a worker: it waits for the browsers that were asked to
// quit, then cleans what is ticked, passing over the nodes of a browser still running; applied
// back on the main thread.
class BrowserCleanJob {
public:
    // Progress stages: waiting for the browsers to quit, then cleaning.
    static constexpr int kWaitingForBrowsers = 0;
    static constexpr int kCleaning = 1;

    BrowserCleanJob(const BrowserList& browserArr, std::vector<RunningBrowser> askedToQuit,
                    std::chrono::milliseconds quitTimeout);

    void run(const StopToken* stop = nullptr);
    // The sizes and ticks the clean left, into the list it was made from.
    void applyTo(BrowserList& browserArr) const;

    const ProgressState& progress() const { return progress_; }
    // The ticked nodes the run passed over, once it has ended.
    const std::vector<PassedOverNode>& passedOver() const { return passedOver_; }

private:
    static BrowserList copyOf(const BrowserList& browserArr);

    BrowserList list_;
    std::vector<RunningBrowser> askedToQuit_;
    std::chrono::milliseconds quitTimeout_;
    ProgressState progress_;
    std::vector<PassedOverNode> passedOver_;
};

}  // namespace core::browser
