#pragma once

#include "core/duplicates/RecentContents.h"
#include "core/duplicates/StepSplitter.h"
#include "core/duplicates/algorithm.h"
#include "core/duplicates/fileAttrbItem.h"
#include "core/kit/Executors.h"
#include "core/kit/ProgressState.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

namespace core {

// Splits the classes of candidates that share a size into classes of byte-equal files, on every
// worker at once, in time about linear in the number of members and with a bounded number of
// files open, however large a class is.
// - A class of no more members than a worker holds open at once (a few dozen) is split on one
//   worker by StepSplitter: every member read once, in step with the others, and let go as soon
//   as it agrees with no other.
// - The members of larger classes are read in rounds of growing length (the whole of a file of
//   at most 128 KiB; of a longer one 4 KiB, 64 KiB, then four times as far each round), every
//   member of every such class in one parallel loop, each opened once per round, and their
//   CRC-64 carried on (the first kilobyte's kept as md5_1k, the whole file's as md5); after each
//   round a class is split by the running values (sorted, never compared pair by pair), and a
//   member left alone is unique and read no further. Two different files can share a size and
//   a CRC-64, so the members of each class of equal md5 are then compared byte for byte with
//   its first member, in batches a worker holds open at once, with StepSplitter; those that
//   differ from it are compared among themselves in the next pass. A short file read whole just
//   after its copy on the same worker (RecentContents) is known to be a copy at once and is not
//   read again.
// Memory is a few chunks per worker whatever the classes hold.
class ContentSplitter {
public:
    using Indices = std::vector<std::size_t>;
    using Workers = std::vector<std::unique_ptr<algorithm>>;
    enum class Verdict : unsigned char { Unreadable, Unique, Copy, Undecided };
    // Called once for every member, from any worker; Undecided is a member of a class that a
    // stop left open.
    using Settle = std::function<void(std::size_t index, Verdict verdict)>;

    // What a search runs under: its fingerprinting objects (one per worker, each with the
    // stop flag it checks between chunks), the stop flag itself, and its progress (may be
    // null), whose current path names the file being read.
    struct Setting {
        Executor pool;
        const Workers* workers = nullptr;
        const std::atomic<bool>* stop = nullptr;
        ProgressState* progress = nullptr;
    };

    ContentSplitter(Setting setting, Settle settle);

    // The classes of two or more byte-equal members, each in member order. Every member of
    // every class handed in (each class in increasing candidate order) is settled once.
    std::vector<Indices> split(std::vector<fileAttrbItem>& candidates, const std::vector<Indices>& sameSize);

    // How many files one worker holds open while it compares: a few dozen, fewer when the
    // process's limit would not leave room for every worker and for the rest of the process.
    static std::size_t openFilesPerWorker(std::size_t workerCount);

private:
    struct Member {
        std::size_t index = 0;
        std::uint64_t running = 0;   // CRC-64 of the bytes before hashedTo
        std::uint64_t hashedTo = 0;
        bool failed = false;
        std::size_t copyOf = RecentContents::none;  // the member it was found byte-equal to, if any
    };
    using Class = std::vector<Member>;
    struct Batch;
    struct Pass;

    std::vector<Indices> splitInStep(std::vector<fileAttrbItem>& candidates, const std::vector<Indices>& classes);
    void settleInStep(std::vector<fileAttrbItem>& candidates, const Indices& members, const StepSplitter::Split& split,
                      std::vector<Indices>& copies);
    std::vector<Class> digestedClasses(std::vector<fileAttrbItem>& candidates, const std::vector<Indices>& sameSize);
    std::vector<Class> readOneRound(std::vector<fileAttrbItem>& candidates, std::vector<Class> classes,
                                    std::vector<Class>& digested);
    std::vector<Indices> confirmedClasses(const std::vector<fileAttrbItem>& candidates, std::vector<Class> sameCrc);
    void conclude(Pass& pass, std::size_t classIndex, std::vector<Indices>& copies);
    void settleAlone(std::size_t index, std::vector<Indices>& copies);
    void settleCopies(const Indices& same, std::vector<Indices>& copies);
    void settleWithFollowers(std::size_t index, Verdict verdict);
    const Indices& followersOf(std::size_t index) const;
    std::vector<Batch> batchesOf(const std::vector<fileAttrbItem>& candidates, const std::vector<Class>& classes) const;
    void compare(const std::vector<fileAttrbItem>& candidates, const Class& members, Batch& batch, std::size_t worker);
    void settleAll(const Class& members, Verdict verdict);
    bool stopRequested() const;

    Setting setting_;
    Settle settle_;
    std::size_t workerCount_;
    std::vector<StepSplitter> splitters_;      // one for each worker
    std::vector<RecentContents> recent_;       // one for each worker
    std::unordered_map<std::size_t, Indices> followers_;  // by the member they are copies of
};

}  // namespace core
