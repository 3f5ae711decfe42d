#include "core/readings/AtaSmartAttribute.h"
#include "core/readings/CSMARTAttribute.h"
#include "platform/hardware/SmartPage.h"

#include "support/FakeSmartDevices.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

using core::AtaSmartAttribute;
using core::CSMARTAttribute;
using platform::SmartPageAttribute;

namespace {

AtaSmartAttribute attribute(uint8_t id, std::array<uint8_t, 6> raw) {
    AtaSmartAttribute made;
    made.id = id;
    made.raw = raw;
    return made;
}

std::vector<uint8_t> pageOf(std::vector<std::pair<uint8_t, std::array<uint8_t, 6>>> figures) {
    std::vector<SmartPageAttribute> attributes;
    for (const auto& [id, raw] : figures) {
        SmartPageAttribute made;
        made.id = id;
        made.raw = raw;
        attributes.push_back(made);
    }
    return platform::smartDataPage(attributes);
}

std::vector<uint8_t> recordedPage(const char* name) {
    return testsupport::readHexPage(std::string(DURIDOVE_TEST_DATA) + "/smart/" + name);
}

class SmartReaderTest : public ::testing::Test {
protected:
    SmartReaderTest() : reader([this](double seconds, std::function<void()> tick) {
          timerSeconds.push_back(seconds);
          this->tick = std::move(tick);
      }) {
        devices->state->data = recordedPage("sata-ssd-data.hex");
        devices->state->thresholds = recordedPage("sata-ssd-thresholds.hex");
        platform::SmartDevices::setShared(devices);
    }
    ~SmartReaderTest() override { platform::SmartDevices::setShared(nullptr); }

    std::shared_ptr<testsupport::FakeSmartDevices> devices = std::make_shared<testsupport::FakeSmartDevices>();
    std::vector<double> timerSeconds;
    std::function<void()> tick;
    testsupport::LogCapture log;
    CSMARTAttribute reader;
};

}  // namespace

TEST(AtaSmartAttribute, RawValuesInTheirFormats) {
    // The temperature is only the lowest raw byte; the others hold the lowest and highest seen.
    EXPECT_EQ(core::ata_format_attr_raw_value(attribute(194, {0x24, 0x00, 0x0F, 0x00, 0x32, 0x00})), 36);
    EXPECT_EQ(core::ata_format_attr_raw_value(attribute(194, {0xF0, 0x00, 0x0F, 0x00, 0x32, 0x00})), -16);
    // Power-on hours keep the low 24 bits: the fourth byte is dropped.
    EXPECT_EQ(core::ata_format_attr_raw_value(attribute(9, {0x10, 0x27, 0x00, 0x05, 0x00, 0x00})), 10000);
    EXPECT_EQ(core::ata_format_attr_raw_value(attribute(5, {0x01, 0x02, 0x03, 0x00, 0x00, 0x00})), 0x0201);
    // Any other attribute keeps the whole 48-bit value, beyond what an int holds.
    EXPECT_EQ(core::ata_format_attr_raw_value(attribute(12, {0x01, 0x00, 0x00, 0x00, 0x01, 0x00})), 0x100000001LL);
    EXPECT_EQ(core::ata_get_attr_raw_value(attribute(1, {1, 2, 3, 4, 5, 6})), 0x060504030201ULL);
    EXPECT_EQ(core::get_default_raw_format(3), 10);
    EXPECT_EQ(core::get_default_raw_format(196), 9);
    EXPECT_EQ(core::get_default_raw_format(240), 11);
    EXPECT_EQ(core::get_default_raw_format(190), 18);
    EXPECT_EQ(core::get_default_raw_format(12), 3);
}

TEST(CSMARTAttribute, DevicePathsAndBareNamesGiveOneBSDName) {
    for (const char* path : {"/dev/rdisk0", "/dev/disk0", "disk0"}) {
        auto name = CSMARTAttribute::deviceNameForPath(path);
        EXPECT_TRUE(name.isBSDName) << path;
        EXPECT_EQ(name.name, "disk0") << path;
    }
    auto registry = CSMARTAttribute::deviceNameForPath("/dev/sda");
    EXPECT_FALSE(registry.isBSDName);
    EXPECT_EQ(registry.name, "/dev/sda");
}

TEST_F(SmartReaderTest, ReadsTheRecordedPageAndStartsTheRereadTimer) {
    reader.GetSmartAttribute(std::nullopt);
    EXPECT_EQ(devices->lookups, std::vector<std::string>{"bsd disk0"});
    EXPECT_EQ(reader.GetTemperature(), 36);
    EXPECT_EQ(reader.GetPowerOnHour(), 12058u);
    EXPECT_EQ(reader.GetPowerCycleCount(), 1234u);
    EXPECT_EQ(timerSeconds, std::vector<double>{60.0});
    EXPECT_TRUE(log.contains("Uptime = 12058, Powercyclecount = 1234, iTemperature = 36"));
}

TEST_F(SmartReaderTest, NamesAndPathsReachTheRightLookup) {
    reader.GetSmartAttribute(std::string("/dev/rdisk0"));
    reader.GetSmartAttribute(std::string("disk0"));
    reader.GetSmartAttribute(std::string("sda"));
    EXPECT_EQ(devices->lookups, (std::vector<std::string>{"bsd disk0", "bsd disk0", "path /dev/sda"}));
}

TEST_F(SmartReaderTest, RereadsKeepOrClearTheFiguresAsTheyFail) {
    reader.GetSmartAttribute(std::nullopt);
    ASSERT_TRUE(tick);
    devices->state->data = pageOf({{194, {40, 0, 0, 0, 0, 0}}});
    tick();
    EXPECT_EQ(reader.GetTemperature(), 40);
    EXPECT_EQ(reader.GetPowerOnHour(), 12058u);  // no attribute 9 in this page: kept

    devices->state->dataStatus = platform::kIOReturnError;
    tick();
    EXPECT_EQ(reader.GetTemperature(), 40);
    EXPECT_TRUE(log.contains("SMARTReadData failed with"));

    devices->state->dataStatus = 0;
    devices->state->thresholdsStatus = platform::kIOReturnError;
    tick();
    EXPECT_EQ(reader.GetTemperature(), 0);
    EXPECT_EQ(reader.GetPowerOnHour(), 12058u);
}

TEST_F(SmartReaderTest, FailedFirstThresholdsReadKeepsZeroFiguresButStartsTheTimer) {
    devices->state->thresholdsStatus = platform::kIOReturnError;
    reader.GetSmartAttribute(std::nullopt);
    EXPECT_EQ(reader.GetTemperature(), 0);
    EXPECT_EQ(timerSeconds.size(), 1u);

    devices->state->thresholdsStatus = 0;
    devices->state->enableStatus = platform::kIOReturnError;
    CSMARTAttribute second([this](double seconds, std::function<void()>) { timerSeconds.push_back(seconds); });
    second.GetSmartAttribute(std::nullopt);
    EXPECT_TRUE(log.contains("SMARTEnableDisableOperations failed with"));
    EXPECT_EQ(second.GetTemperature(), 0);
    EXPECT_EQ(timerSeconds.size(), 2u);
}

TEST_F(SmartReaderTest, NoCapableDeviceOrNoInterfaceStartsNoTimer) {
    devices->hasDisk = false;
    reader.GetSmartAttribute(std::nullopt);
    EXPECT_TRUE(log.contains("Find this device's parent and try again"));
    devices->hasDisk = true;
    devices->hasInterface = false;
    reader.GetSmartAttribute(std::nullopt);
    EXPECT_TRUE(log.contains("Please enable smart!"));
    EXPECT_TRUE(timerSeconds.empty());
    EXPECT_EQ(reader.GetTemperature(), 0);
    EXPECT_EQ(devices->state->dataReads, 0);
}

TEST_F(SmartReaderTest, LaterDuplicateWinsAndShortPagesAreNotRead) {
    reader.PrintSMART(pageOf({{194, {30, 0, 0, 0, 0, 0}}, {12, {7, 0, 0, 0, 0, 0}}, {194, {33, 0, 0, 0, 0, 0}}}));
    EXPECT_EQ(reader.GetTemperature(), 33);
    EXPECT_EQ(reader.GetPowerCycleCount(), 7u);

    auto page = pageOf({{194, {50, 0, 0, 0, 0, 0}}});
    page.resize(300);
    reader.PrintSMART(page);
    EXPECT_EQ(reader.GetTemperature(), 33);
    EXPECT_TRUE(log.contains("300 bytes"));
}
