#pragma once

#include "platform/hardware/SmcKeyStore.h"

#include <map>
#include <memory>
#include <string>

namespace platform {

// The controller's own keys through the applesmc driver's index files: a key is selected by
// writing its index to "key_at_index", then its name, type and bytes are read. Only a process
// that may write that file (normally root) can use it.
class AppleSmcKeyStore : public SmcKeyStore {
public:
    // The store of the driver's device folder; nullptr when keys cannot be selected there.
    static std::unique_ptr<AppleSmcKeyStore> open(const std::string& deviceFolder);

    std::optional<uint32_t> keyAtIndex(uint32_t index) override;
    std::optional<SmcKeyValue> readKey(uint32_t key) override;

private:
    AppleSmcKeyStore(std::string folder, uint32_t keyCount);
    bool select(uint32_t index);
    std::optional<uint32_t> indexOfKey(uint32_t key);
    std::string file(const char* name) const { return folder_ + "/" + name; }

    std::string folder_;
    uint32_t keyCount_;
    std::map<uint32_t, uint32_t> indexByKey_;  // filled by one walk on first need
};

}  // namespace platform
