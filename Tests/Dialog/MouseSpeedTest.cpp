#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include <gtest/gtest.h>

#include "Setup/PageFillMouse.h"

TEST(MouseSpeed, StoredSpeedGivesTenTimesAsPosition) {
    EXPECT_EQ(MouseSpeedPosition(1.5f), 15);
    EXPECT_EQ(MouseSpeedPosition(1.0f), 10);
    EXPECT_EQ(MouseSpeedPosition(2.0f), 20);
}

TEST(MouseSpeed, PositionIsTruncatedNotRounded) {
    EXPECT_EQ(MouseSpeedPosition(1.56f), 15);
    EXPECT_EQ(MouseSpeedPosition(-1.56f), -15);
}

TEST(MouseSpeed, MissingKeySentinelGivesTheSliderEnd) {
    // A missing MOUSE_SPEED reads as FLT_MAX; ten times that is no int at all.
    EXPECT_EQ(MouseSpeedPosition(FLT_MAX), INT_MAX);
    EXPECT_EQ(MouseSpeedPosition(-FLT_MAX), INT_MIN);
    EXPECT_EQ(MouseSpeedPosition(INFINITY), INT_MAX);
    EXPECT_EQ(MouseSpeedPosition(NAN), 0);
}

TEST(MouseSpeed, SliderEndsAreWrittenAsOneAndTwo) {
    char text[32];
    std::snprintf(text, sizeof text, "%f", MouseSpeedValue(10));
    EXPECT_STREQ(text, "1.000000");
    std::snprintf(text, sizeof text, "%f", MouseSpeedValue(20));
    EXPECT_STREQ(text, "2.000000");
    std::snprintf(text, sizeof text, "%f", MouseSpeedValue(15));
    EXPECT_STREQ(text, "1.500000");
}

TEST(MouseSpeed, EveryPositionSurvivesSavingAndLoading) {
    // Written with "%f", read back with atof narrowed to float: an Apply followed by a new
    // start must show the slider where the player left it.
    for (int position = 10; position <= 20; ++position) {
        char text[32];
        std::snprintf(text, sizeof text, "%f", MouseSpeedValue(position));
        float loaded = static_cast<float>(std::atof(text));
        EXPECT_EQ(MouseSpeedPosition(loaded), position) << text;
    }
}
