#include "core/duplicates/StepSplitter.h"

#include "core/duplicates/EqualRuns.h"
#include "core/duplicates/crc.h"
#include "platform/files/FileDescriptor.h"
#include "platform/files/PageCacheGuard.h"

#include <algorithm>
#include <cstring>

namespace core {

// A file being read: its descriptor, the guard that leaves the page cache as the reading found
// it, and the CRC-64 of the bytes read so far.
struct StepSplitter::Reading {
    const fileAttrbItem* item = nullptr;
    platform::FileDescriptor file;
    std::unique_ptr<platform::PageCacheGuard> cacheGuard;  // declared after the file: ends first
    std::uint64_t running = crc::initialValue;
    std::uint64_t readTo = 0;
    bool failed = false;

    void letGo() {
        cacheGuard.reset();
        file.reset();
    }
};

StepSplitter::StepSplitter(algorithm& reader, const std::atomic<bool>* stop, ProgressState* progress)
    : reader_(reader), stop_(stop), progress_(progress) {}

StepSplitter::~StepSplitter() = default;
StepSplitter::StepSplitter(StepSplitter&&) noexcept = default;

bool StepSplitter::split(const std::vector<const fileAttrbItem*>& files, Split& result) {
    result = Split{};
    result.wholeCrc.assign(files.size(), 0);
    if (stopRequested()) return false;
    std::vector<Reading> readings(files.size());
    Indices readable;
    for (std::size_t position = 0; position < files.size(); ++position) {
        Reading& reading = readings[position];
        reading.item = files[position];
        if (progress_) progress_->setCurrentPath(reading.item->filePathName);
        reading.file = reader_.openToRead(*reading.item);
        if (!reading.file.isOpen()) {
            reading.failed = true;
            result.unreadable.push_back(position);
            continue;
        }
        reading.cacheGuard =
            std::make_unique<platform::PageCacheGuard>(reading.file.get(), 0, reading.item->fileSize);
        readable.push_back(position);
    }
    if (!firstChunk_) {
        firstChunk_.reset(new unsigned char[algorithm::chunkLength]);
        otherChunk_.reset(new unsigned char[algorithm::chunkLength]);
    }
    const std::uint64_t size = files.empty() ? 0 : files.front()->fileSize;
    std::vector<Indices> parts;
    if (readable.size() > 1) parts.push_back(std::move(readable));
    for (std::uint64_t offset = 0; offset < size && !parts.empty(); offset += algorithm::chunkLength) {
        if (stopRequested()) return false;
        const auto length = static_cast<std::size_t>(std::min<std::uint64_t>(algorithm::chunkLength, size - offset));
        std::vector<Indices> next;
        for (Indices& part : parts) splitAt(readings, std::move(part), offset, length, next, result);
        parts = std::move(next);
    }
    std::sort(parts.begin(), parts.end());
    result.classes = std::move(parts);
    std::sort(result.unreadable.begin(), result.unreadable.end());
    for (std::size_t position = 0; position < readings.size(); ++position) {
        const Reading& reading = readings[position];
        if (!reading.failed && reading.readTo == size && size > 0) result.wholeCrc[position] = reading.running;
    }
    return true;
}

// Splits one part at one chunk: the members equal to its first readable member stay together,
// and the others are split among themselves at the same chunk, within runs of equal CRC.
void StepSplitter::splitAt(std::vector<Reading>& readings, Indices part, std::uint64_t offset, std::size_t length,
                           std::vector<Indices>& next, Split& result) {
    std::vector<Indices> toSplit;
    toSplit.push_back(std::move(part));
    while (!toSplit.empty()) {
        const Indices members = std::move(toSplit.back());
        toSplit.pop_back();
        std::size_t first = 0;
        while (first < members.size() && !readAt(readings[members[first]], firstChunk_.get(), offset, length))
            result.unreadable.push_back(members[first++]);
        Indices same, differing;
        if (first < members.size()) same.push_back(members[first]);
        for (std::size_t i = first + 1; i < members.size(); ++i) {
            if (!readAt(readings[members[i]], otherChunk_.get(), offset, length)) result.unreadable.push_back(members[i]);
            else if (std::memcmp(firstChunk_.get(), otherChunk_.get(), length) == 0) same.push_back(members[i]);
            else differing.push_back(members[i]);
        }
        if (same.size() > 1) next.push_back(std::move(same));
        else if (same.size() == 1) readings[same.front()].letGo();
        forEachRun(differing, [&](std::size_t position) { return readings[position].running; }, [&](Indices& run) {
            if (run.size() > 1) toSplit.push_back(std::move(run));
            else readings[run.front()].letGo();
        });
    }
}

// Reads the chunk at offset; the running CRC takes in each chunk the first time it is read.
bool StepSplitter::readAt(Reading& reading, unsigned char* chunk, std::uint64_t offset, std::size_t length) {
    if (!reading.file.isOpen()) return false;
    if (!reader_.readChunk(reading.file.get(), *reading.item, chunk, length, offset)) {
        reading.failed = true;
        reading.letGo();
        return false;
    }
    if (reading.readTo == offset) {
        reading.running = crc::crc64Buffer(chunk, length, false, reading.running);
        reading.readTo = offset + length;
    }
    return true;
}

bool StepSplitter::stopRequested() const { return stop_ && stop_->load(std::memory_order_relaxed); }

}  // namespace core
