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
int moveTimes = 0;

} // namespace

void SetWriteFault(long long byteBudget, DWORD error) {
    std::lock_guard<std::mutex> hold(faultLock);
    writeBudget = byteBudget < 0 ? -1 : byteBudget;
    writeError = error;
}

void SetFlushFault(DWORD error) {
    std::lock_guard<std::mutex> hold(faultLock);
    flushError = error;
}

void SetMoveFault(DWORD error, int times) {
    std::lock_guard<std::mutex> hold(faultLock);
    moveError = error;
    moveTimes = times;
}

void ClearFaults() {
    std::lock_guard<std::mutex> hold(faultLock);
    writeBudget = -1;
    writeError = flushError = moveError = 0;
    moveTimes = 0;
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
    if (moveTimes == 0)
        return 0;
    if (moveTimes > 0)
        --moveTimes;
    return moveError;
}

} // namespace Platform
