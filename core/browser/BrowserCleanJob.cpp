#include "core/browser/BrowserCleanJob.h"

#include "core/browser/BrowserItemCleaner.h"

namespace core::browser {

BrowserCleanJob::BrowserCleanJob(const BrowserList& browserArr, std::vector<RunningBrowser> askedToQuit,
                                 std::chrono::milliseconds quitTimeout)
    : list_(copyOf(browserArr)), askedToQuit_(std::move(askedToQuit)), quitTimeout_(quitTimeout) {}

void BrowserCleanJob::run(const StopToken* stop) {
    progress_.beginStage(kWaitingForBrowsers, askedToQuit_.size());
    const auto stillRunning = RunningBrowsers::waitForExit(askedToQuit_, quitTimeout_, stop);
    if (stop && stop->stopRequested()) return;
    passedOver_ = BrowserItemCleaner().cleanBrowerFiles(
        list_, [&](const BrowerObj& node) { return stillRunning.count(node.browserKey) > 0; }, &progress_);
}

void BrowserCleanJob::applyTo(BrowserList& browserArr) const {
    for (size_t node = 0; node < browserArr.size() && node < list_.size(); ++node) {
        browserArr[node]->isSelect = list_[node]->isSelect;
        const auto& items = browserArr[node]->chrArr;
        const auto& cleaned = list_[node]->chrArr;
        for (size_t item = 0; item < items.size() && item < cleaned.size(); ++item) {
            items[item]->isSelect = cleaned[item]->isSelect;
            items[item]->size = cleaned[item]->size;
        }
    }
}

BrowserList BrowserCleanJob::copyOf(const BrowserList& browserArr) {
    BrowserList copy;
    for (const auto& node : browserArr) {
        auto nodeCopy = std::make_shared<BrowerObj>(*node);
        for (auto& item : nodeCopy->chrArr) {
            item = std::make_shared<BrowerObj>(*item);
            item->parObj = nodeCopy.get();
        }
        copy.push_back(nodeCopy);
    }
    return copy;
}

}  // namespace core::browser
