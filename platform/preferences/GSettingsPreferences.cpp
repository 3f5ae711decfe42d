#include "platform/preferences/GSettingsPreferences.h"

#include "platform/preferences/GSettingsKey.h"
#include "platform/preferences/ShellExtension.h"

namespace platform {
namespace {

class Backing {
public:
    virtual ~Backing() = default;
    virtual bool isAvailable() const = 0;
    virtual PlistValue value() const = 0;
    virtual bool setValue(bool value) const = 0;
    virtual std::unique_ptr<PreferenceObservation> observe(std::function<void()>) const {
        return std::make_unique<PreferenceObservation>();
    }
};

// A Boolean key, read as it is or as its opposite.
class BooleanKey : public Backing {
public:
    BooleanKey(const char* schemaId, const char* key, bool inverted = false) : key_(schemaId, key), inverted_(inverted) {}

    bool isAvailable() const override { return key_.isAvailable(); }
    PlistValue value() const override {
        const PlistValue stored = key_.value();
        if (stored.type() != PlistValue::Type::Boolean) return PlistValue();
        return PlistValue(stored.toBool() != inverted_);
    }
    bool setValue(bool value) const override { return key_.setValue(PlistValue(value != inverted_)); }
    std::unique_ptr<PreferenceObservation> observe(std::function<void()> handler) const override {
        return key_.observe(std::move(handler));
    }

private:
    GSettingsKey key_;
    bool inverted_;
};

class ColorScheme : public Backing {
public:
    bool isAvailable() const override { return key_.isAvailable(); }
    PlistValue value() const override { return key_.value().toString() == kDark ? PlistValue("Dark") : PlistValue(); }
    bool setValue(bool dark) const override { return key_.setValue(PlistValue(dark ? kDark : "default")); }
    std::unique_ptr<PreferenceObservation> observe(std::function<void()> handler) const override {
        return key_.observe(std::move(handler));
    }

private:
    static constexpr const char* kDark = "prefer-dark";
    GSettingsKey key_{"org.gnome.desktop.interface", "color-scheme"};
};

// The file manager (Nautilus 43 and later) follows the GTK 4 file chooser; GTK 3 programs
// keep a key of their own, written along where it is installed.
class HiddenFiles : public Backing {
public:
    bool isAvailable() const override { return gtk4_.isAvailable(); }
    PlistValue value() const override { return gtk4_.value(); }
    bool setValue(bool show) const override {
        bool stored = gtk4_.setValue(show);
        if (gtk3_.isAvailable()) stored = gtk3_.setValue(show) && stored;
        return stored;
    }
    std::unique_ptr<PreferenceObservation> observe(std::function<void()> handler) const override {
        return gtk4_.observe(std::move(handler));
    }

private:
    BooleanKey gtk4_{"org.gtk.gtk4.Settings.FileChooser", "show-hidden"};
    BooleanKey gtk3_{"org.gtk.Settings.FileChooser", "show-hidden"};
};

class DesktopIcons : public Backing {
public:
    bool isAvailable() const override { return extension_.isEnabled().has_value() || mate_.isAvailable(); }
    PlistValue value() const override {
        if (const auto enabled = extension_.isEnabled()) return PlistValue(*enabled);
        return mate_.value();
    }
    bool setValue(bool show) const override {
        if (extension_.isEnabled()) return extension_.setEnabled(show);
        return mate_.setValue(show);
    }
    std::unique_ptr<PreferenceObservation> observe(std::function<void()> handler) const override {
        return mate_.observe(std::move(handler));
    }

private:
    ShellExtension extension_{"ding@rastersoft.com"};
    BooleanKey mate_{"org.mate.background", "show-desktop-icons"};
};

std::unique_ptr<Backing> backingFor(Preference preference) {
    switch (preference) {
    case Preference::CreateDesktop: return std::make_unique<DesktopIcons>();
    case Preference::AppleInterfaceStyle: return std::make_unique<ColorScheme>();
    case Preference::AppleShowAllFiles: return std::make_unique<HiddenFiles>();
    case Preference::DoNotDisturb: return std::make_unique<BooleanKey>("org.gnome.desktop.notifications", "show-banners", true);
    case Preference::DockAutohide: return std::make_unique<BooleanKey>("org.gnome.shell.extensions.dash-to-dock", "dock-fixed", true);
    case Preference::NightShift:
        return std::make_unique<BooleanKey>("org.gnome.settings-daemon.plugins.color", "night-light-enabled");
    }
    return nullptr;
}

}  // namespace

bool GSettingsPreferences::isAvailable(Preference preference) { return backingFor(preference)->isAvailable(); }

PlistValue GSettingsPreferences::copyValue(Preference preference) { return backingFor(preference)->value(); }

bool GSettingsPreferences::setValue(Preference preference, bool value) { return backingFor(preference)->setValue(value); }

std::unique_ptr<PreferenceObservation> GSettingsPreferences::observe(Preference preference, std::function<void()> handler) {
    return backingFor(preference)->observe(std::move(handler));
}

}  // namespace platform
