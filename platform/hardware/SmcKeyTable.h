#pragma once

#include "platform/hardware/SmcKeyStore.h"

#include <functional>
#include <string>

namespace platform {

// Keys listed in memory, each with a reader for its current value.
class SmcKeyTable : public SmcKeyStore {
public:
    using Reader = std::function<std::optional<std::vector<uint8_t>>()>;

    void add(const std::string& name, const std::string& type, uint8_t attributes, Reader reader);
    // Puts "#KEY" (ui32, the number of keys counting itself) in front of the keys added so far.
    void addKeyCount();
    size_t size() const { return entries_.size(); }

    std::optional<uint32_t> keyAtIndex(uint32_t index) override;
    std::optional<SmcKeyValue> readKey(uint32_t key) override;

private:
    struct Entry {
        uint32_t key;
        uint32_t type;
        uint8_t attributes;
        Reader reader;
    };
    std::vector<Entry> entries_;
};

// The controller's signed fixed-point type "sp78" (eight fraction bits) of a temperature
// given in thousandths of a degree, clamped to its range.
std::vector<uint8_t> sp78Bytes(int64_t millidegrees);
// The controller's "ui32": four bytes, most significant first.
std::vector<uint8_t> ui32Bytes(uint32_t value);

}  // namespace platform
