#pragma once

#include "platform/hardware/SmartDevices.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace core {

// Reads a disk's S.M.A.R.T. data once, then again every 60 s, and keeps three figures: the
// temperature (attribute 194), the power-on hours (9) and the power-cycle count (12). The
// re-reads are driven by a repeating timer that the owner provides, or by the owner calling
// GetThreaholds itself (without a timer starter). Used from one thread at a time; a read may
// wait for the disk or for udisks2, so an owner with an interface reads off its main thread.
class CSMARTAttribute {
public:
    static constexpr double kRereadSeconds = 60.0;

    // Starts a repeating timer that calls tick every given number of seconds on this thread,
    // for as long as the reader lives.
    using TimerStarter = std::function<void(double seconds, std::function<void()> tick)>;

    // How a device path names its disk.
    struct DeviceName {
        bool isBSDName = false;  // else a registry (device) path
        std::string name;
    };

    explicit CSMARTAttribute(TimerStarter startTimer);

    // Finds the disk's S.M.A.R.T.-capable device ("disk0" when no name is given), reads its
    // data once and starts the re-read timer; without a capable device or an interface to it,
    // nothing is read and no timer starts.
    void GetSmartAttribute(const std::optional<std::string>& name);
    // The timer's re-read.
    void GetThreaholds();
    // Takes the three figures from a data page; a page shorter than 512 bytes is not read.
    void PrintSMART(const std::vector<uint8_t>& page);

    int GetTemperature() const { return iTemperature; }
    uint64_t GetPowerOnHour() const { return u64PowerOnHour; }
    uint64_t GetPowerCycleCount() const { return u64PowerCycleCount; }

    // "/dev/rdisk0", "/dev/disk0" and "disk0" all give the BSD name "disk0"; any other path
    // is a registry path.
    static DeviceName deviceNameForPath(const std::string& path);

private:
    std::optional<std::string> findCapableDevice(const std::string& path);
    // Reads the data page, then the thresholds, and takes the figures from the data. A failed
    // thresholds read in a re-read clears the temperature.
    void readPages(bool rereading);

    TimerStarter startTimer_;
    std::unique_ptr<platform::SmartInterface> smartIf;
    int iTemperature = 0;
    uint64_t u64PowerOnHour = 0;
    uint64_t u64PowerCycleCount = 0;
};

}  // namespace core
