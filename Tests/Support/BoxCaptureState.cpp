#include "BoxCaptureState.h"

namespace BoxCaptureState {

std::vector<CapturedBox>& Boxes() {
    static std::vector<CapturedBox> boxes;
    return boxes;
}

void Record(const char* text, const char* caption, unsigned style) {
    Boxes().push_back({caption ? caption : "", text ? text : "", style});
}

} // namespace BoxCaptureState

const std::vector<CapturedBox>& BoxCapture::Boxes() const { return BoxCaptureState::Boxes(); }

void BoxCapture::Clear() { BoxCaptureState::Boxes().clear(); }
