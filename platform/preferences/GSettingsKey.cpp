#include "platform/preferences/GSettingsKey.h"

#include "platform/bus/GioLibrary.h"
#include "platform/files/FolderLister.h"
#include "platform/files/PathText.h"
#include "platform/system/Log.h"


#include <cstdlib>
#include <sstream>
#include <vector>

namespace platform {
namespace {

struct ObjectUnref {
    void operator()(gpointer object) const { gio().g_object_unref(object); }
};
using Settings = std::unique_ptr<GSettings, ObjectUnref>;

struct VariantUnref {
    void operator()(GVariant* variant) const { g_variant_unref(variant); }
};
using Variant = std::unique_ptr<GVariant, VariantUnref>;

struct SchemaKeyUnref {
    void operator()(GSettingsSchemaKey* key) const { gio().g_settings_schema_key_unref(key); }
};
using SchemaKey = std::unique_ptr<GSettingsSchemaKey, SchemaKeyUnref>;

std::string environmentValue(const char* name, const std::string& fallback) {
    const char* value = std::getenv(name);
    return value && *value ? value : fallback;
}

// The XDG data folders, the user's first. Read from the environment on every call, so a
// folder set after GLib has started counts too.
std::vector<std::string> dataFolders() {
    std::vector<std::string> folders{environmentValue("XDG_DATA_HOME", joinPath(environmentValue("HOME", "/"), ".local/share"))};
    std::istringstream systemFolders(environmentValue("XDG_DATA_DIRS", "/usr/local/share:/usr/share"));
    for (std::string folder; std::getline(systemFolders, folder, ':');)
        if (!folder.empty()) folders.push_back(folder);
    return folders;
}

// Shell extensions installed by the user (or unpacked by hand) keep their compiled schemas in
// their own "schemas" folder, out of GSettings' sight.
std::vector<std::string> extensionSchemaFolders() {
    std::vector<std::string> result;
    for (const std::string& base : dataFolders()) {
        const std::string extensions = joinPath(base, "gnome-shell/extensions");
        if (!FolderLister::entryAt(extensions, true)) continue;
        const auto entries = FolderLister::list(extensions, true);
        if (!entries) continue;
        for (const FileEntry& entry : *entries) {
            const std::string schemas = joinPath(joinPath(extensions, entry.name), "schemas");
            if (FolderLister::entryAt(joinPath(schemas, "gschemas.compiled"), true)) result.push_back(schemas);
        }
    }
    return result;
}

GSettingsSchema* lookUpSchema(const std::string& schemaId) {
    if (!GioLibrary::loaded()) return nullptr;
    GSettingsSchemaSource* installed = gio().g_settings_schema_source_get_default();
    if (installed) {
        if (GSettingsSchema* schema = gio().g_settings_schema_source_lookup(installed, schemaId.c_str(), TRUE)) return schema;
    }
    for (const std::string& folder : extensionSchemaFolders()) {
        GError* error = nullptr;
        GSettingsSchemaSource* source = gio().g_settings_schema_source_new_from_directory(folder.c_str(), installed, FALSE, &error);
        if (!source) {
            logWarning("cannot read the settings schemas in " + folder + ": " + error->message);
            g_error_free(error);
            continue;
        }
        GSettingsSchema* schema = gio().g_settings_schema_source_lookup(source, schemaId.c_str(), FALSE);
        gio().g_settings_schema_source_unref(source);
        if (schema) return schema;
    }
    return nullptr;
}

PlistValue fromVariant(GVariant* variant) {
    if (g_variant_is_of_type(variant, G_VARIANT_TYPE_BOOLEAN)) return PlistValue(g_variant_get_boolean(variant) != FALSE);
    if (g_variant_is_of_type(variant, G_VARIANT_TYPE_STRING)) return PlistValue(std::string(g_variant_get_string(variant, nullptr)));
    if (g_variant_is_of_type(variant, G_VARIANT_TYPE_INT32)) return PlistValue(int64_t{g_variant_get_int32(variant)});
    if (g_variant_is_of_type(variant, G_VARIANT_TYPE_UINT32)) return PlistValue(int64_t{g_variant_get_uint32(variant)});
    if (g_variant_is_of_type(variant, G_VARIANT_TYPE_INT64)) return PlistValue(int64_t{g_variant_get_int64(variant)});
    if (g_variant_is_of_type(variant, G_VARIANT_TYPE_UINT64)) return PlistValue(uint64_t{g_variant_get_uint64(variant)});
    if (g_variant_is_of_type(variant, G_VARIANT_TYPE_DOUBLE)) return PlistValue(g_variant_get_double(variant));
    return PlistValue();
}

// The value in the key's own type, or null when it cannot hold it.
GVariant* toVariant(const PlistValue& value, const GVariantType* type) {
    if (g_variant_type_equal(type, G_VARIANT_TYPE_BOOLEAN) && value.type() == PlistValue::Type::Boolean)
        return g_variant_ref_sink(g_variant_new_boolean(value.toBool()));
    if (g_variant_type_equal(type, G_VARIANT_TYPE_STRING) && value.isString())
        return g_variant_ref_sink(g_variant_new_string(value.toString().c_str()));
    return nullptr;
}

class ChangeObservation : public PreferenceObservation {
public:
    ChangeObservation(GSettingsSchema* schema, const std::string& key, std::function<void()> handler)
        : handler_(std::move(handler)), settings_(gio().g_settings_new_full(schema, nullptr, nullptr)) {
        const std::string signal = "changed::" + key;
        handlerId_ = gio().g_signal_connect_data(settings_.get(), signal.c_str(), G_CALLBACK(&ChangeObservation::changed), this,
                                                 nullptr, GConnectFlags(0));
        // A settings object reports changes only of keys it has read since the handler was connected.
        Variant(gio().g_settings_get_value(settings_.get(), key.c_str()));
    }
    ~ChangeObservation() override { gio().g_signal_handler_disconnect(settings_.get(), handlerId_); }

private:
    static void changed(GSettings*, const char*, gpointer self) { static_cast<ChangeObservation*>(self)->handler_(); }

    std::function<void()> handler_;
    Settings settings_;
    gulong handlerId_ = 0;
};

}  // namespace

GSettingsKey::GSettingsKey(std::string schemaId, std::string key) : schemaId_(std::move(schemaId)), key_(std::move(key)) {
    schema_ = lookUpSchema(schemaId_);
    if (schema_ && !gio().g_settings_schema_has_key(schema_, key_.c_str())) {
        logWarning("the desktop settings " + schemaId_ + " have no key " + key_);
        gio().g_settings_schema_unref(schema_);
        schema_ = nullptr;
    }
}

GSettingsKey::~GSettingsKey() {
    if (schema_) gio().g_settings_schema_unref(schema_);
}

PlistValue GSettingsKey::value() const {
    if (!schema_) return PlistValue();
    Settings settings(gio().g_settings_new_full(schema_, nullptr, nullptr));
    Variant variant(gio().g_settings_get_value(settings.get(), key_.c_str()));
    return fromVariant(variant.get());
}

bool GSettingsKey::setValue(const PlistValue& value) const {
    if (!schema_) {
        logWarning("cannot change " + name() + ": it is not installed");
        return false;
    }
    Settings settings(gio().g_settings_new_full(schema_, nullptr, nullptr));
    SchemaKey schemaKey(gio().g_settings_schema_get_key(schema_, key_.c_str()));
    Variant variant(toVariant(value, gio().g_settings_schema_key_get_value_type(schemaKey.get())));
    bool stored = false;
    if (!variant || !gio().g_settings_schema_key_range_check(schemaKey.get(), variant.get()))
        logWarning("cannot change " + name() + ": the value does not fit the key");
    else if (!gio().g_settings_is_writable(settings.get(), key_.c_str()))
        logWarning("cannot change " + name() + ": the key is locked");
    else if (!(stored = gio().g_settings_set_value(settings.get(), key_.c_str(), variant.get())))
        logWarning("cannot change " + name() + ": the settings refused the value");
    gio().g_settings_sync();
    return stored && holds(settings.get(), variant.get());
}

// A settings store may take a change at once and commit it later (dconf, over the session bus);
// once the change has been synced, the key read back tells whether the commit held.
bool GSettingsKey::holds(GSettings* settings, GVariant* value) const {
    Variant stored(gio().g_settings_get_value(settings, key_.c_str()));
    if (g_variant_equal(stored.get(), value)) return true;
    logWarning("cannot change " + name() + ": the settings store did not keep the value");
    return false;
}

std::unique_ptr<PreferenceObservation> GSettingsKey::observe(std::function<void()> handler) const {
    if (!schema_) return std::make_unique<PreferenceObservation>();
    return std::make_unique<ChangeObservation>(schema_, key_, std::move(handler));
}

}  // namespace platform
