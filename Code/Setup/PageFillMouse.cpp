#include "Setup/PageFillMouse.h"

#include <climits>

namespace {

// Rounds to single precision. The x87 unit of 32-bit builds keeps intermediate results in
// extended precision until they are stored, and the compiler may keep them in registers
// across a cast: 1.4f * 10 is then 13.99999976 and truncates to 13, where the single-precision
// product is 14. Storing through a volatile float forces the rounding on every unit.
float Single(float value) {
    volatile float stored = value;
    return stored;
}

} // namespace

int ScaledSliderPosition(const SettingsKey& key, float value) {
    float scaled = Single(value * static_cast<float>(key.sliderScale));
    // Converting a float outside int's range is undefined; a missing key reads as 3.4e38.
    if (scaled != scaled)
        return 0;
    if (scaled >= 2147483647.0f)
        return INT_MAX;
    if (scaled <= -2147483648.0f)
        return INT_MIN;
    return static_cast<int>(scaled);
}

float ScaledSliderValue(const SettingsKey& key, int position) {
    // 1.0f / 10 rounds to the same single-precision number as the constant 0.1f.
    const float step = Single(1.0f / static_cast<float>(key.sliderScale));
    return Single(static_cast<float>(position) * step);
}
