#pragma once

#include "core/readings/SSCpuMonitor.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace core {

// How the task manager and the menu-bar panel turn the readers' figures into what they show.

// The machine's CPU load in percent: the processors' user and system fractions averaged and
// clamped to [0, 1], times 100. Nothing when the sample has not one entry per processor (the
// first sample, or one of another processor count).
std::optional<float> averageCpuPercentage(const std::vector<CpuLoad>& loads, uint32_t cpuCount);
// "%.1f%%": 12.34 gives "12.3%".
std::string percentText(float percentage);
// A load above half is shown as an alarm (red), half or less as fine (green).
bool isHighLoad(float percentage);

}  // namespace core
