#pragma once

#include <array>
#include <cstdint>

namespace core {

// The result of reading one key of the system management controller.
struct SMCValue {
    uint32_t key = 0;
    uint32_t dataSize = 0;
    uint32_t dataType = 0;
    uint32_t dataAttributes = 0;  // the low byte is meaningful
    std::array<uint8_t, 32> bytes{};  // the value as the controller sent it, big-endian
};

// The controller's key protocol over one process-wide connection, opened and closed around
// each use. Every function returns a kernel status, 0 on success.
int SMCOpen();
void SMCClose();
int SMCReadKey(uint32_t key, SMCValue& value);
// The number of keys from "#KEY" when it reads as "ui32"; otherwise count is left as it was.
int SMCReadKeysCount(uint32_t& count);
int SMCReadKeyAtIndex(uint32_t index, SMCValue& value);

}  // namespace core
