#include "core/duplicates/ContentSplitter.h"

#include "core/duplicates/crc.h"
#include "platform/files/FileDescriptor.h"
#include "platform/files/PageCacheGuard.h"

#include <algorithm>
#include <cstring>

namespace core {

struct ContentSplitter::Member {
    std::size_t index = 0;
    platform::FileDescriptor file;
    std::unique_ptr<platform::PageCacheGuard> cacheGuard;  // declared after the file: ends first
    std::uint64_t running = 0;                              // CRC-64 of the bytes from hashedFrom on
    std::uint64_t hashedFrom = 0;                           // the first kilobyte's value is md5_1k
    bool failed = false;
};

bool ContentSplitter::split(std::vector<fileAttrbItem>& candidates, const Indices& members,
                            const std::atomic<bool>* stop, ProgressState* progress,
                            std::vector<Indices>& copies, Indices& failed) {
    if (members.empty()) return true;
    const std::uint64_t size = candidates[members.front()].fileSize;
    std::vector<Member> opened;
    opened.reserve(members.size());
    for (std::size_t index : members) {
        const fileAttrbItem& item = candidates[index];
        if (progress) progress->setCurrentPath(item.filePathName);
        Member member;
        member.index = index;
        member.file = reader_.openToRead(item);
        if (!member.file.isOpen()) {
            failed.push_back(index);
            continue;
        }
        member.cacheGuard = std::make_unique<platform::PageCacheGuard>(member.file.get(), 0, size);
        const bool headKnown = item.md5_1k != 0;
        member.hashedFrom = headKnown ? std::min<std::uint64_t>(size, algorithm::headLength) : 0;
        member.running = headKnown ? item.md5_1k : crc::initialValue;
        opened.push_back(std::move(member));
    }

    // Positions in opened: the parts still compared, and the members known to be unique.
    std::vector<Indices> undecided(1);
    for (std::size_t position = 0; position < opened.size(); ++position) undecided.front().push_back(position);
    Indices alone;
    for (std::uint64_t offset = 0; offset < size && (!undecided.empty() || !alone.empty());
         offset += chunkLength) {
        if (stop && stop->load(std::memory_order_relaxed)) return false;
        const std::size_t length = static_cast<std::size_t>(std::min<std::uint64_t>(chunkLength, size - offset));
        for (std::size_t position : alone)
            readInto(opened[position], candidates[opened[position].index], buffer(0), length, offset);
        std::vector<Indices> next;
        for (const Indices& part : undecided) {
            // parts[j]'s first member's chunk stays in buffer(j); the next read goes after them.
            std::vector<Indices> parts;
            for (std::size_t position : part) {
                unsigned char* chunk = buffer(parts.size());
                if (!readInto(opened[position], candidates[opened[position].index], chunk, length, offset)) continue;
                std::size_t same = 0;
                while (same < parts.size() && std::memcmp(buffer(same), chunk, length) != 0) ++same;
                if (same == parts.size()) parts.emplace_back();
                parts[same].push_back(position);
            }
            for (Indices& split : parts) {
                if (split.size() > 1) next.push_back(std::move(split));
                else alone.push_back(split.front());
            }
        }
        undecided = std::move(next);
    }

    for (Member& member : opened) {
        if (member.failed) failed.push_back(member.index);
        else candidates[member.index].md5 = member.running;
    }
    for (const Indices& part : undecided) {
        Indices same;
        for (std::size_t position : part)
            if (!opened[position].failed) same.push_back(opened[position].index);
        if (same.size() > 1) copies.push_back(std::move(same));
    }
    return true;
}

bool ContentSplitter::readInto(Member& member, const fileAttrbItem& item, unsigned char* chunk, std::size_t length,
                               std::uint64_t offset) {
    if (member.failed) return false;
    if (!reader_.readChunk(member.file.get(), item, chunk, length, offset)) {
        member.failed = true;
        return false;
    }
    const std::uint64_t end = offset + length;
    const std::uint64_t from = std::max(offset, member.hashedFrom);
    if (from < end)
        member.running = crc::crc64Buffer(chunk + (from - offset), static_cast<std::size_t>(end - from), false,
                                          member.running);
    return true;
}

unsigned char* ContentSplitter::buffer(std::size_t slot) {
    while (buffers_.size() <= slot) buffers_.emplace_back(new unsigned char[chunkLength]);
    return buffers_[slot].get();
}

}  // namespace core
