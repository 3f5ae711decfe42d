#pragma once

#include "platform/desktop/DesktopEntry.h"
#include "platform/desktop/LoginItemList.h"

#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

namespace platform {

// The login items as XDG autostart entries: the "*.desktop" files of the user's autostart
// folder, those with "Hidden=true" left out.
//
// An entry this list writes names its item in "X-Duridove-Path" and its place in
// "X-Duridove-Order" (one more than the highest in use), so an added item comes last; entries
// other programs wrote come first, by file name, listed with their "Exec" program as path and
// their "Name". Adding writes one entry per path: a program is run directly (through /bin/sh
// when its path holds a "%"), anything else opened with xdg-open, and a chosen ".desktop" file
// is copied with its own "Exec". Paths with control characters, or that are no UTF-8, are
// refused: they cannot be written into an entry faithfully. Removing
// deletes an entry file, or, where a machine-wide entry of the same name would come back,
// replaces it with a hidden copy.
class AutostartLoginItemList : public LoginItemList {
public:
    struct Folders {
        std::string user;                 // the user's entries
        std::vector<std::string> system;  // the machine's, which a user entry of the same name overrides
    };

    static constexpr const char* kPathKey = "X-Duridove-Path";
    static constexpr const char* kOrderKey = "X-Duridove-Order";

    explicit AutostartLoginItemList(Folders folders);
    // Under a root: "~/.config/autostart" and "/etc/xdg/autostart" resolved. Otherwise from
    // $XDG_CONFIG_HOME (else ~/.config) and $XDG_CONFIG_DIRS (else /etc/xdg).
    static Folders foldersFromEnvironment();

    std::vector<LoginItem> loginItems() override;
    bool addLoginItem(const std::string& path) override;
    int removeLoginItems(const std::string& path) override;
    std::unique_ptr<Watch> watchChanges(ChangeHandler handler) override;

private:
    struct Entry {
        std::string fileName;
        DesktopEntry desktopEntry;
        LoginItem item;
        uint64_t order = 0;  // 0 for another program's entry
    };

    std::vector<Entry> readEntries() const;
    std::optional<Entry> readEntry(const std::string& fileName) const;
    std::optional<DesktopEntry> entryToStart(const std::string& path) const;
    bool shadowsMachineEntry(const std::string& fileName) const;
    bool takeOut(const Entry& entry) const;
    std::string userFile(const std::string& fileName) const;

    Folders folders_;
    std::mutex mutex_;
};

}  // namespace platform
