#pragma once

#include "core/uninstall/AMAppItem.h"
#include "support/MacHomeFixture.h"

#include <string>
#include <vector>

namespace testsupport {

// An application-like bundle at a macOS path with a "Contents/Info.plist" naming it; an empty
// identifier leaves "CFBundleIdentifier" out. Returns the bundle's resolved path.
std::string makeBundle(const MacHomeFixture& home, const std::string& macPath, const std::string& identifier,
                       const std::string& name = "");
// A recorded Info.plist copied into a bundle at a macOS path ("binary-Info.plist", "xml-Info.plist").
std::string makeBundleWithRecordedInfo(const MacHomeFixture& home, const std::string& macPath,
                                       const std::string& recordedInfo);

// The paths of the uninstaller's records, in list order.
std::vector<std::string> pathsOf(const std::vector<core::uninstall::AMAppItemPtr>& items);

}  // namespace testsupport
