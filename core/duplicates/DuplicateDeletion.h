#pragma once

#include "core/duplicates/CopyIdentity.h"
#include "core/kit/StopToken.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace core {

// Deletes the copies ticked on the duplicate page, one at a time on the calling (worker)
// thread, in the order given; a stop is honoured between copies. A copy goes only while it is
// still the item the search grouped, reached through the very folder that held it, and, unless
// every copy of its group is to go, while one copy that stays is still intact too; otherwise
// it is skipped with a log line saying why. A file is unlinked with the user's rights, and
// only when those do not suffice (checked again right before) through the privileged remover;
// only a bundle is removed as a tree.
class DuplicateDeletion {
public:
    // A copy to delete: its path and identity as the search saw them, and those of the other
    // copies of its group that are not to be deleted.
    struct Copy {
        struct Keeper {
            std::string path;
            CopyIdentity identity;
        };
        std::string path;
        CopyIdentity identity;
        std::vector<Keeper> keepers;
    };

    enum class Result { NotTried, Removed, Changed, Failed };

    explicit DuplicateDeletion(std::vector<Copy> copies);

    // Deletes until every copy was tried or a stop was asked for; removed is called with the
    // index of each copy as soon as it is gone.
    void run(const std::function<void(std::size_t index)>& removed);
    void stop() { bStopDelTask.requestStop(); }
    bool stopped() const { return bStopDelTask.stopRequested(); }

    const std::vector<Copy>& copies() const { return copies_; }
    // After run: what happened to each copy.
    const std::vector<Result>& results() const { return results_; }
    // After run: whether a copy that was tried stayed on disk.
    bool anyLeft() const;

    static Result deleteCopy(const Copy& copy);

private:
    std::vector<Copy> copies_;
    std::vector<Result> results_;
    StopToken bStopDelTask;
};

}  // namespace core
