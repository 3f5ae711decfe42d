#include "core/duplicates/FindDuplicateApp.h"

#include "core/duplicates/BundleListing.h"
#include "core/duplicates/EqualRuns.h"
#include "core/kit/ParallelLoop.h"
#include "platform/system/Log.h"

#include <algorithm>
#include <set>
#include <utility>

namespace core {

FindDuplicateApp::FindDuplicateApp(Executor pool, std::size_t workerCount, AlgorithmFactory makeAlgorithm)
    : pool_(std::move(pool)),
      workerCount_(workerCount > 0 ? workerCount : 1),
      makeAlgorithm_(makeAlgorithm ? std::move(makeAlgorithm) : algorithm::make) {}

void FindDuplicateApp::FindAppInArray(const std::vector<std::string>& paths, std::vector<DuplicateAppGroup>& groups) {
    m_Progress.beginStage(0, 2 * paths.size());
    InitInputAppDirectory(paths);
    Workers workers(workerCount_);
    for (auto& worker : workers) worker = makeAlgorithm_(m_StopSearch.flag());
    std::vector<Indices> candidates = getSameSizeDirs();
    fingerprint(candidates, false, workers);
    candidates = sameContent(candidates);
    fingerprint(candidates, true, workers);
    for (DuplicateAppGroup& group : groupsOf(byteEqualClasses(sameContent(candidates), workers)))
        groups.push_back(std::move(group));
    m_AllAppItem.clear();
}

// Lists every bundle (all at once on the pool), then keeps the comparable ones in path order,
// each bundle once.
void FindDuplicateApp::InitInputAppDirectory(const std::vector<std::string>& paths) {
    std::vector<std::optional<Bundle>> listed(paths.size());
    runInParallel(pool_, workerCount_, paths.size(),
                  [&](std::size_t, std::size_t index) { listed[index] = getAllFilePathName(paths[index]); });
    std::set<std::pair<std::uint64_t, std::uint64_t>> known;
    for (std::optional<Bundle>& bundle : listed) {
        if (!bundle) continue;
        if (!known.insert({bundle->item.device, bundle->item.inode}).second) {
            platform::logInfo("bundle reached twice:" + bundle->item.DirectoryPathName);
            settle(*bundle, Outcome::Failed);
        } else if (!bundle->comparable) {
            settle(*bundle, Outcome::Failed);
        } else {
            m_AllAppItem.push_back(std::move(*bundle));
        }
    }
}

// Lists one bundle. Nothing when it cannot be listed whole, or a stop cut the listing short.
std::optional<FindDuplicateApp::Bundle> FindDuplicateApp::getAllFilePathName(const std::string& path) {
    m_Progress.setCurrentPath(path);
    BundleListing listing = BundleListing::list(path, m_StopSearch.flag());
    if (listing.stopped) return std::nullopt;
    m_Progress.advance(1);
    Bundle bundle;
    bundle.item = std::move(listing.item);
    bundle.comparable = listing.comparable;
    if (!listing.whole) {
        platform::logWarning("get contents Of Directory At Path failed" + path);
        settle(bundle, Outcome::Failed);
        return std::nullopt;
    }
    return bundle;
}

// Classes of two or more bundles of equal total size and file count; the others are unique.
std::vector<FindDuplicateApp::Indices> FindDuplicateApp::getSameSizeDirs() {
    Indices all(m_AllAppItem.size());
    for (std::size_t i = 0; i < all.size(); ++i) all[i] = i;
    std::vector<Indices> classes;
    auto sizeAndCount = [&](std::size_t i) {
        const AppAttrbItem& item = m_AllAppItem[i].item;
        return std::make_pair(item.DirectorySize, item.AllFileInDirectory.size());
    };
    forEachRun(all, sizeAndCount, [&](const Indices& sameSize) {
        Indices run = withoutSharedFiles(sameSize);
        if (run.size() == 1) settle(m_AllAppItem[run.front()], Outcome::Unique);
        else if (run.size() > 1) classes.push_back(std::move(run));
    });
    return classes;
}

// A bundle that shares a file with an earlier one of its class (a link into it, or a hard
// link) is no copy of it: removing the earlier bundle would take that content from this one.
// Such a bundle is left out; the earlier one may still be matched with a true copy.
FindDuplicateApp::Indices FindDuplicateApp::withoutSharedFiles(const Indices& members) {
    std::set<std::pair<std::uint64_t, std::uint64_t>> keptFiles;
    Indices kept;
    for (std::size_t index : members) {
        Bundle& bundle = m_AllAppItem[index];
        const auto& files = bundle.item.AllFileInDirectory;
        const bool shares = std::any_of(files.begin(), files.end(), [&](const fileAttrbItem& file) {
            return keptFiles.count({file.device, file.inode}) > 0;
        });
        if (shares) {
            platform::logInfo("bundle shares its files with another:" + bundle.item.DirectoryPathName);
            settle(bundle, Outcome::Failed);
            continue;
        }
        for (const fileAttrbItem& file : files) keptFiles.insert({file.device, file.inode});
        kept.push_back(index);
    }
    return kept;
}

// Takes one fingerprint of every non-empty file of the bundles in the classes. A bundle with a
// file that failed is settled as never a copy; one with a file a stop left unread is marked.
void FindDuplicateApp::fingerprint(const std::vector<Indices>& classes, bool whole, const Workers& workers) {
    std::vector<std::pair<std::size_t, std::size_t>> files;
    for (const Indices& members : classes) {
        for (std::size_t index : members) {
            Bundle& bundle = m_AllAppItem[index];
            bundle.fileOutcomes.assign(bundle.item.AllFileInDirectory.size(), Outcome::Open);
            for (std::size_t file = 0; file < bundle.fileOutcomes.size(); ++file)
                if (bundle.item.AllFileInDirectory[file].fileSize > 0) files.emplace_back(index, file);
        }
    }
    runInParallel(pool_, workerCount_, files.size(), [&](std::size_t worker, std::size_t position) {
        Bundle& bundle = m_AllAppItem[files[position].first];
        Outcome& outcome = bundle.fileOutcomes[files[position].second];
        if (stopRequested()) {
            outcome = Outcome::Interrupted;
            return;
        }
        m_Progress.setCurrentPath(bundle.item.DirectoryPathName);
        fileAttrbItem& file = bundle.item.AllFileInDirectory[files[position].second];
        if (!(whole ? workers[worker]->getMD5(file) : workers[worker]->getMD5_1K(file)))
            outcome = stopRequested() ? Outcome::Interrupted : Outcome::Failed;
    });
    for (const Indices& members : classes) {
        for (std::size_t index : members) {
            Bundle& bundle = m_AllAppItem[index];
            const auto& outcomes = bundle.fileOutcomes;
            if (std::count(outcomes.begin(), outcomes.end(), Outcome::Interrupted) > 0)
                bundle.outcome = Outcome::Interrupted;
            else if (std::count(outcomes.begin(), outcomes.end(), Outcome::Failed) > 0)
                settle(bundle, Outcome::Failed);
        }
    }
}

// Splits each class into runs of equal sorted fingerprints. A class with a bundle that a stop
// left unread is dropped whole: it could not give complete groups.
std::vector<FindDuplicateApp::Indices> FindDuplicateApp::sameContent(const std::vector<Indices>& classes) {
    std::vector<Indices> refined;
    for (const Indices& members : classes) {
        Indices readable;
        bool interrupted = false;
        for (std::size_t index : members) {
            interrupted = interrupted || m_AllAppItem[index].outcome == Outcome::Interrupted;
            if (m_AllAppItem[index].outcome == Outcome::Open) readable.push_back(index);
        }
        if (interrupted) continue;
        forEachRun(readable, [&](std::size_t i) { return signatureOf(m_AllAppItem[i]); }, [&](Indices& run) {
            if (run.size() == 1) settle(m_AllAppItem[run.front()], Outcome::Unique);
            else refined.push_back(std::move(run));
        });
    }
    return refined;
}

std::vector<FindDuplicateApp::Print> FindDuplicateApp::signatureOf(const Bundle& bundle) const {
    std::vector<Print> prints;
    prints.reserve(bundle.item.AllFileInDirectory.size());
    for (const fileAttrbItem& file : bundle.item.AllFileInDirectory) prints.push_back({file.fileSize, file.md5_1k, file.md5});
    std::sort(prints.begin(), prints.end());
    return prints;
}

// Each run of equal fingerprints split into classes of byte-equal bundles (each bundle against
// the first of every class so far, in run order); classes of one are unique. A run a stop cut
// short is dropped whole.
std::vector<FindDuplicateApp::Indices> FindDuplicateApp::byteEqualClasses(const std::vector<Indices>& sameSignature,
                                                                          const Workers& workers) {
    std::vector<StepSplitter> splitters;
    splitters.reserve(workers.size());
    for (const auto& worker : workers) splitters.emplace_back(*worker, m_StopSearch.flag());
    std::vector<std::vector<Indices>> split(sameSignature.size());
    runInParallel(pool_, workerCount_, sameSignature.size(), [&](std::size_t worker, std::size_t run) {
        std::vector<Indices>& classes = split[run];
        for (std::size_t index : sameSignature[run]) {
            auto joined = classes.begin();
            Comparison result = Comparison::Different;
            for (; joined != classes.end(); ++joined) {
                result = compareBytes(m_AllAppItem[joined->front()], m_AllAppItem[index], splitters[worker]);
                if (result != Comparison::Different) break;
            }
            if (result == Comparison::Stopped) {
                for (std::size_t member : sameSignature[run]) m_AllAppItem[member].outcome = Outcome::Interrupted;
                classes.clear();
                return;
            }
            if (joined == classes.end()) classes.push_back({index});
            else joined->push_back(index);
        }
    });
    std::vector<Indices> classes;
    for (std::vector<Indices>& classesOfRun : split) {
        for (Indices& members : classesOfRun) {
            if (members.size() == 1) settle(m_AllAppItem[members.front()], Outcome::Unique);
            else classes.push_back(std::move(members));
        }
    }
    return classes;
}

// The files of the two bundles paired in the order of their sorted fingerprints; empty files
// need no reading. A file that cannot be read makes the bundles differ.
FindDuplicateApp::Comparison FindDuplicateApp::compareBytes(const Bundle& first, const Bundle& other,
                                                            StepSplitter& splitter) const {
    auto sorted = [](const Bundle& bundle) {
        std::vector<const fileAttrbItem*> files;
        for (const fileAttrbItem& file : bundle.item.AllFileInDirectory) files.push_back(&file);
        std::stable_sort(files.begin(), files.end(), [](const fileAttrbItem* a, const fileAttrbItem* b) {
            return Print{a->fileSize, a->md5_1k, a->md5} < Print{b->fileSize, b->md5_1k, b->md5};
        });
        return files;
    };
    const auto mine = sorted(first), theirs = sorted(other);
    for (std::size_t i = 0; i < mine.size(); ++i) {
        if (mine[i]->fileSize == 0) continue;
        StepSplitter::Split split;
        if (!splitter.split({mine[i], theirs[i]}, split)) return Comparison::Stopped;
        if (split.classes.empty()) return Comparison::Different;
    }
    return Comparison::Equal;
}

std::vector<DuplicateAppGroup> FindDuplicateApp::groupsOf(std::vector<Indices> classes) {
    std::sort(classes.begin(), classes.end(), [](const Indices& a, const Indices& b) { return a.front() < b.front(); });
    std::vector<DuplicateAppGroup> groups;
    for (const Indices& members : classes) {
        DuplicateAppGroup group;
        for (std::size_t i = 1; i <= members.size(); ++i) {
            Bundle& bundle = m_AllAppItem[members[i % members.size()]];
            settle(bundle, Outcome::Matched);
            group.push_back(std::move(bundle.item));
        }
        groups.push_back(std::move(group));
    }
    return groups;
}

void FindDuplicateApp::settle(Bundle& bundle, Outcome outcome) {
    bundle.outcome = outcome;
    m_Progress.advance(1);
}

}  // namespace core
