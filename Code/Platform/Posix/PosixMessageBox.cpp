// MessageBoxA without a screen: every box goes to a sink that tests may replace.
#include <stdio.h>

#include <atomic>

#include "Platform/Posix/PosixHooks.h"

namespace Platform {

namespace {

int PrintBox(HWND, LPCSTR text, LPCSTR caption, UINT) {
    fprintf(stderr, "[%s] %s\n", caption, text);
    fflush(stderr);
    return IDOK;
}

std::atomic<MessageBoxSink> currentSink{&PrintBox};

} // namespace

MessageBoxSink SetMessageBoxSink(MessageBoxSink sink) {
    return currentSink.exchange(sink != nullptr ? sink : &PrintBox);
}

} // namespace Platform

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT style) {
    // Windows shows "Error" for a missing caption and nothing for a missing text.
    return Platform::currentSink.load()(owner, text != nullptr ? text : "",
                                        caption != nullptr ? caption : "Error", style);
}
