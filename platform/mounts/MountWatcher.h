#pragma once

#include "platform/mounts/MountChangeSource.h"
#include "platform/mounts/MountTable.h"

#include <atomic>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace platform {

// Reports block devices mounted and unmounted, on a thread of its own. A burst of changes
// (a disk with several partitions, an unmount followed by a mount) is reported once, after
// the table has been quiet for a while, as the difference between the table before the burst
// and after it; changes that undo each other within the burst are not reported.
class MountWatcher {
public:
    using Handler = std::function<void(const std::vector<MountChange>&)>;

    struct Options {
        std::string tablePath = MountTable::ownTablePath();
        std::chrono::milliseconds quietPeriod{500};
        // A burst that never goes quiet is still reported after this long.
        std::chrono::milliseconds longestDelay{5000};
        std::shared_ptr<MountChangeSource> source;  // the kernel's notices when empty
    };

    MountWatcher(Handler handler, Options options);
    ~MountWatcher();
    MountWatcher(const MountWatcher&) = delete;
    MountWatcher& operator=(const MountWatcher&) = delete;

private:
    void watch();
    void waitUntilQuiet();
    MountTable currentTable() const;

    Handler handler_;
    Options options_;
    MountTable reported_;
    std::atomic<bool> stopping_{false};
    std::thread thread_;
};

}  // namespace platform
