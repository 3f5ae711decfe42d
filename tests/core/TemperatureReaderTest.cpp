#include "core/readings/MenuMeterDefaults.h"
#include "core/readings/SMC.h"
#include "core/readings/TemperatureReader.h"
#include "platform/hardware/KeyStoreSmcConnection.h"
#include "platform/hardware/LinuxSmcKeyStore.h"
#include "platform/hardware/SmcKeyTable.h"
#include "platform/system/UserDefaults.h"

#include "support/MemoryUserDefaults.h"
#include "support/RecordedSmcKeys.h"
#include "support/ScopedEnvironment.h"
#include "support/SysfsFixtures.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

using core::TemperatureReader;
using testsupport::ScopedSmcConnection;

namespace {

std::string recordedTable(const std::string& name) {
    return testsupport::readWholeFile(std::string(DURIDOVE_TEST_DATA) + "/smc/" + name);
}

using Names = std::vector<std::string>;

}  // namespace

TEST(TemperatureReader, ReadsSignedFixedPointValues) {
    ScopedSmcConnection connection(testsupport::recordedSmcConnection(recordedTable("macbookpro-keys.txt")));
    EXPECT_FLOAT_EQ(TemperatureReader::temperatureOfSensorWithName("TC0P"), 47.5f);
    EXPECT_FLOAT_EQ(TemperatureReader::temperatureOfSensorWithName("Tm0P"), -1.0f);
    // Only the first four bytes of a longer name make the key.
    EXPECT_FLOAT_EQ(TemperatureReader::temperatureOfSensorWithName("TC0P extra"), 47.5f);
}

TEST(TemperatureReader, FailedReadsGiveTheFailureValue) {
    ScopedSmcConnection connection(testsupport::recordedSmcConnection(recordedTable("macbookpro-keys.txt")));
    // An unknown key: the controller refuses in the result byte.
    core::SMCValue value;
    ASSERT_EQ(core::SMCOpen(), 0);
    EXPECT_EQ(core::SMCReadKey(platform::smcCode("TX9Z"), value), platform::kIOReturnError);
    core::SMCClose();
    EXPECT_FLOAT_EQ(TemperatureReader::temperatureOfSensorWithName("TX9Z"), TemperatureReader::kFailureTemperature);
    // A name shorter than a key is never read past its end.
    EXPECT_FLOAT_EQ(TemperatureReader::temperatureOfSensorWithName("TC"), TemperatureReader::kFailureTemperature);
    EXPECT_FLOAT_EQ(TemperatureReader::temperatureOfSensorWithName(""), TemperatureReader::kFailureTemperature);
    // Nothing is read once the connection is closed.
    EXPECT_EQ(core::SMCReadKey(platform::smcCode("TC0P"), value), platform::kIOReturnNotOpen);
}

TEST(TemperatureReader, OnlyTwoByteSp78KeysAreReadAsTemperatures) {
    ScopedSmcConnection connection(testsupport::recordedSmcConnection(recordedTable("macbookpro-keys.txt") +
                                                                      "TW0P sp78 80 2F8000\n"));
    EXPECT_FLOAT_EQ(TemperatureReader::temperatureOfSensorWithName("TC0P"), 47.5f);
    for (const char* key : {"TH0P", "F0Ac", "ACID", "#KEY", "TW0P"})
        EXPECT_FLOAT_EQ(TemperatureReader::temperatureOfSensorWithName(key), TemperatureReader::kFailureTemperature)
            << key;
}

TEST(TemperatureReader, SensorListHoldsTemperatureKeysOfTypeSp78InIndexOrder) {
    ScopedSmcConnection connection(testsupport::recordedSmcConnection(recordedTable("macbookpro-keys.txt")));
    auto names = TemperatureReader::readSensorNames();
    ASSERT_TRUE(names.has_value());
    // "TH0P" begins with T but holds an "fpe2" value; "F0Ac" and "ACID" are no temperatures.
    EXPECT_EQ(*names, (Names{"TB0T", "TC0C", "TC0P", "TC1C", "Tm0P"}));
    EXPECT_EQ(TemperatureReader::chooseDefaultSensor(names), "TC0P");
}

TEST(TemperatureReader, KeyCountOfAnotherTypeGivesAnEmptyList) {
    ScopedSmcConnection connection(testsupport::recordedSmcConnection("#KEY ui16 80 0003\nTC0P sp78 80 2F80\n"));
    auto names = TemperatureReader::readSensorNames();
    ASSERT_TRUE(names.has_value());
    EXPECT_TRUE(names->empty());
}

TEST(TemperatureReader, CorruptKeyCountIsCapped) {
    ScopedSmcConnection connection(testsupport::recordedSmcConnection("#KEY ui32 80 FFFFFFFF\nTC0P sp78 80 2F80\n"));
    auto names = TemperatureReader::readSensorNames();
    ASSERT_TRUE(names.has_value());
    EXPECT_EQ(*names, Names{"TC0P"});
}

TEST(TemperatureReader, DefaultSensorChain) {
    EXPECT_EQ(TemperatureReader::chooseDefaultSensor(Names{"TB0T", "TC1C", "TC0P"}), "TC0P");
    EXPECT_EQ(TemperatureReader::chooseDefaultSensor(Names{"TB0T", "TC1C", "TC0C"}), "TC1C");
    EXPECT_EQ(TemperatureReader::chooseDefaultSensor(Names{"TB0T", "Th0H"}), "TB0T");
    EXPECT_EQ(TemperatureReader::chooseDefaultSensor(Names{}), "TC0P");
    EXPECT_EQ(TemperatureReader::chooseDefaultSensor(std::nullopt), "TC0P");
}

TEST(TemperatureReader, MachineWithoutControllerHasNoListAndNoReadings) {
    ScopedSmcConnection connection(testsupport::absentSmcConnection());
    EXPECT_EQ(core::SMCOpen(), platform::kIOReturnNoDevice);
    auto names = TemperatureReader::readSensorNames();
    EXPECT_FALSE(names.has_value());
    EXPECT_EQ(TemperatureReader::chooseDefaultSensor(names), "TC0P");
    EXPECT_FLOAT_EQ(TemperatureReader::temperatureOfSensorWithName("TC0P"), -273.15f);
}

TEST(TemperatureReader, ProcessorHwmonSensorsStandForTheControllerKeys) {
    testsupport::ScopedEnvironment environment;
    const auto& folder = environment.folder();
    folder.writeFile("sys/class/hwmon/hwmon0/name", "acpitz\n");
    testsupport::writeTemperatureSensor(folder, "sys/class/hwmon/hwmon0", 1, "", 27800);
    folder.writeFile("sys/class/hwmon/hwmon1/name", "coretemp\n");
    testsupport::writeTemperatureSensor(folder, "sys/class/hwmon/hwmon1", 1, "Package id 0", 47500);
    testsupport::writeTemperatureSensor(folder, "sys/class/hwmon/hwmon1", 2, "Core 0", -1000);
    testsupport::writeTemperatureSensor(folder, "sys/class/hwmon/hwmon1", 10, "Core 8", 51000);
    ScopedSmcConnection connection(std::make_shared<platform::KeyStoreSmcConnection>(platform::openLinuxSmcKeyStore));
    EXPECT_EQ(TemperatureReader::readSensorNames(), (Names{"TC0P", "TC0C", "TC1C"}));
    EXPECT_FLOAT_EQ(TemperatureReader::temperatureOfSensorWithName("TC0P"), 47.5f);
    EXPECT_FLOAT_EQ(TemperatureReader::temperatureOfSensorWithName("TC0C"), -1.0f);
    EXPECT_FLOAT_EQ(TemperatureReader::temperatureOfSensorWithName("TC1C"), 51.0f);
    // Readings are taken afresh each time.
    folder.writeFile("sys/class/hwmon/hwmon1/temp1_input", "60000\n");
    EXPECT_FLOAT_EQ(TemperatureReader::temperatureOfSensorWithName("TC0P"), 60.0f);
}

TEST(MenuMeterDefaults, PreferredSensorComesFromTheUserDefaults) {
    auto defaults = std::make_shared<testsupport::MemoryUserDefaults>();
    platform::UserDefaults::setShared(defaults);
    auto& meter = core::MenuMeterDefaults::sharedMenuMeterDefaults();
    EXPECT_EQ(meter.cpuTemperatureSensor(), "CPUTemperatureSensorDefault");
    defaults->setObject("CPUTemperatureSensor", platform::PlistValue("TC1C"));
    EXPECT_EQ(meter.cpuTemperatureSensor(), "TC1C");
    defaults->setObject("CPUTemperatureSensor", platform::PlistValue(5));
    EXPECT_EQ(meter.cpuTemperatureSensor(), "CPUTemperatureSensorDefault");
    platform::UserDefaults::setShared(nullptr);
}
