#include "core/readings/SSMemoryMonitor.h"

#include "platform/system/Log.h"

#include <cerrno>

namespace core {

int SSMemoryMonitor::getMemoryInfo() {
    int result = 0;
    if (auto size = platform::HostStatistics::pageSize()) pagesize = *size;
    else result = errno;
    if (auto total = platform::HostStatistics::physicalMemory()) totalMemory = *total;
    else result = errno;
    if (auto statistics = platform::HostStatistics::vmStatistics(pagesize)) vmstat = *statistics;
    else platform::logWarning("host_statistics failed");
    return result;
}

SSMemoryInfo SSMemoryMonitor::usagePercent() {
    getMemoryInfo();
    SSMemoryInfo info;
    info.totalMemory = totalMemory;
    info.freeMemory = vmstat.freeCount * pagesize;
    info.wiredMemory = vmstat.wireCount * pagesize;
    info.activeMemory = vmstat.activeCount * pagesize;
    info.inactiveMemory = vmstat.inactiveCount * pagesize;
    // Counts taken at slightly different moments may add up to more than the total.
    uint64_t unused = info.freeMemory + info.inactiveMemory;
    info.usedMomory = unused < totalMemory ? totalMemory - unused : 0;
    info.pageIn = vmstat.pageins * pagesize;
    info.pageOut = vmstat.pageouts * pagesize;
    info.virtualMemory = vmstat.faults * pagesize;
    return info;
}

}  // namespace core
