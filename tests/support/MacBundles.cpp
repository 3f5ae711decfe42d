#include "support/MacBundles.h"

#include "platform/system/PlistValue.h"

namespace testsupport {

std::string makeBundle(const MacHomeFixture& home, const std::string& macPath, const std::string& identifier,
                       const std::string& name) {
    platform::PlistValue info{platform::PlistValue::Dictionary{}};
    if (!identifier.empty()) info.set("CFBundleIdentifier", identifier);
    if (!name.empty()) info.set("CFBundleName", name);
    info.writeFile(home.file(macPath + "/Contents/Info.plist"));
    return home.path(macPath);
}

std::string makeBundleWithRecordedInfo(const MacHomeFixture& home, const std::string& macPath,
                                       const std::string& recordedInfo) {
    home.file(macPath + "/Contents/Info.plist",
              readWholeFile(std::string(DURIDOVE_TEST_DATA) + "/uninstall/" + recordedInfo));
    return home.path(macPath);
}

std::vector<std::string> pathsOf(const std::vector<core::uninstall::AMAppItemPtr>& items) {
    std::vector<std::string> paths;
    for (const auto& item : items) paths.push_back(item->path);
    return paths;
}

}  // namespace testsupport
