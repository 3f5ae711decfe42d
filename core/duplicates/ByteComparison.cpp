#include "core/duplicates/ByteComparison.h"

#include "platform/files/FileDescriptor.h"
#include "platform/files/PageCacheGuard.h"

#include <algorithm>
#include <cstring>

namespace core {
namespace {

// A file being compared and the guard that leaves the page cache as the reading found it.
struct OpenFile {
    platform::FileDescriptor file;
    std::unique_ptr<platform::PageCacheGuard> cacheGuard;  // declared after the file: ends first

    bool open(algorithm& reader, const fileAttrbItem& item) {
        file = reader.openToRead(item);
        if (file.isOpen()) cacheGuard = std::make_unique<platform::PageCacheGuard>(file.get(), 0, item.fileSize);
        return file.isOpen();
    }
    void close() {
        cacheGuard.reset();
        file.reset();
    }
};

}  // namespace

ByteComparison::ByteComparison(algorithm& reader, const std::atomic<bool>* stop, ProgressState* progress)
    : reader_(reader), stop_(stop), progress_(progress) {}

ByteComparison::Ending ByteComparison::compare(const fileAttrbItem& first, const std::vector<const fileAttrbItem*>& others,
                                               std::vector<Seen>& seen) {
    seen.assign(others.size(), Seen::Same);
    if (stopRequested()) return Ending::Stopped;
    OpenFile firstFile;
    if (!firstFile.open(reader_, first)) return Ending::FirstUnreadable;
    std::vector<OpenFile> files(others.size());
    std::size_t left = 0;
    for (std::size_t i = 0; i < others.size(); ++i) {
        if (progress_) progress_->setCurrentPath(others[i]->filePathName);
        if (files[i].open(reader_, *others[i])) ++left;
        else seen[i] = Seen::Unreadable;
    }
    if (!firstChunk_) {
        firstChunk_.reset(new unsigned char[algorithm::chunkLength]);
        otherChunk_.reset(new unsigned char[algorithm::chunkLength]);
    }
    const std::uint64_t size = first.fileSize;
    for (std::uint64_t offset = 0; offset < size && left > 0; offset += algorithm::chunkLength) {
        if (stopRequested()) return Ending::Stopped;
        const auto length = static_cast<std::size_t>(std::min<std::uint64_t>(algorithm::chunkLength, size - offset));
        if (!reader_.readChunk(firstFile.file.get(), first, firstChunk_.get(), length, offset))
            return Ending::FirstUnreadable;
        for (std::size_t i = 0; i < files.size(); ++i) {
            if (seen[i] != Seen::Same) continue;
            if (!reader_.readChunk(files[i].file.get(), *others[i], otherChunk_.get(), length, offset))
                seen[i] = Seen::Unreadable;
            else if (std::memcmp(firstChunk_.get(), otherChunk_.get(), length) != 0)
                seen[i] = Seen::Differs;
            if (seen[i] == Seen::Same) continue;
            files[i].close();
            --left;
        }
    }
    return Ending::Compared;
}

bool ByteComparison::stopRequested() const { return stop_ && stop_->load(std::memory_order_relaxed); }

}  // namespace core
