#include "core/readings/GetSystemInfo.h"
#include "platform/system/Bundle.h"
#include "platform/system/PosixProcessRunner.h"

#include "support/ScopedEnvironment.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

namespace {

using Attributes = std::map<std::string, std::string>;

// Runs the power-management helper against a fixture /sys/class/power_supply.
class PmsetHelperTest : public ::testing::Test {
protected:
    void supply(const std::string& name, const Attributes& attributes) {
        for (const auto& [file, value] : attributes)
            environment.folder().writeFile("sys/class/power_supply/" + name + "/" + file, value + "\n");
    }
    void mains(bool online) { supply("AC", {{"type", "Mains"}, {"online", online ? "1" : "0"}}); }

    std::string report() {
        std::string tool = platform::Bundle::helperPath("pmset");
        EXPECT_FALSE(tool.empty());
        platform::ProcessRequest request;
        request.arguments = {tool, "-g", "batt"};
        request.environment = {{"DURIDOVE_SYS_ROOT", environment.folder() / "sys"}};
        auto result = platform::PosixProcessRunner().run(request);
        EXPECT_TRUE(result.succeeded()) << result.errorOutput;
        return result.output;
    }

    static std::string onBattery(const std::string& line) {
        return "Now drawing from 'Battery Power'\n -InternalBattery-0 (id=0)\t" + line + " present: true\n";
    }
    static std::string onMains(const std::string& line) {
        return "Now drawing from 'AC Power'\n -InternalBattery-0 (id=0)\t" + line + " present: true\n";
    }

    testsupport::ScopedEnvironment environment;
};

}  // namespace

TEST_F(PmsetHelperTest, ChargingTimeFromEnergyAndPower) {
    mains(true);
    supply("BAT0", {{"type", "Battery"}, {"scope", "System"}, {"status", "Charging"}, {"capacity", "57"},
                    {"energy_now", "30000000"}, {"energy_full", "50000000"}, {"power_now", "15000000"}});
    EXPECT_EQ(report(), onMains("57%; charging; 1:20 remaining"));
}

TEST_F(PmsetHelperTest, DischargingTimeFromTheDriversEstimate) {
    mains(false);
    supply("BAT0", {{"type", "Battery"}, {"status", "Discharging"}, {"capacity", "85"}, {"time_to_empty_now", "11400"},
                    {"energy_now", "1"}, {"power_now", "1"}});
    // A wireless mouse's battery is the mouse's, not the machine's.
    supply("hidpp_battery_0", {{"type", "Battery"}, {"scope", "Device"}, {"status", "Discharging"}, {"capacity", "40"}});
    EXPECT_EQ(report(), onBattery("85%; discharging; 3:10 remaining"));
}

TEST_F(PmsetHelperTest, FullAndNotChargingBatteries) {
    mains(true);
    supply("BAT0", {{"type", "Battery"}, {"status", "Full"}, {"capacity", "100"}});
    EXPECT_EQ(report(), onMains("100%; charged; 0:00 remaining"));
    supply("BAT0", {{"status", "Not charging"}, {"capacity", "80"}});
    EXPECT_EQ(report(), onMains("80%; AC attached; not charging"));
}

TEST_F(PmsetHelperTest, BatteryWithoutPowerNowUsesChargeAndCurrentOrGivesNoEstimate) {
    supply("BAT1", {{"type", "Battery"}, {"status", "Discharging"}, {"capacity", "64"}, {"charge_now", "3000000"},
                    {"current_now", "-1500000"}});
    // Without a mains supply the discharging battery is what the machine runs on.
    EXPECT_EQ(report(), onBattery("64%; discharging; 2:00 remaining"));
    supply("BAT1", {{"current_now", "0"}});
    EXPECT_EQ(report(), onBattery("64%; discharging; (no estimate)"));
}

TEST_F(PmsetHelperTest, AbsurdDriverNumbersAreClampedNeverOverflowed) {
    const std::string largest = "9223372036854775807";
    const std::string smallest = "-9223372036854775808";
    struct Case {
        Attributes attributes;
        std::string line;
    };
    const std::vector<Case> cases{
        {{{"status", "Discharging"}, {"capacity", largest}, {"energy_now", largest}, {"power_now", smallest}},
         "100%; discharging; 1:00 remaining"},
        {{{"status", "Discharging"}, {"energy_now", largest}, {"energy_full", "1"}, {"power_now", "1"}},
         "100%; discharging; 1000000000000:00 remaining"},
    };
    for (const Case& each : cases) {
        std::filesystem::remove_all(environment.folder() / "sys");
        Attributes attributes = each.attributes;
        attributes["type"] = "Battery";
        supply("BAT0", attributes);
        EXPECT_EQ(report(), onBattery(each.line));
    }
    supply("BAT0", {{"status", "Charging"}, {"capacity", "-5"}, {"energy_full", smallest}});
    EXPECT_EQ(report(), onMains("0%; charging; 0:00 remaining"));
}

TEST_F(PmsetHelperTest, NoBatteryGivesOnlyTheMainsLine) {
    EXPECT_EQ(report(), "Now drawing from 'AC Power'\n");  // no power supply folder at all
    mains(true);
    EXPECT_EQ(report(), "Now drawing from 'AC Power'\n");
}

TEST_F(PmsetHelperTest, ReadingsServiceReadsTheHelpersText) {
    mains(false);
    supply("BAT0", {{"type", "Battery"}, {"status", "Discharging"}, {"capacity", "91"}, {"time_to_empty_now", "45240"}});
    core::GetSystemInfo info(core::Executors::inlineExecutors());
    info.getBatteryInfo();
    EXPECT_EQ(info.batteryB(), "91");
    EXPECT_EQ(info.batteryT(), "剩余12小时34分");
}
