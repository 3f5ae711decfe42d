#pragma once

#include <cstdint>
#include <string>

namespace core::disks {

// The disk manager's own size text: "%llu byte" below 1 KiB, then KB, MB and GB with two
// decimals (no TB step), the quotient computed in single precision.
std::string convertSize2String(uint64_t bytes);

}  // namespace core::disks
