#include "BoxCapture.h"

#include "BoxCaptureState.h"
#include "Platform/Posix/PosixHooks.h"

namespace {

int RecordBox(HWND, LPCSTR text, LPCSTR caption, UINT style) {
    BoxCaptureState::Record(text, caption, style);
    return IDOK;
}

} // namespace

BoxCapture::BoxCapture() {
    BoxCaptureState::Boxes().clear();
    Platform::SetMessageBoxSink(&RecordBox);
}

BoxCapture::~BoxCapture() { Platform::SetMessageBoxSink(nullptr); }
