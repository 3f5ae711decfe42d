#include "core/browser/RunningBrowsers.h"

#include "core/browser/BrowserTable.h"
#include "platform/desktop/RunningApplications.h"
#include "platform/system/Log.h"

#include <signal.h>

#include <algorithm>
#include <thread>

namespace core::browser {
namespace {

constexpr std::chrono::milliseconds kPollInterval(100);

bool stillRuns(const platform::ProcessIdentity& process) {
    auto now = platform::ProcessSignaller::shared()->identify(process.pid);
    return now && *now == process;
}

}  // namespace

std::string RunningBrowsers::keyForApplicationName(const std::string& name) {
    auto contains = [&](const char* text) { return name.find(text) != std::string::npos; };
    if (contains("Safari")) return "Safari";
    for (const char* exact : {"Google Chrome", "Firefox", "Opera", "QQ Browser"})
        if (name == exact) return exact;
    if (contains("Microsoft Edge") || contains("Chromium")) {
        const BrowserTable::Row* row = BrowserTable::rowForDisplayName(name);
        return row ? row->key : "";
    }
    return "";
}

std::vector<RunningBrowser> RunningBrowsers::running() {
    std::vector<RunningBrowser> browsers;
    for (const auto& application : platform::RunningApplications::shared()->runningApplications()) {
        const BrowserTable::Row* row = BrowserTable::rowForDesktopId(application.bundleIdentifier);
        const std::string key = row ? row->key : keyForApplicationName(application.name);
        if (key.empty()) continue;
        platform::ProcessIdentity process{application.pid, application.startTime};
        if (process.startTime == 0) {
            auto identified = platform::ProcessSignaller::shared()->identify(application.pid);
            if (!identified) continue;
            process = *identified;
        }
        browsers.push_back({application.name, key, process});
    }
    return browsers;
}

std::vector<RunningBrowser> RunningBrowsers::ofTickedNodes(const std::vector<RunningBrowser>& browsers,
                                                           const BrowserList& browserArr) {
    std::set<std::string> keys;
    for (const auto& node : browserArr)
        if (node->isSelect != BrowerObj::kUnselected) keys.insert(node->browserKey);
    std::vector<RunningBrowser> asked;
    std::copy_if(browsers.begin(), browsers.end(), std::back_inserter(asked),
                 [&](const RunningBrowser& browser) { return keys.count(browser.browserKey) > 0; });
    return asked;
}

std::string RunningBrowsers::namesText(const std::vector<RunningBrowser>& browsers) {
    std::vector<std::string> names;
    for (const auto& browser : browsers)
        if (std::find(names.begin(), names.end(), browser.name) == names.end()) names.push_back(browser.name);
    std::string text;
    for (const auto& name : names) text += (text.empty() ? "" : ",") + name;
    return text;
}

void RunningBrowsers::terminate(const std::vector<RunningBrowser>& browsers) {
    std::set<int> signalled;
    for (const auto& browser : browsers) {
        if (!signalled.insert(browser.process.pid).second) continue;
        const auto result = platform::ProcessSignaller::shared()->send(browser.process, SIGTERM);
        if (result == platform::ProcessSignaller::Result::Failed || result == platform::ProcessSignaller::Result::Refused)
            platform::logWarning("cannot ask " + browser.name + " (" + std::to_string(browser.process.pid) + ") to quit");
    }
}

std::set<std::string> RunningBrowsers::waitForExit(const std::vector<RunningBrowser>& browsers,
                                                   std::chrono::milliseconds timeout, const StopToken* stop) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    std::vector<RunningBrowser> left = browsers;
    for (;;) {
        left.erase(std::remove_if(left.begin(), left.end(),
                                  [](const RunningBrowser& browser) { return !stillRuns(browser.process); }),
                   left.end());
        if (left.empty() || std::chrono::steady_clock::now() >= deadline || (stop && stop->stopRequested())) break;
        std::this_thread::sleep_for(kPollInterval);
    }
    std::set<std::string> keys;
    for (const auto& browser : left) keys.insert(browser.browserKey);
    return keys;
}

}  // namespace core::browser
