#pragma once

#include "core/duplicates/fileAttrbItem.h"
#include "platform/files/FileDescriptor.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace core {

// Computes the two content fingerprints of a candidate file and keeps them in its record.
// One object serves one thread: it owns the read buffer that every read reuses.
// A fingerprint fails, and the record keeps its old value, when the file cannot be opened,
// is no longer the regular file that was collected (other size, other file at the path),
// cannot be read to its end, or a stop is requested between two chunks. An open refused for
// want of descriptors is tried again for a while, as other threads give theirs back.
class algorithm {
public:
    static constexpr std::size_t headLength = 1024;
    static constexpr std::size_t chunkLength = 128u << 10;
    static constexpr std::uint64_t longFileLength = 1u << 20;

    explicit algorithm(const std::atomic<bool>* stop = nullptr);
    // The plain maker behind every search; tests hand in makers of probes instead.
    static std::unique_ptr<algorithm> make(const std::atomic<bool>* stop);
    virtual ~algorithm();
    algorithm(const algorithm&) = delete;
    algorithm& operator=(const algorithm&) = delete;

    // CRC-64 of the first kilobyte (the whole file when it is shorter) into md5_1k. A file of
    // at most one chunk is read whole in the same read, and gets its md5 too: reading it costs
    // about what its first kilobyte does.
    bool getMD5_1K(fileAttrbItem& item);
    // CRC-64 of the whole content into md5. It goes on from md5_1k when that is known, so
    // the first kilobyte is not read twice; an empty file never gets one.
    bool getMD5(fileAttrbItem& item);
    // Advances running, the CRC-64 of the bytes before from, over the bytes from from to to.
    // Read from the start, the file gets its md5_1k on the way; read to its size, it must end
    // there, and gets its md5.
    bool advanceCrc(fileAttrbItem& item, std::uint64_t from, std::uint64_t to, std::uint64_t& running);
    // The bytes of the last chunk read (a whole file, when it was read from its start to an end
    // within one chunk), until the next read.
    const unsigned char* lastChunk() const { return m_Buf.get(); }

    // Opens a collected file to read it whole; not open (and logged) when it cannot be opened
    // or is no longer the file that was collected.
    platform::FileDescriptor openToRead(const fileAttrbItem& item);
    // Reads length bytes at offset into buffer; false (and logged) on a read error or an early end.
    bool readChunk(int fd, const fileAttrbItem& item, unsigned char* buffer, std::size_t length, std::uint64_t offset);

protected:
    // Opens the path read-only without ever blocking; a negative value on failure.
    virtual int openForReading(const std::string& path);

private:
    platform::FileDescriptor openCollectedFile(const fileAttrbItem& item, const std::string& failureLine);
    int openWaitingForDescriptors(const std::string& path);
    bool hashRange(int fd, fileAttrbItem& item, std::uint64_t from, std::uint64_t to, std::uint64_t& running);
    bool readExactly(int fd, const fileAttrbItem& item, unsigned char* buffer, std::size_t length, std::uint64_t offset,
                     bool endsThere);
    bool stopRequested() const;
    static bool failedReading(const fileAttrbItem& item);
    static bool changedWhileReading(const fileAttrbItem& item);

    std::unique_ptr<unsigned char[]> m_Buf;
    const std::atomic<bool>* stop_;
};

// Makes one fingerprinting object per worker; the stop flag is checked between read chunks.
using AlgorithmFactory = std::function<std::unique_ptr<algorithm>(const std::atomic<bool>* stop)>;

}  // namespace core
