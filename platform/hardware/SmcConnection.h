#pragma once

#include "platform/hardware/IOReturn.h"
#include "platform/hardware/SmcKeyData.h"

#include <memory>

namespace platform {

// The user-client connection to the system management controller: opened, called with
// 80-byte records, closed. On Linux the controller is reached through the applesmc driver,
// or the machine's temperature sensors stand in for its temperature keys.
class SmcConnection {
public:
    static constexpr uint32_t kSelectorKeyData = 2;

    virtual ~SmcConnection() = default;
    // 0 on success; kIOReturnNoDevice when the machine has no controller.
    virtual int open() = 0;
    virtual void close() = 0;
    // A call error is returned; the controller's own refusal comes back in the result byte.
    virtual int callStructMethod(uint32_t selector, const SmcKeyData::Bytes& input, SmcKeyData::Bytes& output) = 0;

    static std::shared_ptr<SmcConnection> shared();
    static void setShared(std::shared_ptr<SmcConnection> connection);
};

}  // namespace platform
