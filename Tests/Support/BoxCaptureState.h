// Shared by the two ways of capturing boxes.
#pragma once

#include "BoxCapture.h"

namespace BoxCaptureState {
std::vector<CapturedBox>& Boxes();
void Record(const char* text, const char* caption, unsigned style);
void SetEcho(bool on);
} // namespace BoxCaptureState
