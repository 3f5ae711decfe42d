#include "core/duplicates/DuplicateFileGrouper.h"

#include "core/duplicates/EqualRuns.h"
#include "core/kit/ParallelLoop.h"
#include "platform/files/PageCacheGuard.h"

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
    progress_ = observer.progress;
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
    return groupsOf(candidates, contentClasses(candidates, crcClasses(candidates, sameHead), workers, observer));
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

// Within each first-kilobyte class, the classes of equal whole-file CRC. A class with a member
// left unread by a stop is dropped whole.
std::vector<Indices> DuplicateFileGrouper::crcClasses(const std::vector<fileAttrbItem>& candidates,
                                                      const std::vector<Indices>& sameHead) {
    std::vector<Indices> classes;
    for (const Indices& headClass : sameHead) {
        if (!noneInterrupted(headClass)) continue;
        Indices hashed = withOutcome(headClass, Outcome::Hashed);
        for (Indices& crcClass : sharedClasses(runsOf(hashed, [&](std::size_t i) { return candidates[i].md5; })))
            classes.push_back(std::move(crcClass));
    }
    return classes;
}

// Every class of equal CRC split into classes of byte-equal files, the largest files first.
std::vector<Indices> DuplicateFileGrouper::contentClasses(const std::vector<fileAttrbItem>& candidates,
                                                          const std::vector<Indices>& sameCrc, const Workers& workers,
                                                          const Observer& observer) {
    Indices order(sameCrc.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    auto bytes = [&](std::size_t i) { return candidates[sameCrc[i].front()].fileSize * sameCrc[i].size(); };
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) { return bytes(a) > bytes(b); });
    std::vector<std::vector<Indices>> split(sameCrc.size());
    runInParallel(pool_, workerCount_, order.size(), [&](std::size_t worker, std::size_t position) {
        const std::size_t which = order[position];
        split[which] = byteEqualClasses(candidates, sameCrc[which], *workers[worker], observer);
    });
    std::vector<Indices> classes;
    for (auto& classesOfOneCrc : split)
        for (Indices& each : classesOfOneCrc) classes.push_back(std::move(each));
    return classes;
}

// Each member is compared with the first member of every class found so far, in member order,
// and joins the first class it equals, else starts a class of its own. The first member of a
// class stays open (and its pages cached) while the class grows. A member that cannot be read
// takes part in no class; nor does a class whose first member fails half-way. A stop drops
// the whole class of equal CRC.
std::vector<Indices> DuplicateFileGrouper::byteEqualClasses(const std::vector<fileAttrbItem>& candidates,
                                                            const Indices& sameCrc, algorithm& reader,
                                                            const Observer& observer) {
    struct ContentClass {
        platform::FileDescriptor first;
        std::unique_ptr<platform::PageCacheGuard> guard;  // ends before the descriptor closes
        Indices members;
        bool broken = false;
    };
    std::vector<ContentClass> classes;
    auto interrupted = [&] {
        for (std::size_t index : sameCrc) outcomes_[index] = Outcome::Interrupted;
        return std::vector<Indices>{};
    };
    for (std::size_t index : sameCrc) {
        if (observer.stop && observer.stop->load()) return interrupted();
        const fileAttrbItem& item = candidates[index];
        if (progress_) progress_->setCurrentPath(item.filePathName);
        platform::FileDescriptor file = reader.openToCompare(item);
        if (!file.isOpen()) {
            settle(index, Outcome::Failed);
            continue;
        }
        auto guard = std::make_unique<platform::PageCacheGuard>(file.get(), 0, item.fileSize);
        bool placed = false;
        for (ContentClass& contentClass : classes) {
            if (contentClass.broken) continue;
            using Comparison = algorithm::Comparison;
            const Comparison result =
                reader.compareContent(contentClass.first.get(), candidates[contentClass.members.front()], file.get(), item);
            if (result == Comparison::Stopped) return interrupted();
            if (result == Comparison::Different) continue;
            if (result == Comparison::FirstUnreadable) {
                contentClass.broken = true;
                continue;
            }
            if (result == Comparison::Equal) contentClass.members.push_back(index);
            else settle(index, Outcome::Failed);
            placed = true;
            break;
        }
        if (!placed) classes.push_back({std::move(file), std::move(guard), {index}, false});
    }
    std::vector<Indices> shared;
    for (ContentClass& contentClass : classes) {
        for (std::size_t index : contentClass.members)
            settle(index, contentClass.broken ? Outcome::Failed
                          : contentClass.members.size() > 1 ? Outcome::Confirmed : Outcome::Unique);
        if (!contentClass.broken && contentClass.members.size() > 1) shared.push_back(std::move(contentClass.members));
    }
    return shared;
}

// Groups ordered by their earliest member; each lists its later copies, then the earliest.
std::vector<DuplicateGroup> DuplicateFileGrouper::groupsOf(const std::vector<fileAttrbItem>& candidates,
                                                           std::vector<Indices> copies) {
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
        if (progress_) progress_->setCurrentPath(item.filePathName);
        const bool done = whole ? workers[worker]->getMD5(item) : workers[worker]->getMD5_1K(item);
        if (!done) settle(index, observer.stop && observer.stop->load() ? Outcome::Interrupted : Outcome::Failed);
        else if (whole) settle(index, Outcome::Hashed);
    });
}

void DuplicateFileGrouper::settle(std::size_t index, Outcome outcome) {
    outcomes_[index] = outcome;
    if (progress_ && outcome != Outcome::Hashed && outcome != Outcome::Interrupted) progress_->advance(1);
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
