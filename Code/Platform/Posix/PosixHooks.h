// Test seams of the native platform layer: where message boxes go, and injected faults.
// The product never calls these; tests use them the way a fault-injecting file system would.
#pragma once

#include "Platform/Win32.h"

namespace Platform {

// Receives every MessageBoxA call; returns the button the "user" pressed.
using MessageBoxSink = int (*)(HWND owner, LPCSTR text, LPCSTR caption, UINT style);

// Installs a sink and returns the previous one. A null sink restores the default, which
// prints the caption and the text to standard error and answers IDOK.
MessageBoxSink SetMessageBoxSink(MessageBoxSink sink);

// Makes WriteFile fail with `error` (for example ERROR_DISK_FULL) once `byteBudget` more
// bytes have been written through any handle; a write that crosses the budget writes the
// bytes that fit and then fails, as a full disk does. A negative budget disables the fault.
void SetWriteFault(long long byteBudget, DWORD error);

// Makes the next FlushFileBuffers calls fail with `error`; 0 disables the fault.
void SetFlushFault(DWORD error);

// Makes MoveFileExA fail with `error`; 0 disables the fault.
void SetMoveFault(DWORD error);

// Clears every injected fault.
void ClearFaults();

} // namespace Platform
