#pragma once

#include "core/duplicates/AppAttrbItem.h"
#include "core/duplicates/StepSplitter.h"
#include "core/duplicates/algorithm.h"
#include "core/kit/Executors.h"
#include "core/kit/ProgressState.h"
#include "core/kit/StopToken.h"

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace core {

// Finds the application bundles of equal content. Two bundles are copies when they hold the
// same number of files of the same total size and each file of one has its own partner of
// equal size and content in the other; names and places inside the bundles play no part.
// Each bundle is listed once; its files are fingerprinted at most once each (the first
// kilobyte for every bundle that shares its size and file count with another, the whole
// content only for bundles whose first kilobytes all pair up), on every worker at once, and
// bundles are compared by their sorted fingerprints; bundles whose fingerprints agree are
// last compared byte by byte, file by file in that order, as two files can share a CRC-64. Empty files pair up by size without
// being read. A bundle that cannot be listed whole, holds an item that is no regular file,
// or holds a file that cannot be read is never a copy; neither is a second path to the same
// bundle, nor a bundle that shares a file with the one it would copy. Progress, the current
// bundle and stop requests are safe from any thread.
class FindDuplicateApp {
public:
    FindDuplicateApp(Executor pool, std::size_t workerCount, AlgorithmFactory makeAlgorithm = {});

    // Appends the groups of identical bundles among the paths, ordered by their earliest
    // bundle; each lists its later bundles in path order, then the earliest. After a stop,
    // only the groups whose every possible member was compared.
    void FindAppInArray(const std::vector<std::string>& paths, std::vector<DuplicateAppGroup>& groups);

    // Percentage of the bundles listed and compared.
    std::uint32_t getProgress() const { return static_cast<std::uint32_t>(m_Progress.stagePercent()); }
    void stopSearch() { m_StopSearch.requestStop(); }
    // The bundle being listed or read.
    std::string getCurrentSearchFile() const { return m_Progress.currentPath(); }
    // Two steps per bundle (listed, then settled) and the bundle being listed or read.
    ProgressSnapshot progress() const { return m_Progress.snapshot(); }

private:
    enum class Outcome : unsigned char { Open, Failed, Unique, Matched, Interrupted };
    // Size, first-kilobyte CRC and whole CRC of one file.
    using Print = std::array<std::uint64_t, 3>;
    using Indices = std::vector<std::size_t>;
    using Workers = std::vector<std::unique_ptr<algorithm>>;

    struct Bundle {
        AppAttrbItem item;
        bool comparable = true;
        Outcome outcome = Outcome::Open;
        std::vector<Outcome> fileOutcomes;  // of the last fingerprint round: Open when it was taken
    };

    void InitInputAppDirectory(const std::vector<std::string>& paths);
    std::optional<Bundle> getAllFilePathName(const std::string& path);
    std::vector<Indices> getSameSizeDirs();
    Indices withoutSharedFiles(const Indices& members);
    void fingerprint(const std::vector<Indices>& classes, bool whole, const Workers& workers);
    std::vector<Indices> sameContent(const std::vector<Indices>& classes);
    std::vector<Print> signatureOf(const Bundle& bundle) const;
    std::vector<Indices> byteEqualClasses(const std::vector<Indices>& sameSignature, const Workers& workers);
    enum class Comparison { Equal, Different, Stopped };
    Comparison compareBytes(const Bundle& first, const Bundle& other, StepSplitter& splitter) const;
    std::vector<DuplicateAppGroup> groupsOf(std::vector<Indices> classes);
    void settle(Bundle& bundle, Outcome outcome);
    bool stopRequested() const { return m_StopSearch.stopRequested(); }

    Executor pool_;
    std::size_t workerCount_;
    AlgorithmFactory makeAlgorithm_;
    std::vector<Bundle> m_AllAppItem;
    ProgressState m_Progress;
    StopToken m_StopSearch;
};

}  // namespace core
