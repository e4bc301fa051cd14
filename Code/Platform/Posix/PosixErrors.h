// Windows error codes for the POSIX layer: the errno translation every call shares.
#pragma once

#include "Platform/Win32.h"

namespace Platform {

// Codes of the layer that the seam header has no use for.
constexpr DWORD kErrorGenFailure = 31;
constexpr DWORD kErrorInsufficientBuffer = 122;
constexpr DWORD kErrorResourceLangNotFound = 1815;

// The Windows code closest to an errno value; ERROR_GEN_FAILURE when none fits.
DWORD WinErrorFromErrno(int err);

// SetLastError(WinErrorFromErrno(err)).
void SetLastErrorFromErrno(int err);

// The English system sentence for `code` ending in "\r\n", or null when there is none.
const char* SystemMessageText(DWORD code);

} // namespace Platform
