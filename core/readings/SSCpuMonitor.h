#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace core {

// One processor's load over the last interval, as fractions of its elapsed ticks.
struct CpuLoad {
    double system = 0;
    double user = 0;  // user and nice time
};

// Per-processor load since the previous sample. The previous sample belongs to the process,
// not to the monitor: every monitorCPU call, from any instance and any thread, measures the
// interval since the last call made by anyone and then replaces the sample.
class SSCpuMonitor {
public:
    // The number of processors; 0 when the counters cannot be read.
    uint32_t getNumCPUs() const;
    // One entry per processor, in processor order. Empty on the first call of the process and
    // after the processor count changed (nothing to compare with); nothing when the counters
    // cannot be read.
    std::optional<std::vector<CpuLoad>> monitorCPU();

    // The tick difference of a 32-bit counter: a wrap past 2^32 still gives its small step,
    // while a counter that stepped backwards (the kernel's waiting time can) gives 0.
    static uint32_t tickDelta(uint32_t current, uint32_t previous);
};

}  // namespace core
