#pragma once

#include "platform/system/UserDefaults.h"

#include <mutex>

namespace platform {

// User defaults kept in one property-list file, read once and written whole after each change.
// A broken or unreadable file is kept aside, never overwritten; when it cannot be kept aside,
// changes live in memory for this run only. Every failed write gets a log line.
class PlistUserDefaults : public UserDefaults {
public:
    explicit PlistUserDefaults(std::string file);

    std::optional<PlistValue> objectForKey(const std::string& key) const override;
    void setObject(const std::string& key, PlistValue value) override;
    void removeObject(const std::string& key) override;

private:
    void save(const std::string& changedKey) const;

    std::string file_;
    mutable std::mutex mutex_;
    PlistValue values_{PlistValue::Dictionary{}};
    bool writable_ = true;
};

}  // namespace platform
