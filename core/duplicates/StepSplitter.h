#pragma once

#include "core/duplicates/algorithm.h"
#include "core/duplicates/fileAttrbItem.h"
#include "core/kit/ProgressState.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace core {

// Splits files of one size, few enough to hold open at once, into classes of byte-equal files,
// on one worker. All are read in step, a chunk at a time and each chunk once, and compared with
// the first file of the part they still share; those that differ from it are sorted by their
// running CRC-64 and compared, at the same chunk, only within a part of equal values, so the
// work stays about linear however many parts there are. A file that agrees with no other is let
// go at once. It holds two chunks of memory; the files are opened through the worker's
// fingerprinting object (and logged there when they cannot be), and the stop flag is checked
// between chunks.
class StepSplitter {
public:
    using Indices = std::vector<std::size_t>;
    struct Split {
        std::vector<Indices> classes;         // positions of two or more byte-equal files, in order
        Indices unreadable;                   // positions of the files that could not be read
        std::vector<std::uint64_t> wholeCrc;  // for each position, the CRC-64 of a file read to its end; else 0
    };

    StepSplitter(algorithm& reader, const std::atomic<bool>* stop, ProgressState* progress = nullptr);
    ~StepSplitter();
    StepSplitter(StepSplitter&&) noexcept;

    // False when a stop came first: then the split tells nothing.
    bool split(const std::vector<const fileAttrbItem*>& files, Split& result);

private:
    struct Reading;

    void splitAt(std::vector<Reading>& readings, Indices part, std::uint64_t offset, std::size_t length,
                 std::vector<Indices>& next, Split& result);
    bool readAt(Reading& reading, unsigned char* chunk, std::uint64_t offset, std::size_t length);
    bool stopRequested() const;

    algorithm& reader_;
    const std::atomic<bool>* stop_;
    ProgressState* progress_;
    std::unique_ptr<unsigned char[]> firstChunk_;
    std::unique_ptr<unsigned char[]> otherChunk_;
};

}  // namespace core
