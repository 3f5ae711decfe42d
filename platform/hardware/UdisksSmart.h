#pragma once

#include "platform/hardware/SmartDevices.h"
#include "platform/hardware/SmartPage.h"

namespace platform {

// A drive's S.M.A.R.T. attributes as the udisks2 service keeps them, asked over the system
// bus with busctl. udisks2 gives each attribute's value in a unit rather than its raw bytes;
// the pages are rebuilt with the raw value in the unit the attribute's raw format expects
// (hours, degrees Celsius, counts).
class UdisksSmart : public SmartInterface {
public:
    // The interface of a block device's drive; nullptr when udisks2 does not answer or the
    // drive has no ATA S.M.A.R.T. support.
    static std::unique_ptr<UdisksSmart> open(const std::string& blockName);

    int SMARTEnableDisableOperations(bool enable) override;
    int SMARTReadData(std::vector<uint8_t>& page) override;
    int SMARTReadDataThresholds(std::vector<uint8_t>& page) override;

private:
    explicit UdisksSmart(std::string drivePath) : drivePath_(std::move(drivePath)) {}
    std::optional<std::vector<SmartPageAttribute>> attributes();

    std::string drivePath_;
};

}  // namespace platform
