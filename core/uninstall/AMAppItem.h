#pragma once

#include "core/kit/IconReference.h"
#include "platform/files/ChosenItem.h"

#include <chrono>
#include <memory>
#include <optional>
#include <string>

namespace core::uninstall {

// One thing the uninstaller lists: an application, a widget or a plug-in, or one of the files
// related to it. The full, shown and ticked lists of the page share the same records, so a
// record is known by its address. Its fields are changed on the main thread only.
struct AMAppItem {
    using Date = std::chrono::system_clock::time_point;
    // The size text of a record whose size has not been measured yet.
    static constexpr const char* kUnmeasuredSize = "0KB";

    IconReference image;
    std::string name;           // shown name
    std::string path;           // absolute path of the bundle or file
    std::string bundleID;       // "CFBundleIdentifier" of its Info.plist; "" when it has none
    bool isSystemApp = false;   // bundleID begins with "com.apple."
    std::string bundleVersion;  // "CFBundleShortVersionString"; "" when none
    Date date = std::chrono::system_clock::now();  // when the item was made
    bool bIsSelected = false;   // stays false: the page keeps the ticks in its own lists
    std::string isSystemAppStr;  // "YES" or "NO"
    std::string size;            // size text; kUnmeasuredSize until measured
    bool bIsGetSize = false;     // a measurement of size has been started
    // The file or bundle as it was listed, below the folder that listed it, for a removal to
    // act on that very item or on nothing; nothing when it could not be reached then.
    std::optional<platform::ChosenItem> chosen;

    // A new record with the same image, texts, date and size; the three flags start false.
    std::shared_ptr<AMAppItem> copy() const;
};

using AMAppItemPtr = std::shared_ptr<AMAppItem>;

}  // namespace core::uninstall
