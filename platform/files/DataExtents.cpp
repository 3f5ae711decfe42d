#include "platform/files/DataExtents.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace platform {

std::vector<DataExtent> dataExtents(int fd, std::uint64_t size) {
    std::vector<DataExtent> extents;
    std::uint64_t position = 0;
    while (position < size) {
        const off_t data = lseek(fd, static_cast<off_t>(position), SEEK_DATA);
        if (data < 0) {
            if (errno == ENXIO) break;  // only a hole remains
            return {{0, size}};
        }
        const off_t hole = lseek(fd, data, SEEK_HOLE);
        if (hole <= data) return {{0, size}};
        const std::uint64_t start = static_cast<std::uint64_t>(data);
        if (start >= size) break;
        const std::uint64_t end = std::min<std::uint64_t>(static_cast<std::uint64_t>(hole), size);
        extents.push_back({start, end - start});
        position = end;
    }
    return extents;
}

}  // namespace platform
