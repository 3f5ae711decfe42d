#include "core/readings/LoadFigures.h"

#include <algorithm>
#include <cstdio>

namespace core {

std::optional<float> averageCpuPercentage(const std::vector<CpuLoad>& loads, uint32_t cpuCount) {
    if (cpuCount == 0 || loads.size() != cpuCount) return std::nullopt;
    float sum = 0;
    for (const auto& load : loads) sum += static_cast<float>(load.user + load.system);
    return std::clamp(sum / static_cast<float>(cpuCount), 0.0f, 1.0f) * 100.0f;
}

std::string percentText(float percentage) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f%%", static_cast<double>(percentage));
    return text;
}

bool isHighLoad(float percentage) { return percentage > 50.0f; }

}  // namespace core
