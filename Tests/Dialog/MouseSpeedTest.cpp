#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include <gtest/gtest.h>

#include "Setup/PageFillMouse.h"

TEST(MouseSpeed, StoredSpeedGivesTenTimesAsPositionTruncated) {
    // A missing MOUSE_SPEED reads as FLT_MAX; ten times that is no int at all.
    const struct {
        float speed;
        int position;
    } rows[] = {{1.5f, 15},          {1.0f, 10},          {2.0f, 20},
                {1.56f, 15},         {-1.56f, -15},       {FLT_MAX, INT_MAX},
                {-FLT_MAX, INT_MIN}, {INFINITY, INT_MAX}, {NAN, 0}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.speed);
        EXPECT_EQ(MouseSpeedPosition(row.speed), row.position);
    }
}

TEST(MouseSpeed, EveryPositionIsWrittenExactlyAndSurvivesLoading) {
    // Written with "%f", read back with atof narrowed to float: an Apply followed by a new
    // start must show the slider where the player left it.
    const char* written[] = {"1.000000", "1.100000", "1.200000", "1.300000", "1.400000", "1.500000",
                             "1.600000", "1.700000", "1.800000", "1.900000", "2.000000"};
    for (int position = 10; position <= 20; ++position) {
        char text[32];
        std::snprintf(text, sizeof text, "%f", MouseSpeedValue(position));
        EXPECT_STREQ(text, written[position - 10]);
        EXPECT_EQ(MouseSpeedPosition(static_cast<float>(std::atof(text))), position) << text;
    }
}
