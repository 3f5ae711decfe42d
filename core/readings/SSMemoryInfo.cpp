#include "core/readings/SSMemoryInfo.h"

namespace core {

std::optional<double> SSMemoryInfo::usedPercentage() const {
    if (totalMemory == 0) return std::nullopt;
    return static_cast<double>(usedMomory) / static_cast<double>(totalMemory) * 100.0;
}

}  // namespace core
