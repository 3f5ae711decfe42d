#include "core/panel/BrightnessReading.h"

#include <gtest/gtest.h>

TEST(BrightnessReading, TheNumberAfterTheWord) {
    struct Case {
        const char* output;
        std::optional<double> level;
    };
    const Case cases[] = {
        {"display 0: brightness 0.750000\n", 0.75},
        {"display 0: brightness 1.000000\ndisplay 1: brightness 0.2\n", 1.0},
        {"brightness\n0.5", 0.5},
        {"no backlight found\n", std::nullopt},
        {"display 0: brightness \n", std::nullopt},
        {"", std::nullopt},
    };
    for (const Case& one : cases) EXPECT_EQ(core::brightnessFromToolOutput(one.output), one.level) << one.output;
}
