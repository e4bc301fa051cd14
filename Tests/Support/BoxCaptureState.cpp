#include "BoxCaptureState.h"

#include <cstdio>

namespace BoxCaptureState {

namespace {
bool echo = false;
} // namespace

void SetEcho(bool on) {
    echo = on;
}

std::vector<CapturedBox>& Boxes() {
    static std::vector<CapturedBox> boxes;
    return boxes;
}

void Record(const char* text, const char* caption, unsigned style) {
    Boxes().push_back({caption ? caption : "", text ? text : "", style});
    if (echo) {
        std::fprintf(stderr, "box %u %s: %s\n", static_cast<unsigned>(Boxes().size()),
                     Boxes().back().caption.c_str(), Boxes().back().text.c_str());
        std::fflush(stderr);
    }
}

} // namespace BoxCaptureState

const std::vector<CapturedBox>& BoxCapture::Boxes() const {
    return BoxCaptureState::Boxes();
}

void BoxCapture::Clear() {
    BoxCaptureState::Boxes().clear();
}
