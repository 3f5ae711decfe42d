#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <string>

namespace platform {

class BusConnection;

// The desktop's idle inhibitor: while it is held the display neither blanks nor locks. It comes
// from the desktop's screen saver service (org.freedesktop.ScreenSaver, which GNOME's settings
// daemon and KDE provide), or else from the desktop portal's Inhibit with the idle flag, and is
// held on a session bus connection of its own: the desktop drops it when that connection closes. logind's "idle" inhibitor is no substitute: it does not keep the screen from blanking.
// The process holds at most one.
class IdleInhibitor {
public:
    static IdleInhibitor& shared();

    // Whether either service is there to ask.
    bool isAvailable() const;
    // Takes the inhibitor, unless it is already held; false, with a log line, when no service
    // gave one.
    bool hold(const std::string& reason);
    // Gives the held inhibitor back; nothing to do when none is held.
    void release();
    bool isHeld() const;

private:
    enum class Source { None, ScreenSaver, Portal };

    bool holdFromScreenSaver(const std::string& reason);
    bool holdFromPortal(const std::string& reason);

    mutable std::mutex mutex_;
    std::shared_ptr<BusConnection> connection_;  // the inhibitor's own, closed when it is given back
    Source source_ = Source::None;
    std::uint32_t cookie_ = 0;   // the screen saver service's
    std::string requestPath_;    // the portal's request object, closed to release
};

}  // namespace platform
