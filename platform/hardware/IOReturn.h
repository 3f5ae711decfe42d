#pragma once

namespace platform {

// Kernel statuses of the device connections (the controller, S.M.A.R.T.), 0 on success.
constexpr int kIOReturnSuccess = 0;
constexpr int kIOReturnError = static_cast<int>(0xE00002BC);
constexpr int kIOReturnNoDevice = static_cast<int>(0xE00002C0);
constexpr int kIOReturnBadArgument = static_cast<int>(0xE00002C2);
constexpr int kIOReturnNotOpen = static_cast<int>(0xE00002CD);

}  // namespace platform
