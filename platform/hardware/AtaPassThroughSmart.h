#pragma once

#include "platform/files/FileDescriptor.h"
#include "platform/hardware/SmartDevices.h"

namespace platform {

// S.M.A.R.T. commands sent to an ATA disk through the SCSI generic pass-through (SG_IO),
// which needs the right to open the disk's device node.
class AtaPassThroughSmart : public SmartInterface {
public:
    // The interface of a device node; nullptr when it cannot be opened or the disk does not
    // report the S.M.A.R.T. feature set in its IDENTIFY data.
    static std::unique_ptr<AtaPassThroughSmart> open(const std::string& deviceNode);

    int SMARTEnableDisableOperations(bool enable) override;
    int SMARTReadData(std::vector<uint8_t>& page) override;
    int SMARTReadDataThresholds(std::vector<uint8_t>& page) override;

private:
    explicit AtaPassThroughSmart(FileDescriptor device) : device_(std::move(device)) {}
    bool identifiesSmart();
    // An ATA command through ATA PASS-THROUGH (16); a page of data comes in when page is given.
    int command(uint8_t ataCommand, uint8_t features, std::vector<uint8_t>* page);

    FileDescriptor device_;
};

}  // namespace platform
