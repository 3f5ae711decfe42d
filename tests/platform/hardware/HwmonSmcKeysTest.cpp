#include "platform/hardware/HwmonSmcKeys.h"
#include "platform/hardware/LinuxSmcKeyStore.h"
#include "platform/hardware/SmcKeyData.h"

#include "support/ScopedEnvironment.h"
#include "support/SysfsFixtures.h"

#include <gtest/gtest.h>

using platform::smcCode;
using platform::smcCodeText;

namespace {

std::vector<std::string> keyNames(platform::SmcKeyStore& store) {
    std::vector<std::string> names;
    for (uint32_t index = 0; auto key = store.keyAtIndex(index); ++index) names.push_back(smcCodeText(*key));
    return names;
}

}  // namespace

TEST(HwmonSmcKeys, ApplesmcLabelsAreTheKeyNamesWhenKeysCannotBeSelected) {
    testsupport::ScopedEnvironment environment;
    const auto& folder = environment.folder();
    std::string device = "sys/devices/platform/applesmc.768";
    folder.writeFile(device + "/name", "applesmc\n");
    folder.writeFile(device + "/key_count", "3\n");  // but no key_at_index to select with
    testsupport::writeTemperatureSensor(folder, device, 1, "TB0T", 30000);
    testsupport::writeTemperatureSensor(folder, device, 2, "TC0P", 47500);
    testsupport::writeTemperatureSensor(folder, device, 3, "odd label", 1000);  // not a key name: left out
    auto store = platform::openLinuxSmcKeyStore();
    ASSERT_TRUE(store);
    EXPECT_EQ(keyNames(*store), (std::vector<std::string>{"#KEY", "TB0T", "TC0P"}));
    auto count = store->readKey(smcCode("#KEY"));
    ASSERT_TRUE(count);
    EXPECT_EQ(count->type, smcCode("ui32"));
    EXPECT_EQ(count->bytes, (std::vector<uint8_t>{0, 0, 0, 3}));
    auto package = store->readKey(smcCode("TC0P"));
    ASSERT_TRUE(package);
    EXPECT_EQ(package->type, smcCode("sp78"));
    EXPECT_EQ(package->bytes, (std::vector<uint8_t>{0x2F, 0x80}));
}

TEST(HwmonSmcKeys, AmdDieTemperatureIsPreferredToTheControlValue) {
    testsupport::TempFolder folder;
    folder.writeFile("hwmon3/name", "k10temp\n");
    testsupport::writeTemperatureSensor(folder, "hwmon3", 1, "Tctl", 60000);
    testsupport::writeTemperatureSensor(folder, "hwmon3", 2, "Tdie", 50000);
    testsupport::writeTemperatureSensor(folder, "hwmon3", 3, "Tccd1", 45000);
    auto table = platform::cpuSensorKeys(folder.path());
    ASSERT_TRUE(table);
    EXPECT_EQ(keyNames(*table), (std::vector<std::string>{"#KEY", "TC0P", "TC0C"}));
    EXPECT_EQ(table->readKey(smcCode("TC0P"))->bytes, platform::sp78Bytes(50000));
    // A sensor file that vanished reads as a key the controller does not know.
    unlink((folder / "hwmon3/temp3_input").c_str());
    EXPECT_FALSE(table->readKey(smcCode("TC0C")).has_value());
}

TEST(HwmonSmcKeys, NoSensorsMeanNoDevice) {
    testsupport::ScopedEnvironment environment;
    environment.folder().writeFile("sys/class/hwmon/hwmon0/name", "nvme\n");
    testsupport::writeTemperatureSensor(environment.folder(), "sys/class/hwmon/hwmon0", 1, "Composite", 35000);
    EXPECT_EQ(platform::openLinuxSmcKeyStore(), nullptr);
}

TEST(HwmonSmcKeys, Sp78IsSignedAndClamped) {
    EXPECT_EQ(platform::sp78Bytes(-1000), (std::vector<uint8_t>{0xFF, 0x00}));
    EXPECT_EQ(platform::sp78Bytes(47500), (std::vector<uint8_t>{0x2F, 0x80}));
    EXPECT_EQ(platform::sp78Bytes(500000), (std::vector<uint8_t>{0x7F, 0xFF}));
    EXPECT_EQ(platform::sp78Bytes(-500000), (std::vector<uint8_t>{0x80, 0x00}));
}
