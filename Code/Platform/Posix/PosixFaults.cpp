#include "Platform/Posix/PosixFaults.h"

#include <mutex>

#include "Platform/Posix/PosixHooks.h"

namespace Platform {

namespace {

std::mutex faultLock;
long long writeBudget = -1;
DWORD writeError = 0;
DWORD flushError = 0;
DWORD moveError = 0;

} // namespace

void SetWriteFault(long long byteBudget, DWORD error) {
    std::lock_guard<std::mutex> hold(faultLock);
    writeBudget = byteBudget < 0 ? -1 : byteBudget;
    writeError = error != 0 ? error : ERROR_DISK_FULL;
}

void SetFlushFault(DWORD error) {
    std::lock_guard<std::mutex> hold(faultLock);
    flushError = error;
}

void SetMoveFault(DWORD error) {
    std::lock_guard<std::mutex> hold(faultLock);
    moveError = error;
}

void ClearFaults() {
    std::lock_guard<std::mutex> hold(faultLock);
    writeBudget = -1;
    writeError = flushError = moveError = 0;
}

DWORD TakeWriteBudget(DWORD count, DWORD* error) {
    std::lock_guard<std::mutex> hold(faultLock);
    *error = writeError;
    if (writeBudget < 0)
        return count;
    const DWORD allowed = writeBudget < count ? static_cast<DWORD>(writeBudget) : count;
    writeBudget -= allowed;
    return allowed;
}

DWORD FlushFaultError() {
    std::lock_guard<std::mutex> hold(faultLock);
    return flushError;
}

DWORD MoveFaultError() {
    std::lock_guard<std::mutex> hold(faultLock);
    return moveError;
}

} // namespace Platform
