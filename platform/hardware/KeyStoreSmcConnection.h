#pragma once

#include "platform/hardware/SmcConnection.h"
#include "platform/hardware/SmcKeyStore.h"

#include <functional>
#include <mutex>

namespace platform {

// Answers the controller's key commands (key info, read bytes, key at index) from a key store.
// The store is found on the first successful open and kept for the life of the connection,
// since finding it may mean walking every key of the driver.
class KeyStoreSmcConnection : public SmcConnection {
public:
    // Controller result codes of refused commands.
    static constexpr uint8_t kResultKeyNotFound = 0x84;
    static constexpr uint8_t kResultBadCommand = 0x8B;
    static constexpr uint8_t kResultBadSize = 0x89;

    using StoreOpener = std::function<std::unique_ptr<SmcKeyStore>()>;
    explicit KeyStoreSmcConnection(StoreOpener opener);

    int open() override;
    void close() override;
    int callStructMethod(uint32_t selector, const SmcKeyData::Bytes& input, SmcKeyData::Bytes& output) override;

private:
    SmcKeyData answer(const SmcKeyData& request);

    std::mutex mutex_;
    StoreOpener opener_;
    std::unique_ptr<SmcKeyStore> store_;
    bool isOpen_ = false;
};

}  // namespace platform
