#pragma once

#include <cstdint>
#include <optional>

namespace core {

// Memory figures in bytes, all 0 until filled.
struct SSMemoryInfo {
    uint64_t totalMemory = 0;
    uint64_t freeMemory = 0;
    uint64_t wiredMemory = 0;
    uint64_t activeMemory = 0;
    uint64_t inactiveMemory = 0;
    uint64_t usedMomory = 0;  // everything but free and inactive pages (on Linux: MemTotal - MemAvailable)
    uint64_t pageIn = 0;
    uint64_t pageOut = 0;
    uint64_t virtualMemory = 0;

    // usedMomory / totalMemory x 100; nothing when the total is unknown (0).
    std::optional<double> usedPercentage() const;
};

}  // namespace core
