#include "platform/desktop/ProcessMemory.h"

#include "platform/files/PathText.h"
#include "platform/hardware/HostStatistics.h"
#include "platform/system/Environment.h"
#include "platform/system/KernelFiles.h"

#include <sstream>
#include <string>

namespace platform {

std::optional<uint64_t> ProcessMemory::residentSize(pid_t pid) {
    if (pid <= 0) return std::nullopt;
    auto statm = readKernelFile(joinPath(Environment::current()->procRoot(), std::to_string(pid) + "/statm"));
    if (!statm) return std::nullopt;
    // "size resident shared text lib data dt", all in pages.
    std::istringstream fields(*statm);
    std::string size, resident;
    if (!(fields >> size >> resident)) return std::nullopt;
    auto pages = parseUnsignedNumber(resident);
    auto pageSize = HostStatistics::pageSize();
    if (!pages || !pageSize) return std::nullopt;
    return *pages * *pageSize;
}

}  // namespace platform
