#include "core/junk/XcodeCacheScanner.h"

#include "platform/system/Environment.h"

namespace core::junk {

std::vector<std::string> XcodeCacheScanner::scanXcodeCaches() {
    static const char* const kFolders[] = {
        "~/Library/Developer/Xcode/DerivedData",        "~/Library/Developer/Xcode/Archives",
        "~/Library/Developer/Xcode/Products/",          "~/Library/Developer/CoreSimulator/Devices/",
        "~/Library/Developer/CoreSimulator/Caches",     "~/Library/Developer/Xcode/iOS DeviceSupport",
        "~/Library/Developer/Xcode/iOS Device Logs",    "~/Library/Developer/XCPGDevices/",
    };
    auto environment = platform::Environment::current();
    std::vector<std::string> paths;
    for (const char* folder : kFolders) paths.push_back(environment->resolve(folder));
    return paths;
}

}  // namespace core::junk
