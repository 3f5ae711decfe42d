#pragma once

#include "platform/system/UserDefaults.h"

#include <map>
#include <mutex>

namespace testsupport {

// User defaults kept in memory only.
class MemoryUserDefaults : public platform::UserDefaults {
public:
    std::optional<platform::PlistValue> objectForKey(const std::string& key) const override {
        std::lock_guard<std::mutex> lock(mutex_);
        auto found = values_.find(key);
        if (found == values_.end()) return std::nullopt;
        return found->second;
    }
    void setObject(const std::string& key, platform::PlistValue value) override {
        std::lock_guard<std::mutex> lock(mutex_);
        values_[key] = std::move(value);
    }
    void removeObject(const std::string& key) override {
        std::lock_guard<std::mutex> lock(mutex_);
        values_.erase(key);
    }

private:
    mutable std::mutex mutex_;
    std::map<std::string, platform::PlistValue> values_;
};

}  // namespace testsupport
