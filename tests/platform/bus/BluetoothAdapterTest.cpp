#include "platform/bus/BluetoothAdapter.h"

#include "platform/system/Bundle.h"
#include "platform/system/ProcessRunner.h"
#include "support/FakeBluez.h"
#include "support/PrivateBus.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace {

using platform::BluetoothAdapter;
using testsupport::FakeBluez;

bool eventually(const std::function<bool()>& condition) {
    for (int tries = 0; tries < 500 && !condition(); ++tries) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return condition();
}

TEST(BluetoothAdapterTest, TheFirstAdapterIsSwitchedAndItsChangesAreAnnounced) {
    testsupport::PrivateBus bus;
    FakeBluez bluez(bus.address(), {{"hci1", true}, {"hci0", false}});
    EXPECT_EQ(BluetoothAdapter::powerState(), std::optional<bool>(false));

    std::atomic<int> changes{0};
    auto observation = BluetoothAdapter::observePower([&] { ++changes; });
    ASSERT_TRUE(observation);
    bluez.powerFromOutside("hci0", true);
    EXPECT_TRUE(eventually([&] { return changes == 1; }));
    EXPECT_EQ(BluetoothAdapter::powerState(), std::optional<bool>(true));

    std::string why;
    EXPECT_TRUE(BluetoothAdapter::setPowered(false, &why)) << why;
    EXPECT_FALSE(bluez.isPowered("hci0"));
    EXPECT_TRUE(bluez.isPowered("hci1"));
    EXPECT_TRUE(eventually([&] { return changes == 2; }));
}

TEST(BluetoothAdapterTest, ABlockedAdapterStaysOffAndSaysWhy) {
    testsupport::PrivateBus bus;
    FakeBluez bluez(bus.address(), {{"hci0", false, true}});
    std::string why;
    EXPECT_FALSE(BluetoothAdapter::setPowered(true, &why));
    EXPECT_NE(why.find("Blocked through rfkill"), std::string::npos) << why;
    EXPECT_EQ(BluetoothAdapter::powerState(), std::optional<bool>(false));
}

TEST(BluetoothAdapterTest, WithoutAnAdapterOrBlueZThereIsNoPowerState) {
    testsupport::PrivateBus bus;
    EXPECT_EQ(BluetoothAdapter::powerState(), std::nullopt);
    FakeBluez noAdapters(bus.address(), {});
    EXPECT_EQ(BluetoothAdapter::powerState(), std::nullopt);
    std::string why;
    EXPECT_FALSE(BluetoothAdapter::setPowered(true, &why));
    EXPECT_EQ(why, "BlueZ knows no Bluetooth adapter");
}

// The Bluetooth tool the quick switches start: its exit status and what it did to the adapter.
TEST(BluetoothAdapterTest, TheBluetoothToolPowersTheAdapterOrSaysWhyNot) {
    testsupport::PrivateBus bus;
    FakeBluez bluez(bus.address(), {{"hci0", false}});
    const std::string tool = platform::Bundle::helperPath("blueutil");
    ASSERT_FALSE(tool.empty());
    struct Case {
        std::vector<std::string> arguments;
        bool blocked;
        int exitStatus;
        bool poweredAfterwards;
    };
    const Case cases[] = {
        {{"-p", "1"}, false, 0, true},  {{"-p", "0"}, false, 0, false}, {{"-p", "1"}, true, 1, false},
        {{"-p", "on"}, false, 2, false}, {{"-p"}, false, 2, false},
    };
    for (const Case& test : cases) {
        bluez.setBlocked("hci0", test.blocked);
        platform::ProcessRequest request;
        request.arguments = {tool};
        request.arguments.insert(request.arguments.end(), test.arguments.begin(), test.arguments.end());
        const platform::ProcessResult result = platform::ProcessRunner::shared()->run(request);
        EXPECT_EQ(result.exitStatus, test.exitStatus) << result.errorOutput;
        EXPECT_EQ(bluez.isPowered("hci0"), test.poweredAfterwards);
        if (test.blocked) {
            EXPECT_NE(result.errorOutput.find("rfkill"), std::string::npos) << result.errorOutput;
        }
    }
}

}  // namespace
