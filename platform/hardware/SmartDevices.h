#pragma once

#include "platform/hardware/IOReturn.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// The ATA S.M.A.R.T. operations of one disk. Pages are the 512-byte answers of SMART READ
// DATA and SMART READ THRESHOLDS; every call returns a kernel status, 0 on success.
class SmartInterface {
public:
    static constexpr size_t kPageSize = 512;

    virtual ~SmartInterface() = default;
    virtual int SMARTEnableDisableOperations(bool enable) = 0;
    virtual int SMARTReadData(std::vector<uint8_t>& page) = 0;
    virtual int SMARTReadDataThresholds(std::vector<uint8_t>& page) = 0;
};

// Finds a disk's S.M.A.R.T.-capable device and opens its interface. On Linux "disk0" is the
// whole disk that holds "/"; a device path names a block device, walked up to its whole disk.
class SmartDevices {
public:
    virtual ~SmartDevices() = default;
    // The capable device holding the disk of a BSD name ("disk0"); nothing when there is none.
    virtual std::optional<std::string> capableDeviceForBSDName(const std::string& bsdName) = 0;
    // The same for a device path ("/dev/sda2").
    virtual std::optional<std::string> capableDeviceForPath(const std::string& path) = 0;
    // The device's interface; nullptr when the device offers no way to its S.M.A.R.T. data.
    virtual std::unique_ptr<SmartInterface> openInterface(const std::string& device) = 0;

    static std::shared_ptr<SmartDevices> shared();
    static void setShared(std::shared_ptr<SmartDevices> devices);
};

}  // namespace platform
