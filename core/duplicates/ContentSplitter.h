#pragma once

#include "core/duplicates/algorithm.h"
#include "core/duplicates/fileAttrbItem.h"
#include "core/kit/ProgressState.h"

#include <atomic>
#include <cstddef>
#include <memory>
#include <string>
#include <vector>

namespace core {

// Splits candidates of one size and one first-kilobyte CRC into classes of byte-equal files:
// two different files can share a size and a CRC-64, so only equal bytes make copies. Every
// member is read once from its start, a chunk at a time and all members in step; in each
// round a member joins the first part of its class whose first member's chunk equals its own,
// or starts a part of its own. A member left alone is read on only for its whole-file CRC-64
// (md5), which every member gets on the way. One object serves one worker: it keeps the chunk
// buffers, and reads through the worker's fingerprinting object.
class ContentSplitter {
public:
    static constexpr std::size_t chunkLength = 1u << 20;
    using Indices = std::vector<std::size_t>;

    explicit ContentSplitter(algorithm& reader) : reader_(reader) {}

    // Appends the classes of two or more byte-equal members (each in member order) to copies
    // and the members that could not be read to failed; the others are unique. False when a
    // stop came first: then nothing is decided.
    bool split(std::vector<fileAttrbItem>& candidates, const Indices& members, const std::atomic<bool>* stop,
               ProgressState* progress, std::vector<Indices>& copies,
               Indices& failed);

private:
    struct Member;
    bool readInto(Member& member, const fileAttrbItem& item, unsigned char* chunk, std::size_t length,
                  std::uint64_t offset);
    unsigned char* buffer(std::size_t slot);

    algorithm& reader_;
    std::vector<std::unique_ptr<unsigned char[]>> buffers_;
};

}  // namespace core
