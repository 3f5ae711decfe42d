#include "support/RecordedSmcKeys.h"

#include "platform/hardware/KeyStoreSmcConnection.h"
#include "platform/hardware/SmcKeyTable.h"
#include "support/HexText.h"

#include <sstream>
#include <stdexcept>

namespace testsupport {
namespace {

std::unique_ptr<platform::SmcKeyTable> parseTable(const std::string& text) {
    auto table = std::make_unique<platform::SmcKeyTable>();
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.empty() || line.rfind("//", 0) == 0) continue;
        std::istringstream fields(line);
        std::string name, type, attributes, value;
        if (!(fields >> name >> type >> attributes >> value)) throw std::invalid_argument("bad key line " + line);
        type.resize(4, ' ');
        auto bytes = bytesFromHex(value);
        table->add(name, type, static_cast<uint8_t>(std::stoul(attributes, nullptr, 16)),
                   [bytes]() -> std::optional<std::vector<uint8_t>> { return bytes; });
    }
    return table;
}

}  // namespace

std::shared_ptr<platform::SmcConnection> recordedSmcConnection(const std::string& table) {
    return std::make_shared<platform::KeyStoreSmcConnection>([table] { return parseTable(table); });
}

std::shared_ptr<platform::SmcConnection> absentSmcConnection() {
    return std::make_shared<platform::KeyStoreSmcConnection>([] { return nullptr; });
}

}  // namespace testsupport
