#pragma once

#include <string>

namespace core::browser {

// A ticked node that a clean passed over, keeping its ticks: its browser did not quit when it
// was asked to, or something holds the profile (a live lock).
struct PassedOverNode {
    enum class Reason { StillRunning, ProfileInUse };
    std::string name;  // the node's name, as the browser list shows it
    Reason reason;
};

}  // namespace core::browser
