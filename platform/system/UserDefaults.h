#pragma once

#include "platform/system/PlistValue.h"

#include <memory>
#include <optional>
#include <string>

namespace platform {

// The application's standard user defaults: keys such as "WipeTimes", "CPUTemperatureSensor",
// "AppleMiniaturizeOnDoubleClick" and "AppleLanguages". A missing key reads as absent.
class UserDefaults {
public:
    virtual ~UserDefaults() = default;

    virtual std::optional<PlistValue> objectForKey(const std::string& key) const = 0;
    virtual void setObject(const std::string& key, PlistValue value) = 0;
    virtual void removeObject(const std::string& key) = 0;

    // Foundation's readers: a missing key gives NO, 0 or "".
    bool boolForKey(const std::string& key) const;
    int64_t integerForKey(const std::string& key) const;
    std::string stringForKey(const std::string& key) const;

    static std::shared_ptr<UserDefaults> shared();
    static void setShared(std::shared_ptr<UserDefaults> defaults);
};

}  // namespace platform
