#pragma once

#include <string>

namespace platform {

// The application's own files: shipped property lists and helper programs installed beside
// the executable. DURIDOVE_BUNDLE_DIR names another folder (tests run from their own).
class Bundle {
public:
    static std::string folder();
    // A shipped resource by name and type ("StringMessage", "plist"); "" when it is missing.
    static std::string resourcePath(const std::string& name, const std::string& type);
    // A helper program by name; "" when it is missing or not executable.
    static std::string helperPath(const std::string& name);
};

}  // namespace platform
