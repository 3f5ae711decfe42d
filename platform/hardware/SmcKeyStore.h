#pragma once

#include <cstdint>
#include <optional>
#include <vector>

namespace platform {

// A key's type, attributes and value bytes (big-endian, at most 32).
struct SmcKeyValue {
    uint32_t type = 0;
    uint8_t attributes = 0;
    std::vector<uint8_t> bytes;
};

// Where the controller's keys come from: the keys in index order, "#KEY" among them.
class SmcKeyStore {
public:
    virtual ~SmcKeyStore() = default;
    virtual std::optional<uint32_t> keyAtIndex(uint32_t index) = 0;
    virtual std::optional<SmcKeyValue> readKey(uint32_t key) = 0;
};

}  // namespace platform
