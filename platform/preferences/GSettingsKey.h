#pragma once

#include "platform/preferences/PreferenceObservation.h"
#include "platform/system/PlistValue.h"

#include <functional>
#include <memory>
#include <string>

typedef struct _GSettings GSettings;
typedef struct _GSettingsSchema GSettingsSchema;
typedef struct _GVariant GVariant;

namespace platform {

// One key of the desktop's settings (GSettings). The schema and the key are looked up before
// anything is made of them, among the installed schemas and those that shell extensions keep
// in their own "schemas" folders, so a missing one leaves the key unavailable instead of ending
// the process (as GIO does when asked for a schema it does not know). Usable from any thread.
class GSettingsKey {
public:
    GSettingsKey(std::string schemaId, std::string key);
    ~GSettingsKey();
    GSettingsKey(const GSettingsKey&) = delete;
    GSettingsKey& operator=(const GSettingsKey&) = delete;

    bool isAvailable() const { return schema_ != nullptr; }
    // A Boolean, a number or a text (an enumeration gives its nick); Null when the key is
    // unavailable or of another type.
    PlistValue value() const;
    // Writes a Boolean or a text and waits until the settings backend has stored it. False, with
    // a log line, when the key is unavailable, not writable, refuses the value, or does not hold
    // it once the backend is done (a store that could not commit it).
    bool setValue(const PlistValue& value) const;
    // Calls the handler after each change of the key, from the main context that is the calling
    // thread's default (for the application: the main thread's event loop). Nothing is observed
    // when the key is unavailable.
    std::unique_ptr<PreferenceObservation> observe(std::function<void()> handler) const;

    // "schema key", for log lines.
    std::string name() const { return schemaId_ + " " + key_; }

private:
    bool holds(GSettings* settings, GVariant* value) const;

    std::string schemaId_;
    std::string key_;
    GSettingsSchema* schema_ = nullptr;
};

}  // namespace platform
