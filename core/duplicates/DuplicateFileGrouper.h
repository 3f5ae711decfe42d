#pragma once

#include "core/duplicates/ContentSplitter.h"
#include "core/duplicates/algorithm.h"
#include "core/duplicates/fileAttrbItem.h"
#include "core/kit/Executors.h"
#include "core/kit/ProgressState.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace core {

// Finds the files of equal content among the candidates: first by size (no file of a unique
// size is opened), then by their content (ContentSplitter, on every worker at once: files of
// one size are read only as far as they still agree with another, their CRC-64 taken on the
// way, and confirmed byte for byte, as two different files can share a size and a CRC-64).
// Each candidate's fingerprints and outcome are stored with it, so the groups never depend on
// which worker finished first.
class DuplicateFileGrouper {
public:
    // What the grouping reports while it runs; every member may be left empty.
    struct Observer {
        const std::atomic<bool>* stop = nullptr;  // checked between read chunks
        // Advanced once per candidate whose outcome is known; its path is the file being read.
        ProgressState* progress = nullptr;
    };

    DuplicateFileGrouper(Executor pool, std::size_t workerCount, AlgorithmFactory makeAlgorithm = {});

    // Groups of two or more copies, ordered by their earliest member in candidate order;
    // each lists its later copies in candidate order, then the earliest. A file that could
    // not be read takes part in no group. After a stop, only groups whose every possible
    // member was settled are returned.
    std::vector<DuplicateGroup> group(std::vector<fileAttrbItem>& candidates, const Observer& observer);

private:
    enum class Outcome : unsigned char { Open, Failed, Unique, Copy, Interrupted };
    using Indices = std::vector<std::size_t>;
    using Workers = std::vector<std::unique_ptr<algorithm>>;

    std::vector<Indices> sizeClasses(const std::vector<fileAttrbItem>& candidates);
    std::vector<Indices> contentClasses(std::vector<fileAttrbItem>& candidates, const std::vector<Indices>& sameSize,
                                        const Workers& workers, const Observer& observer);
    static Outcome outcomeOf(ContentSplitter::Verdict verdict);
    void tellUnreadFiles() const;
    static std::vector<DuplicateGroup> groupsOf(const std::vector<fileAttrbItem>& candidates,
                                                std::vector<Indices> copies);
    void settle(std::size_t index, Outcome outcome);

    Executor pool_;
    std::size_t workerCount_;
    AlgorithmFactory makeAlgorithm_;
    std::vector<Outcome> outcomes_;
    ProgressState* progress_ = nullptr;
};

}  // namespace core
