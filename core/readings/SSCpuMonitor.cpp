#include "core/readings/SSCpuMonitor.h"

#include "platform/hardware/HostStatistics.h"

#include <mutex>

namespace core {
namespace {

// The process-wide previous sample; the task manager and the menu-bar panel both advance it
// from their own threads, so it is only touched under its lock.
struct PriorSample {
    std::mutex mutex;
    std::vector<platform::ProcessorTicks> priorCPUTicks;
    uint32_t priorProcessorCount = 0;
    bool isFirstCall = false;  // false until a sample is stored
};

PriorSample& priorSample() {
    static PriorSample sample;
    return sample;
}

CpuLoad loadBetween(const platform::ProcessorTicks& current, const platform::ProcessorTicks& prior) {
    uint64_t user = SSCpuMonitor::tickDelta(current.user, prior.user);
    uint64_t system = SSCpuMonitor::tickDelta(current.system, prior.system);
    uint64_t idle = SSCpuMonitor::tickDelta(current.idle, prior.idle);
    uint64_t nice = SSCpuMonitor::tickDelta(current.nice, prior.nice);
    uint64_t total = user + system + idle + nice;
    if (total == 0) total = 1;
    CpuLoad load;
    load.system = static_cast<double>(system) / static_cast<double>(total);
    load.user = static_cast<double>(user + nice) / static_cast<double>(total);
    return load;
}

}  // namespace

uint32_t SSCpuMonitor::tickDelta(uint32_t current, uint32_t previous) {
    uint32_t delta = current - previous;
    return delta >= 0x80000000u ? 0 : delta;
}

uint32_t SSCpuMonitor::getNumCPUs() const {
    auto ticks = platform::HostStatistics::processorTicks();
    return ticks ? static_cast<uint32_t>(ticks->size()) : 0;
}

std::optional<std::vector<CpuLoad>> SSCpuMonitor::monitorCPU() {
    auto current = platform::HostStatistics::processorTicks();
    if (!current) return std::nullopt;
    PriorSample& prior = priorSample();
    std::lock_guard<std::mutex> lock(prior.mutex);
    auto count = static_cast<uint32_t>(current->size());
    if (count != prior.priorProcessorCount) {
        prior.priorCPUTicks.assign(count, {});
        prior.priorProcessorCount = count;
        prior.isFirstCall = false;
    }
    std::vector<CpuLoad> loads;
    if (prior.isFirstCall) {
        loads.reserve(count);
        for (uint32_t i = 0; i < count; ++i) loads.push_back(loadBetween((*current)[i], prior.priorCPUTicks[i]));
    }
    prior.priorCPUTicks = std::move(*current);
    prior.isFirstCall = true;
    return loads;
}

}  // namespace core
