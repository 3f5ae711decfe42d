#include "core/panel/MasterVolume.h"

#include "support/FakeOutputVolume.h"
#include "support/LogCapture.h"

#include <gtest/gtest.h>

#include <memory>

using testsupport::FakeOutputVolume;

namespace {

struct Device {
    std::shared_ptr<FakeOutputVolume> fake = std::make_shared<FakeOutputVolume>();
    testsupport::ScopedOutputVolume installed{fake};
    testsupport::LogCapture log;
};

}  // namespace

TEST(MasterVolume, ReadingKeepsOnlyVolumesFromZeroToOne) {
    struct Case {
        uint32_t device;
        std::optional<double> reported;
        double expected;
        const char* logged;
    };
    const Case cases[] = {
        {2, 0.4, 0.4, nullptr},
        {2, 1.0, 1.0, nullptr},
        {2, 1.2, 0, nullptr},
        {2, -0.1, 0, nullptr},
        {0x1f, std::nullopt, 0, "No volume returned for device 0x1f"},
        {0, 0.4, 0, "Cannot find default output device!"},
    };
    for (const Case& one : cases) {
        Device output;
        output.fake->device = one.device;
        output.fake->reported = one.reported;
        EXPECT_EQ(core::getMasterVolume(), one.expected);
        if (one.logged) {
            EXPECT_TRUE(output.log.contains(one.logged)) << one.logged;
        } else {
            EXPECT_TRUE(output.log.lines().empty());
        }
    }
}

TEST(MasterVolume, SettingMutesBelowTheLowestVolumeAndUnmutesAbove) {
    struct Case {
        double volume;
        bool volumeSettable;
        bool mutable_;
        std::vector<double> volumesSet;
        std::vector<bool> mutesSet;
        const char* logged;
    };
    const Case cases[] = {
        {0.5, true, true, {0.5}, {false}, nullptr},
        {0.001, true, true, {0.001}, {false}, nullptr},  // very low, not mute
        {0.0005, true, true, {}, {true}, nullptr},
        {0, true, true, {}, {true}, nullptr},
        {-0.1, true, true, {}, {}, nullptr},
        {1.5, true, true, {}, {}, nullptr},
        {0.5, false, true, {}, {}, "Device 0x2 does not support volume control"},
        {0, true, false, {}, {}, "Device 0x2 does not support volume control"},
        {0.5, true, false, {0.5}, {}, "Device 0x2 does not support muting"},
    };
    for (const Case& one : cases) {
        Device output;
        output.fake->volumeSettable = one.volumeSettable;
        output.fake->mutable_ = one.mutable_;
        core::setMasterVolume(one.volume);
        EXPECT_EQ(output.fake->volumesSet(), one.volumesSet) << one.volume;
        EXPECT_EQ(output.fake->mutesSet(), one.mutesSet) << one.volume;
        if (one.logged) {
            EXPECT_TRUE(output.log.contains(one.logged)) << one.logged;
        }
    }
}

TEST(MasterVolume, RefusedChangesAreLoggedAndTheUnmuteStillTried) {
    Device output;
    output.fake->setsSucceed = false;
    core::setMasterVolume(0.5);
    EXPECT_EQ(output.fake->mutesSet(), std::vector<bool>{false});
    EXPECT_EQ(output.log.lines(), std::vector<std::string>(2, "Unable to set volume for device 0x2"));
}
