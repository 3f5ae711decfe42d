#include "platform/hardware/Backlight.h"
#include "platform/system/Bundle.h"
#include "platform/system/PosixProcessRunner.h"

#include "support/FakeProcessRunner.h"
#include "support/ScopedEnvironment.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

class BacklightTest : public ::testing::Test {
protected:
    void device(const std::string& name, const std::string& type, const std::string& brightness,
                const std::string& maxBrightness) {
        const std::string folder = "sys/class/backlight/" + name + "/";
        environment.folder().writeFile(folder + "type", type + "\n");
        environment.folder().writeFile(folder + "brightness", brightness + "\n");
        if (!maxBrightness.empty()) environment.folder().writeFile(folder + "max_brightness", maxBrightness + "\n");
    }
    std::string sysRoot() const { return environment.folder() / "sys"; }

    platform::ProcessResult runTool(const std::string& argument) {
        platform::ProcessRequest request;
        request.arguments = {platform::Bundle::helperPath("brightness"), argument};
        request.environment = {{"DURIDOVE_SYS_ROOT", sysRoot()}};
        return platform::PosixProcessRunner().run(request);
    }

    testsupport::ScopedEnvironment environment;
};

}  // namespace

TEST_F(BacklightTest, FirmwareBeforePlatformBeforeRawDevices) {
    device("acpi_video0", "firmware", "3", "10");
    device("intel_backlight", "raw", "900", "1200");
    device("thinkpad_screen", "platform", "5", "15");
    device("broken", "firmware", "5", "");  // no maximum: passed over
    auto backlight = platform::Backlight::find(sysRoot());
    ASSERT_TRUE(backlight);
    EXPECT_EQ(backlight->name(), "acpi_video0");
    EXPECT_DOUBLE_EQ(backlight->level(), 0.3);
}

TEST_F(BacklightTest, NoneWithoutADevice) { EXPECT_FALSE(platform::Backlight::find(sysRoot())); }

TEST_F(BacklightTest, LevelsBecomeStepsThatNeverDarkenTheDisplay) {
    device("intel_backlight", "raw", "600", "1200");
    auto backlight = platform::Backlight::find(sysRoot());
    ASSERT_TRUE(backlight);
    EXPECT_EQ(backlight->stepFor(0), 1);
    EXPECT_EQ(backlight->stepFor(0.0001), 1);
    EXPECT_EQ(backlight->stepFor(0.5), 600);
    EXPECT_EQ(backlight->stepFor(1), 1200);
}

TEST_F(BacklightTest, SetThroughLogindForTheCallersSession) {
    device("intel_backlight", "raw", "600", "1200");
    auto runner = std::make_shared<testsupport::FakeProcessRunner>();
    testsupport::ScopedProcessRunner installed(runner);
    const std::vector<std::string> call = {
        "--system", "--json=short", "--timeout=5000ms", "--", "call", "org.freedesktop.login1",
        "/org/freedesktop/login1/session/auto", "org.freedesktop.login1.Session", "SetBrightness", "ssu",
        "backlight", "intel_backlight", "300"};
    runner->answer(call, "");
    auto backlight = platform::Backlight::find(sysRoot());
    ASSERT_TRUE(backlight);
    EXPECT_TRUE(backlight->setLevel(0.25));
    EXPECT_EQ(runner->countOf(call), 1);
    EXPECT_FALSE(backlight->setLevel(0.5));  // logind refused (no answer in the table)
}

TEST_F(BacklightTest, ToolPrintsTheLevelWithAPoint) {
    device("intel_backlight", "raw", "900", "1200");
    auto result = runTool("-l");
    EXPECT_TRUE(result.succeeded()) << result.errorOutput;
    EXPECT_EQ(result.output, "display 0: brightness 0.750000\n");
}

TEST_F(BacklightTest, ToolRefusesWhatItCannotDo) {
    EXPECT_EQ(runTool("-l").exitStatus, 1);  // no backlight
    device("intel_backlight", "raw", "900", "1200");
    for (const char* argument : {"1.5", "-0.1", "0,5", "half", ""}) EXPECT_EQ(runTool(argument).exitStatus, 1) << argument;
}
