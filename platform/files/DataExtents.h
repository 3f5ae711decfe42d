#pragma once

#include <cstdint>
#include <vector>

namespace platform {

// One run of a file's bytes that the file system has stored; the holes between runs read as
// zeros and take no room on the disk.
struct DataExtent {
    std::uint64_t offset = 0;
    std::uint64_t length = 0;

    bool operator==(const DataExtent& other) const { return offset == other.offset && length == other.length; }
};

// The stored runs of the first size bytes of an open file, in order, found with
// SEEK_DATA/SEEK_HOLE. A file system that cannot tell (or any other lookup error) yields the
// whole range as one run, so a caller never skips bytes that may be stored.
std::vector<DataExtent> dataExtents(int fd, std::uint64_t size);

}  // namespace platform
