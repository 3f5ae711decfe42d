#pragma once

#include "platform/system/PlistValue.h"

#include <cstdint>
#include <string>
#include <vector>

namespace core {

// The version list the maker publishes for the update check: a property-list dictionary with
// the build number "VersionCheck", the display text "Version" and the change notes "1" to "n".
// Read defensively, since it comes from the network: what is not valid reads as absent.
struct VersionList {
    // The published build number, read as an integer value whether stored as a number or as
    // text; 0 when it is missing or of another kind, as for a list that could not be loaded.
    int64_t versionCheck = 0;
    std::string version;             // "" when missing or not a text
    std::vector<std::string> notes;  // "1", "2", … up to the first one missing or not a text

    static VersionList fromDictionary(const platform::PlistValue& list);
    // A body that is no property list, or no dictionary, gives the empty list.
    static VersionList fromBytes(const std::string& body);
};

}  // namespace core
