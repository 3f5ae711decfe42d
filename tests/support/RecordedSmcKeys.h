#pragma once

#include "platform/hardware/SmcConnection.h"

#include <memory>
#include <string>

namespace testsupport {

// A controller connection answering from a recorded key table: one key a line,
// "<name> <type> <attributes hex> <value bytes hex>", "//" starting a comment line. Types of
// fewer than four characters are padded with spaces.
std::shared_ptr<platform::SmcConnection> recordedSmcConnection(const std::string& table);
// A connection to a machine without a controller.
std::shared_ptr<platform::SmcConnection> absentSmcConnection();

// Installs a connection as the shared one while it lives.
class ScopedSmcConnection {
public:
    explicit ScopedSmcConnection(std::shared_ptr<platform::SmcConnection> connection) {
        platform::SmcConnection::setShared(std::move(connection));
    }
    ~ScopedSmcConnection() { platform::SmcConnection::setShared(nullptr); }
};

}  // namespace testsupport
