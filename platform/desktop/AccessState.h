#pragma once

#include <memory>

namespace platform {

// The system's privacy permission that lets the application read the user's protected data
// (mail, browser histories, other applications' containers): Full Disk Access. Pages ask it
// before they scan or clean such data and invite the user to grant it when it is missing.
class AccessState {
public:
    // The same three answers as the access test over the user's protected folders.
    enum class Status {
        NotDetermined = 0,  // the protected folder is not there to test
        Denied = 1,         // it is there but cannot be read
        Granted = 2,
    };

    virtual ~AccessState() = default;

    virtual Status fullDiskAccessStatus() = 0;
    // Whether the system has a settings pane where the user grants the permission; the
    // prompt's settings button opens nothing where it has none.
    virtual bool hasPrivacySettingsPane() = 0;

    static std::shared_ptr<AccessState> shared();
    // Tests install a fake; nullptr goes back to the system's answer.
    static void setShared(std::shared_ptr<AccessState> state);
};

}  // namespace platform
