#include "support/FakeSmartDevices.h"

#include "support/HexText.h"
#include "support/TempFolder.h"

namespace testsupport {

std::vector<uint8_t> readHexPage(const std::string& path) { return bytesFromHex(readWholeFile(path)); }

}  // namespace testsupport
