// What the file calls ask of the injected faults of PosixHooks.h.
#pragma once

#include "Platform/Win32.h"

namespace Platform {

// How many of `count` bytes a write may store before the write fault strikes; the rest is
// refused with `*error` (ERROR_SUCCESS: the write reports success with the short count). Takes the
// allowed bytes from the budget. Returns `count` with no fault set.
DWORD TakeWriteBudget(DWORD count, DWORD* error);

// The error the next flush must fail with, or 0.
DWORD FlushFaultError();

// The error the next move must fail with, or 0; counts the move against the fault.
DWORD MoveFaultError();

} // namespace Platform
