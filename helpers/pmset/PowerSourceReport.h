#pragma once

#include <string>

// The text of "pmset -g batt" for the power supplies in a /sys/class/power_supply folder:
//   Now drawing from 'Battery Power'
//    -InternalBattery-0 (id=0)	85%; discharging; 3:10 remaining present: true
// Only system batteries are listed (a mouse's or a headset's battery has the scope "Device").
class PowerSourceReport {
public:
    explicit PowerSourceReport(std::string powerSupplyFolder) : folder_(std::move(powerSupplyFolder)) {}
    std::string text() const;

private:
    std::string folder_;
};
