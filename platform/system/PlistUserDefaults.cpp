#include "platform/system/PlistUserDefaults.h"

#include "platform/system/Log.h"
#include "platform/system/RewritableDictionary.h"

namespace platform {

PlistUserDefaults::PlistUserDefaults(std::string file) : file_(std::move(file)) {
    auto stored = readRewritableDictionary(file_);
    writable_ = stored.has_value();
    if (stored) values_ = std::move(*stored);
}

std::optional<PlistValue> PlistUserDefaults::objectForKey(const std::string& key) const {
    std::lock_guard<std::mutex> lock(mutex_);
    if (const PlistValue* value = values_.find(key)) return *value;
    return std::nullopt;
}

void PlistUserDefaults::setObject(const std::string& key, PlistValue value) {
    std::lock_guard<std::mutex> lock(mutex_);
    values_.set(key, std::move(value));
    save(key);
}

void PlistUserDefaults::removeObject(const std::string& key) {
    std::lock_guard<std::mutex> lock(mutex_);
    values_.remove(key);
    save(key);
}

void PlistUserDefaults::save(const std::string& changedKey) const {
    if (writable_ && values_.writeFile(file_)) return;
    logError("user default \"" + changedKey + "\" holds for this run only, it was not saved to " + file_);
}

}  // namespace platform
