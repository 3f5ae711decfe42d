#pragma once

#include "core/readings/SSMemoryInfo.h"
#include "platform/hardware/HostStatistics.h"

#include <cstdint>

namespace core {

// Page size, physical memory and the virtual-memory statistics of the host.
class SSMemoryMonitor {
public:
    // Refreshes the three figures; the result is the errno of the last failed size query,
    // else 0. A failed read keeps the previous value.
    int getMemoryInfo();
    // Refreshes and returns the figures in bytes (not a percentage, the name notwithstanding).
    SSMemoryInfo usagePercent();

    uint64_t pagesize = 4096;
    uint64_t totalMemory = 0;
    platform::VmStatistics vmstat;
};

}  // namespace core
