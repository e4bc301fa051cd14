#include <cfloat>
#include <climits>
#include <cmath>

#include <gtest/gtest.h>

#include "Ini/CIniFile.h"
#include "Setup/PageFillMouse.h"

namespace {

const SettingsKey& MouseSpeed() {
    return *FindOptionsKey("MOUSE_SPEED");
}

} // namespace

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
        EXPECT_EQ(ScaledSliderPosition(MouseSpeed(), row.speed), row.position);
    }
}

TEST(MouseSpeed, EveryPositionIsWrittenExactlyAndSurvivesLoading) {
    // Apply writes the position with SetFloat, the next start reads it with GetFloat: the slider
    // must come back where the player left it, whatever the floating-point unit (the x87 of the
    // 32-bit build computes in extended precision).
    const char* written[] = {"1.000000", "1.100000", "1.200000", "1.300000", "1.400000", "1.500000",
                             "1.600000", "1.700000", "1.800000", "1.900000", "2.000000"};
    CIniFile options;
    for (int position = 10; position <= 20; ++position) {
        options.SetFloat("MOUSE_SPEED", ScaledSliderValue(MouseSpeed(), position), true);
        EXPECT_EQ(options.GetString("MOUSE_SPEED"), written[position - 10]);
        EXPECT_EQ(ScaledSliderPosition(MouseSpeed(), options.GetFloat("MOUSE_SPEED")), position)
            << position;
    }
}
