#include "platform/system/PlistUserDefaults.h"

#include "platform/system/Log.h"

#include <sys/stat.h>

namespace platform {

PlistUserDefaults::PlistUserDefaults(std::string file) : file_(std::move(file)) {
    struct stat info {};
    if (stat(file_.c_str(), &info) != 0) return;
    auto stored = PlistValue::readFile(file_);
    if (stored && stored->isDictionary()) values_ = *stored;
    else logWarning("user defaults unreadable, starting empty: " + file_);
}

std::optional<PlistValue> PlistUserDefaults::objectForKey(const std::string& key) const {
    std::lock_guard<std::mutex> lock(mutex_);
    if (const PlistValue* value = values_.find(key)) return *value;
    return std::nullopt;
}

void PlistUserDefaults::setObject(const std::string& key, PlistValue value) {
    std::lock_guard<std::mutex> lock(mutex_);
    values_.set(key, std::move(value));
    save();
}

void PlistUserDefaults::removeObject(const std::string& key) {
    std::lock_guard<std::mutex> lock(mutex_);
    values_.remove(key);
    save();
}

void PlistUserDefaults::save() const {
    if (!values_.isDictionary()) {
        PlistValue(PlistValue::Dictionary{}).writeFile(file_);
        return;
    }
    values_.writeFile(file_);
}

}  // namespace platform
