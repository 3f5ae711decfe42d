#pragma once

#include "core/duplicates/algorithm.h"
#include "core/duplicates/fileAttrbItem.h"
#include "core/kit/ProgressState.h"

#include <atomic>
#include <memory>
#include <vector>

namespace core {

// Compares files of one size byte for byte with a first one, on one worker: they are read in
// step with it, a chunk at a time, and each is let go as soon as it differs. It holds two
// chunks of memory however many files it compares, and the files it is handed open at once;
// they are opened through the worker's fingerprinting object (and logged there when they
// cannot be). The stop flag is checked between chunks.
class ByteComparison {
public:
    enum class Seen : unsigned char { Same, Differs, Unreadable };
    enum class Ending : unsigned char { Compared, FirstUnreadable, Stopped };

    ByteComparison(algorithm& reader, const std::atomic<bool>* stop, ProgressState* progress = nullptr);

    // What each of the others is beside the first, in their order; only meaningful when the
    // comparison ends as Compared.
    Ending compare(const fileAttrbItem& first, const std::vector<const fileAttrbItem*>& others,
                   std::vector<Seen>& seen);

private:
    bool stopRequested() const;

    algorithm& reader_;
    const std::atomic<bool>* stop_;
    ProgressState* progress_;
    std::unique_ptr<unsigned char[]> firstChunk_;
    std::unique_ptr<unsigned char[]> otherChunk_;
};

}  // namespace core
