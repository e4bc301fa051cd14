// What the file calls ask of the injected faults of PosixHooks.h.
#pragma once

#include <string>

#include "Platform/Posix/PosixHooks.h"
#include "Platform/Win32.h"

namespace Platform {

// How many of `count` bytes a write may store before the write fault strikes; the rest is
// refused with `*error` (ERROR_SUCCESS: the write reports success with the short count). Takes the
// allowed bytes from the budget. Returns `count` with no fault set.
DWORD TakeWriteBudget(DWORD count, DWORD* error);

// The error the next flush, move, replace or creation of a new file must fail with, or 0;
// each counts the call against its fault.
DWORD FlushFaultError();
DWORD MoveFaultError();
DWORD CreateFaultError();
// Also says what the replace fault leaves held.
DWORD ReplaceFaultError(ReplaceHold* hold);

// Opens the file at the POSIX `path` as another program would hold it, without delete sharing,
// until ClearFaults.
void HoldForFault(const std::string& path);

} // namespace Platform
