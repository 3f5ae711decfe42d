#pragma once

#include <optional>
#include <string>

namespace platform {

// A GNOME Shell extension, switched on and off through the shell's own extension service on
// the session bus. Without a session bus, a shell that does not answer, or the extension not
// installed, there is nothing to switch.
class ShellExtension {
public:
    explicit ShellExtension(std::string uuid) : uuid_(std::move(uuid)) {}

    // Whether the extension is on; nothing when there is no such extension to switch.
    std::optional<bool> isEnabled() const;
    // False, with a log line, when the shell refused or could not be asked.
    bool setEnabled(bool enabled) const;

private:
    std::string uuid_;
};

}  // namespace platform
