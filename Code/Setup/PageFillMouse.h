// Real-valued sliders (the mouse speed): the slider's position is the stored value times the
// key's sliderScale (Setup/SettingsKeys.h), in single precision as the dialog computes it.
#pragma once

#include "Setup/SettingsKeys.h"

// The slider position of a stored value: value * key.sliderScale in single precision,
// truncated toward zero. A value too large for a position (a missing key reads as 3.4e38)
// gives the largest position, which the slider shows as its end; not a number gives 0.
int ScaledSliderPosition(const SettingsKey& key, float value);

// The value stored for a slider position: the position in single precision times the single-
// precision step 1 / key.sliderScale (0.1f for the mouse speed).
float ScaledSliderValue(const SettingsKey& key, int position);
