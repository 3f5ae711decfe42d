#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace platform {

// One processor's tick counters in the kernel's order user, system, idle, nice. They are 32
// bits wide, so a long-running counter wraps and readers subtract modulo 2^32.
struct ProcessorTicks {
    uint32_t user = 0;
    uint32_t system = 0;
    uint32_t idle = 0;
    uint32_t nice = 0;
};

// Virtual-memory page counts.
struct VmStatistics {
    uint64_t freeCount = 0;
    uint64_t activeCount = 0;
    // On Linux the memory the kernel can reclaim at once (MemAvailable beyond the free pages),
    // so that free and inactive together are what is available.
    uint64_t inactiveCount = 0;
    uint64_t wireCount = 0;
    uint64_t pageins = 0;
    uint64_t pageouts = 0;
    uint64_t faults = 0;
};

// The host's processor and memory counters, read from /proc under Environment::procRoot().
class HostStatistics {
public:
    // One entry per processor line of /proc/stat, in their order; nothing when unreadable.
    static std::optional<std::vector<ProcessorTicks>> processorTicks();
    // /proc/meminfo and /proc/vmstat as page counts of the given page size.
    static std::optional<VmStatistics> vmStatistics(uint64_t pageSize);
    // Physical memory in bytes; nothing (errno set) when /proc/meminfo cannot be read.
    static std::optional<uint64_t> physicalMemory();
    // The system's page size in bytes; nothing (errno set) when it cannot be asked.
    static std::optional<uint64_t> pageSize();
};

}  // namespace platform
