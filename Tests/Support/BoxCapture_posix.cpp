#include "BoxCapture.h"

#include "BoxCaptureState.h"
#include "Platform/Posix/PosixHooks.h"

namespace {

int RecordBox(HWND, LPCSTR text, LPCSTR caption, UINT style) {
    BoxCaptureState::Record(text, caption, style);
    return IDOK;
}

} // namespace

BoxCapture::BoxCapture(bool echoToStderr) {
    BoxCaptureState::Boxes().clear();
    BoxCaptureState::SetEcho(echoToStderr);
    Platform::SetMessageBoxSink(&RecordBox);
}

BoxCapture::~BoxCapture() {
    BoxCaptureState::SetEcho(false);
    Platform::SetMessageBoxSink(nullptr);
}
