#pragma once

#include "platform/files/ChosenItem.h"

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

namespace core::startup {

// Where a startup item comes from, which decides how the page removes it.
enum class StartupItemSource {
    LoginItem,             // taken out of the session's login items
    LaunchAgent,           // its property list is deleted
    LaunchDaemon,          // its property list is deleted
    PrivilegedHelperTool,  // the tool itself is deleted
};

// One row of the startup items page. The path is the item's identity.
struct ASLoginStartItem {
    std::string image;    // the path whose workspace icon the row shows (ui::iconForFile)
    std::string name;     // display name
    std::string subName;  // kind text of the "Kind" column
    std::string path;     // the property list, helper tool or login item
    // A listed file as it was when the record was made, for its removal to act on that very
    // file or on nothing; nothing for login items and files that could not be reached.
    std::optional<platform::ChosenItem> chosen;
    std::string bundleID;  // the label (property-list name less ".plist"); "" for helper tools
    bool isSystemApp = false;  // launch daemons and helper tools
    bool bIsSelected = false;  // ticked for removal
    bool canDelete = true;     // becomes false after a failed removal
    StartupItemSource source = StartupItemSource::LoginItem;

    // Fields of the shared item record that this tool leaves as they are.
    std::string bundleVersion;
    std::string fileSize;
    std::chrono::system_clock::time_point date = std::chrono::system_clock::now();
    std::string isSystemAppStr;
    uint64_t fileSizeNum = 0;
};

}  // namespace core::startup
