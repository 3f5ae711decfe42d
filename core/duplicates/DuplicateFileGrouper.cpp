#include "core/duplicates/DuplicateFileGrouper.h"

#include "core/duplicates/ContentSplitter.h"
#include "core/duplicates/EqualRuns.h"
#include "platform/system/Log.h"

#include <algorithm>

namespace core {

using Indices = std::vector<std::size_t>;

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
    std::vector<DuplicateGroup> groups = groupsOf(candidates, contentClasses(candidates, sameSize, workers, observer));
    tellUnreadFiles();
    return groups;
}

// Classes of two or more candidates of one size; every other candidate is settled here as
// unique without being opened. An empty file is never a copy.
std::vector<Indices> DuplicateFileGrouper::sizeClasses(const std::vector<fileAttrbItem>& candidates) {
    Indices all;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        if (candidates[i].fileSize > 0) all.push_back(i);
        else settle(i, Outcome::Unique);
    }
    std::vector<Indices> shared;
    forEachRun(all, [&](std::size_t i) { return candidates[i].fileSize; }, [&](Indices& run) {
        if (run.size() == 1) settle(run.front(), Outcome::Unique);
        else shared.push_back(std::move(run));
    });
    return shared;
}

// Every class of one size split into classes of byte-equal files. A class a stop left undecided
// is dropped whole.
std::vector<Indices> DuplicateFileGrouper::contentClasses(std::vector<fileAttrbItem>& candidates,
                                                          const std::vector<Indices>& sameSize, const Workers& workers,
                                                          const Observer& observer) {
    if (observer.stop && observer.stop->load()) {
        for (const Indices& members : sameSize)
            for (std::size_t index : members) settle(index, Outcome::Interrupted);
        return {};
    }
    ContentSplitter::Setting setting{pool_, &workers, observer.stop, progress_};
    ContentSplitter splitter(setting, [this](std::size_t index, ContentSplitter::Verdict verdict) {
        settle(index, outcomeOf(verdict));
    });
    return splitter.split(candidates, sameSize);
}

DuplicateFileGrouper::Outcome DuplicateFileGrouper::outcomeOf(ContentSplitter::Verdict verdict) {
    switch (verdict) {
    case ContentSplitter::Verdict::Unreadable: return Outcome::Failed;
    case ContentSplitter::Verdict::Unique: return Outcome::Unique;
    case ContentSplitter::Verdict::Copy: return Outcome::Copy;
    case ContentSplitter::Verdict::Undecided: break;
    }
    return Outcome::Interrupted;
}

// One line per search tells how many files took part in no comparison because they could not
// be read; each of them has had a line of its own.
void DuplicateFileGrouper::tellUnreadFiles() const {
    const auto unread = static_cast<std::size_t>(std::count(outcomes_.begin(), outcomes_.end(), Outcome::Failed));
    if (unread > 0) platform::logWarning(std::to_string(unread) + " files could not be read and were not compared");
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

void DuplicateFileGrouper::settle(std::size_t index, Outcome outcome) {
    outcomes_[index] = outcome;
    if (progress_ && outcome != Outcome::Interrupted) progress_->advance(1);
}

}  // namespace core
