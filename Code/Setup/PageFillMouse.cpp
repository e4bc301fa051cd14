#include "Setup/PageFillMouse.h"

#include <climits>

int MouseSpeedPosition(float speed) {
    float scaled = speed * 10.0f;
    // Converting a float outside int's range is undefined; a missing key reads as 3.4e38.
    if (scaled != scaled)
        return 0;
    if (scaled >= 2147483647.0f)
        return INT_MAX;
    if (scaled <= -2147483648.0f)
        return INT_MIN;
    return static_cast<int>(scaled);
}

float MouseSpeedValue(int position) {
    return static_cast<float>(position) * 0.1f;
}
