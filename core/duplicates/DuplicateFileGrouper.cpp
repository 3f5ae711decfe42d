#include "core/duplicates/DuplicateFileGrouper.h"

#include "core/duplicates/EqualRuns.h"
#include "core/kit/ParallelLoop.h"

#include <algorithm>

namespace core {
namespace {

using Indices = std::vector<std::size_t>;

Indices flattened(const std::vector<Indices>& runs) {
    Indices all;
    for (const auto& run : runs) all.insert(all.end(), run.begin(), run.end());
    return all;
}

}  // namespace

DuplicateFileGrouper::DuplicateFileGrouper(Executor pool, std::size_t workerCount, AlgorithmFactory makeAlgorithm)
    : pool_(std::move(pool)),
      workerCount_(workerCount > 0 ? workerCount : 1),
      makeAlgorithm_(makeAlgorithm ? std::move(makeAlgorithm) : algorithm::make) {}

std::vector<DuplicateGroup> DuplicateFileGrouper::group(std::vector<fileAttrbItem>& candidates,
                                                        const Observer& observer) {
    outcomes_.assign(candidates.size(), Outcome::Open);
    settled_ = observer.settled;
    Workers workers(workerCount_);
    for (auto& worker : workers) worker = makeAlgorithm_(observer.stop);
    const std::vector<Indices> sameSize = sizeClasses(candidates);
    fingerprint(candidates, flattened(sameSize), false, workers, observer);
    const std::vector<Indices> sameHead = headClasses(candidates, sameSize);
    Indices wholeReads = flattened(sameHead);
    // Largest files first, so no worker is left alone with a big file at the end.
    std::stable_sort(wholeReads.begin(), wholeReads.end(),
                     [&](std::size_t a, std::size_t b) { return candidates[a].fileSize > candidates[b].fileSize; });
    fingerprint(candidates, wholeReads, true, workers, observer);
    return groupsOf(candidates, sameHead);
}

// Classes of two or more candidates of one size; every other candidate is settled here
// without being opened. An empty file is never a candidate.
std::vector<Indices> DuplicateFileGrouper::sizeClasses(const std::vector<fileAttrbItem>& candidates) {
    Indices all;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        if (candidates[i].fileSize > 0) all.push_back(i);
        else settle(i, Outcome::Failed);
    }
    return sharedClasses(runsOf(all, [&](std::size_t i) { return candidates[i].fileSize; }));
}

// Within each size class, the classes of equal first-kilobyte CRC. A size class with a member
// left unread by a stop is dropped whole: it could not give complete groups.
std::vector<Indices> DuplicateFileGrouper::headClasses(const std::vector<fileAttrbItem>& candidates,
                                                       const std::vector<Indices>& sameSize) {
    std::vector<Indices> classes;
    for (const Indices& sizeClass : sameSize) {
        if (!noneInterrupted(sizeClass)) continue;
        Indices readable = withOutcome(sizeClass, Outcome::Open);
        for (Indices& headClass : sharedClasses(runsOf(readable, [&](std::size_t i) { return candidates[i].md5_1k; })))
            classes.push_back(std::move(headClass));
    }
    return classes;
}

std::vector<DuplicateGroup> DuplicateFileGrouper::groupsOf(const std::vector<fileAttrbItem>& candidates,
                                                           const std::vector<Indices>& sameHead) const {
    std::vector<Indices> copies;
    for (const Indices& headClass : sameHead) {
        if (!noneInterrupted(headClass)) continue;
        Indices hashed = withOutcome(headClass, Outcome::Hashed);
        for (Indices& run : runsOf(hashed, [&](std::size_t i) { return candidates[i].md5; }))
            if (run.size() > 1) copies.push_back(std::move(run));
    }
    std::sort(copies.begin(), copies.end(), [](const Indices& a, const Indices& b) { return a.front() < b.front(); });
    std::vector<DuplicateGroup> groups;
    for (const Indices& run : copies) {
        DuplicateGroup group;
        for (std::size_t i = 1; i < run.size(); ++i) group.push_back(candidates[run[i]]);
        group.push_back(candidates[run.front()]);
        groups.push_back(std::move(group));
    }
    return groups;
}

// Keeps the runs of two or more; the single members are settled as unique.
std::vector<Indices> DuplicateFileGrouper::sharedClasses(std::vector<Indices> runs) {
    std::vector<Indices> shared;
    for (Indices& run : runs) {
        if (run.size() == 1) settle(run.front(), Outcome::Unique);
        else shared.push_back(std::move(run));
    }
    return shared;
}

void DuplicateFileGrouper::fingerprint(std::vector<fileAttrbItem>& candidates, const Indices& which, bool whole,
                                       const Workers& workers, const Observer& observer) {
    runInParallel(pool_, workerCount_, which.size(), [&](std::size_t worker, std::size_t position) {
        const std::size_t index = which[position];
        if (observer.stop && observer.stop->load()) return settle(index, Outcome::Interrupted);
        fileAttrbItem& item = candidates[index];
        if (observer.reading) observer.reading(item.filePathName);
        const bool done = whole ? workers[worker]->getMD5(item) : workers[worker]->getMD5_1K(item);
        if (!done) settle(index, observer.stop && observer.stop->load() ? Outcome::Interrupted : Outcome::Failed);
        else if (whole) settle(index, Outcome::Hashed);
    });
}

void DuplicateFileGrouper::settle(std::size_t index, Outcome outcome) {
    outcomes_[index] = outcome;
    if (settled_ && outcome != Outcome::Interrupted) settled_->fetch_add(1);
}

bool DuplicateFileGrouper::noneInterrupted(const Indices& members) const {
    return std::none_of(members.begin(), members.end(),
                        [this](std::size_t i) { return outcomes_[i] == Outcome::Interrupted; });
}

Indices DuplicateFileGrouper::withOutcome(const Indices& members, Outcome outcome) const {
    Indices chosen;
    for (std::size_t i : members)
        if (outcomes_[i] == outcome) chosen.push_back(i);
    return chosen;
}

}  // namespace core
