#include "core/readings/SMC.h"

#include "platform/system/Log.h"
#include "platform/hardware/SmcConnection.h"

#include <cstdio>
#include <memory>
#include <mutex>

namespace core {
namespace {

using platform::SmcKeyData;

struct OpenConnection {
    std::mutex mutex;
    std::shared_ptr<platform::SmcConnection> connection;
    int lastFailure = 0;  // an open failure is reported once until the outcome changes
};

OpenConnection& openConnection() {
    static OpenConnection state;
    return state;
}

std::shared_ptr<platform::SmcConnection> currentConnection() {
    std::lock_guard<std::mutex> lock(openConnection().mutex);
    return openConnection().connection;
}

std::string hexStatus(int status) {
    char text[16];
    std::snprintf(text, sizeof text, "%08x", static_cast<unsigned>(status));
    return text;
}

int SMCCall(const SmcKeyData& input, SmcKeyData& output) {
    auto connection = currentConnection();
    if (!connection) return platform::kIOReturnNotOpen;
    SmcKeyData::Bytes raw{};
    int status = connection->callStructMethod(platform::SmcConnection::kSelectorKeyData, input.toBytes(), raw);
    if (status != platform::kIOReturnSuccess) return status;
    output = SmcKeyData::fromBytes(raw);
    return output.result == 0 ? platform::kIOReturnSuccess : platform::kIOReturnError;
}

}  // namespace

int SMCOpen() {
    auto connection = platform::SmcConnection::shared();
    int status = connection->open();
    OpenConnection& state = openConnection();
    std::lock_guard<std::mutex> lock(state.mutex);
    if (status != platform::kIOReturnSuccess) {
        if (status != state.lastFailure) {
            platform::logWarning(status == platform::kIOReturnNoDevice ? std::string("Error: no SMC found")
                                                                       : "Error: IOServiceOpen() = " + hexStatus(status));
        }
        state.lastFailure = status;
        return status;
    }
    state.lastFailure = 0;
    state.connection = std::move(connection);
    return status;
}

void SMCClose() {
    std::shared_ptr<platform::SmcConnection> connection;
    {
        std::lock_guard<std::mutex> lock(openConnection().mutex);
        connection = std::move(openConnection().connection);
    }
    if (connection) connection->close();
}

int SMCReadKey(uint32_t key, SMCValue& value) {
    SmcKeyData input, output;
    input.key = key;
    input.data8 = SmcKeyData::kReadKeyInfo;
    int status = SMCCall(input, output);
    if (status != platform::kIOReturnSuccess) return status;
    value.dataSize = output.keyInfoDataSize;
    value.dataType = output.keyInfoDataType;
    value.dataAttributes = output.keyInfoDataAttributes;

    input.keyInfoDataSize = value.dataSize;
    input.data8 = SmcKeyData::kReadBytes;
    status = SMCCall(input, output);
    if (status != platform::kIOReturnSuccess) return status;
    value.key = key;
    value.bytes = output.bytes;
    return platform::kIOReturnSuccess;
}

int SMCReadKeysCount(uint32_t& count) {
    SMCValue value;
    if (SMCReadKey(platform::smcCode("#KEY"), value) != platform::kIOReturnSuccess) return platform::kIOReturnError;
    if (value.dataType != platform::smcCode("ui32")) return platform::kIOReturnError;
    count = uint32_t(value.bytes[0]) << 24 | uint32_t(value.bytes[1]) << 16 | uint32_t(value.bytes[2]) << 8 | value.bytes[3];
    return platform::kIOReturnSuccess;
}

int SMCReadKeyAtIndex(uint32_t index, SMCValue& value) {
    SmcKeyData input, output;
    input.data8 = SmcKeyData::kReadIndex;
    input.data32 = index;
    int status = SMCCall(input, output);
    if (status != platform::kIOReturnSuccess) return status;
    return SMCReadKey(output.key, value);
}

}  // namespace core
