#pragma once

#include <string>
#include <vector>

namespace testsupport {

// A bash script that undoes what a test did to the machine, run once the watcher is let go or
// the test process has died, whichever way: it first waits for its input to end, and the
// kernel ends it with the test. It runs in a session of its own outside the test's process
// tree, so neither the kernel nor a test runner that kills the whole tree ends it too. Letting
// the watcher go waits until the script has finished.
class DeathWatcher {
public:
    // The script gets the arguments as $1, $2, …; what it prints is dropped.
    DeathWatcher(const std::string& script, const std::vector<std::string>& arguments);
    ~DeathWatcher();
    DeathWatcher(const DeathWatcher&) = delete;
    DeathWatcher& operator=(const DeathWatcher&) = delete;

private:
    int input_ = -1;     // our end of the script's input
    int finished_ = -1;  // ends when the script and all it started have ended
};

}  // namespace testsupport
