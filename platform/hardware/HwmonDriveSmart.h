#pragma once

#include "platform/hardware/SmartDevices.h"

namespace platform {

// A drive whose only S.M.A.R.T.-like figure is the temperature its driver reports to the
// hardware monitor (NVMe, or SATA through drivetemp): the data page holds attribute 194 with
// that temperature and nothing else.
class HwmonDriveSmart : public SmartInterface {
public:
    // The interface of a block device's drive; nullptr when it has no temperature sensor.
    static std::unique_ptr<HwmonDriveSmart> open(const std::string& blockName);

    int SMARTEnableDisableOperations(bool enable) override;
    int SMARTReadData(std::vector<uint8_t>& page) override;
    int SMARTReadDataThresholds(std::vector<uint8_t>& page) override;

private:
    explicit HwmonDriveSmart(std::string input) : input_(std::move(input)) {}
    std::string input_;  // the sensor's temp1_input file
};

}  // namespace platform
