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
// bytes that fit and then fails, as a full disk does. With `error` ERROR_SUCCESS such a write
// reports success with the short count instead. A negative budget disables the fault.
void SetWriteFault(long long byteBudget, DWORD error);

// Makes the next `times` FlushFileBuffers calls fail with `error` (every call when `times` is
// negative); error 0 disables the fault.
void SetFlushFault(DWORD error, int times = -1);

// Makes the next `times` MoveFileExA calls fail with `error` (every call when `times` is
// negative), as a file that a scanner holds for a moment does; error 0 disables the fault.
void SetMoveFault(DWORD error, int times = -1);

// What a failed replace leaves held by another program (without delete sharing) until
// ClearFaults: nothing, the replaced file under whatever name it then has, the replacement, or
// both.
enum class ReplaceHold { None, Replaced, Replacement, Both };

// Likewise for ReplaceFileA. The files are then left as Windows documents for the error:
// 1175 both keep their names, and a copy of the replaced file is under the backup name;
// 1176 the replaced file is under the backup name (gone without one), the replacement keeps
// its name; 1177 as 1176, but the replacement has taken the replaced file's attributes and
// the replaced file without a backup name gets one the caller never learns
// (~replaced.TMP). Other errors
// leave both as they were. `hold` is then applied.
void SetReplaceFault(DWORD error, int times = -1, ReplaceHold hold = ReplaceHold::None);

// Likewise for the CreateFileA calls that would make a new file, as in a folder where the user
// may change existing files but not add any.
void SetCreateFault(DWORD error, int times = -1);

// Clears every injected fault and lets go of the files held for them.
void ClearFaults();

} // namespace Platform
