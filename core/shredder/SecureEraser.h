#pragma once

#include "core/shredder/SecureRandom.h"
#include "platform/files/DataExtents.h"

#include <sys/stat.h>

#include <cstddef>
#include "platform/files/FileIdentity.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace core {

// Destroys one regular file: overwrites its stored bytes in place in one to five passes, empties it,
// strips its extended attributes, resets its modification date and mode, moves it through two
// random names to a last one and removes it. Errors go to the log only.
//
// The file is never reached through a link, a file with other hard links is left alone (its
// data lives on under the other names), a FIFO, socket or device is never opened, and no move
// replaces an existing entry. Linux keeps no settable creation date, so only the modification
// date is reset.
//
// Only the runs the file system has stored are overwritten: the holes of a sparse file hold no
// data, and filling them would take room the disk may not have. A write error of any pass
// (a full disk included) ends the file as failed at once; it stays under its name.
class SecureEraser {
public:
    static constexpr size_t chunkSize = 16 * 1024 * 1024;
    static constexpr int32_t maximumPasses = 5;

    explicit SecureEraser(std::shared_ptr<SecureRandom> random = std::make_shared<SecureRandom>());
    virtual ~SecureEraser();
    SecureEraser(const SecureEraser&) = delete;
    SecureEraser& operator=(const SecureEraser&) = delete;

    // True only when the file was overwritten, moved to its last name and removed.
    bool securelyEraseFile(const std::string& path, int32_t passCount);
    // The same for the entry name of an open folder (an O_PATH descriptor will do), which
    // stays where the file is handled whatever happens to the folders above it, while the
    // name holds the expected file (checked before and on the open file); path names the file
    // in log lines.
    virtual bool securelyEraseFileAt(int folderFd, const std::string& name, const std::string& path, int32_t passCount,
                                     const platform::FileIdentity& expected);

    // The overwrite alone on an open file: passCount clamped to 1..5 passes over the stored
    // runs of its first size bytes.
    bool overwrite(int fd, uint64_t size, int32_t passCount);
    // One pass over the given runs: pass 0 writes zeros, every later pass fresh random bytes, in
    // chunks of at most 16 MiB, each sent on to the device as soon as it is written; the pass
    // ends with a flush. Its pages stay in the cache for the next pass to write over; those of
    // the last pass leave it as it goes (emptying the file drops what is left).
    bool writePass(int fd, const std::vector<platform::DataExtent>& extents, int pass, bool last);

protected:
    // Writes one chunk at an offset; pwrite's result and errno. Tests put a failing disk here.
    virtual ssize_t writeChunk(int fd, const unsigned char* data, size_t length, uint64_t offset);

private:
    bool writeExtent(int fd, const platform::DataExtent& extent, int pass, bool last);
    bool writeWhole(int fd, size_t length, uint64_t offset, int pass);
    bool fillChunk(int pass, unsigned char* buffer, size_t length);
    bool holdBuffer();
    void releaseBuffer();
    bool overwriteAndEmpty(int fd, const std::string& path, const struct stat& opened, int32_t passCount);
    bool moveAwayAndRemove(int folder, const std::string& folderPath, const std::string& name,
                           const struct stat& opened);

    std::shared_ptr<SecureRandom> random_;
    std::unique_ptr<unsigned char[]> buffer_;  // the chunk being written
    std::unique_ptr<unsigned char[]> spare_;   // a random pass's next chunk, drawn meanwhile
    bool bufferHoldsZeros_ = false;
};

}  // namespace core
