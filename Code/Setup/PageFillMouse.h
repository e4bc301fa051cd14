// The mouse speed slider: positions 10 to 20 stand for speeds 1.0 to 2.0.
#pragma once

// The slider position of a stored speed: speed * 10 in single precision, truncated toward
// zero. A speed too large for a position (a missing key reads as 3.4e38) gives the largest
// position, which the slider shows as its end; not a number gives 0.
int MouseSpeedPosition(float speed);

// The speed stored for a slider position: the position in single precision times 0.1f.
float MouseSpeedValue(int position);
