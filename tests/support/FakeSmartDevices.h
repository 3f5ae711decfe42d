#pragma once

#include "platform/hardware/SmartDevices.h"

#include <string>
#include <vector>

namespace testsupport {

// A S.M.A.R.T. interface answering with set pages and statuses, counting its reads.
class FakeSmartInterface : public platform::SmartInterface {
public:
    struct State {
        int enableStatus = 0;
        int dataStatus = 0;
        int thresholdsStatus = 0;
        std::vector<uint8_t> data;
        std::vector<uint8_t> thresholds = std::vector<uint8_t>(512, 0);
        int dataReads = 0;
    };
    explicit FakeSmartInterface(std::shared_ptr<State> state) : state_(std::move(state)) {}

    int SMARTEnableDisableOperations(bool) override { return state_->enableStatus; }
    int SMARTReadData(std::vector<uint8_t>& page) override {
        ++state_->dataReads;
        if (state_->dataStatus == 0) page = state_->data;
        return state_->dataStatus;
    }
    int SMARTReadDataThresholds(std::vector<uint8_t>& page) override {
        if (state_->thresholdsStatus == 0) page = state_->thresholds;
        return state_->thresholdsStatus;
    }

private:
    std::shared_ptr<State> state_;
};

// Devices with one capable disk, "sda", found for "disk0" and for "/dev/sda"; the interface
// is offered while hasInterface is set. Every lookup is remembered ("bsd disk0", "path /dev/sda").
class FakeSmartDevices : public platform::SmartDevices {
public:
    std::optional<std::string> capableDeviceForBSDName(const std::string& bsdName) override {
        lookups.push_back("bsd " + bsdName);
        return hasDisk && bsdName == "disk0" ? std::optional<std::string>("sda") : std::nullopt;
    }
    std::optional<std::string> capableDeviceForPath(const std::string& path) override {
        lookups.push_back("path " + path);
        return hasDisk && path == "/dev/sda" ? std::optional<std::string>("sda") : std::nullopt;
    }
    std::unique_ptr<platform::SmartInterface> openInterface(const std::string&) override {
        if (!hasInterface) return nullptr;
        return std::make_unique<FakeSmartInterface>(state);
    }

    bool hasDisk = true;
    bool hasInterface = true;
    std::shared_ptr<FakeSmartInterface::State> state = std::make_shared<FakeSmartInterface::State>();
    std::vector<std::string> lookups;
};

// Reads a page recorded as hexadecimal text.
std::vector<uint8_t> readHexPage(const std::string& path);

}  // namespace testsupport
