#pragma once

#include "core/browser/BrowerObj.h"
#include "core/kit/StopToken.h"
#include "platform/system/ProcessSignaller.h"

#include <chrono>
#include <set>
#include <string>
#include <vector>

namespace core::browser {

// One running application that is a browser of the table.
struct RunningBrowser {
    std::string name;
    std::string browserKey;
    platform::ProcessIdentity process;
};

// The browsers the user is running, and asking them to quit before their files are touched.
class RunningBrowsers {
public:
    // The running applications that are browsers: known by their desktop entry id (the same
    // table as discovery), else by name (one containing "Safari", "Microsoft Edge …" or
    // "Chromium", or exactly "Google Chrome", "Firefox", "Opera" or "QQ Browser").
    static std::vector<RunningBrowser> running();
    // The browser key of an application's name by those name rules; "" for none.
    static std::string keyForApplicationName(const std::string& name);
    // Those whose browser key is the key of a ticked node: an Edge Beta node asks only Edge Beta.
    static std::vector<RunningBrowser> ofTickedNodes(const std::vector<RunningBrowser>& browsers,
                                                     const BrowserList& browserArr);
    // The names for the question, each once, joined with ",".
    static std::string namesText(const std::vector<RunningBrowser>& browsers);
    // Sends the termination signal to each process once, only while it is still the process
    // that was listed.
    static void terminate(const std::vector<RunningBrowser>& browsers);
    // Waits up to timeout for the processes to end; the browser keys of those still running.
    static std::set<std::string> waitForExit(const std::vector<RunningBrowser>& browsers,
                                             std::chrono::milliseconds timeout, const StopToken* stop = nullptr);
};

}  // namespace core::browser
