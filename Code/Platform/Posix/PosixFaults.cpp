#include "Platform/Posix/PosixFaults.h"

#include <mutex>

#include "Platform/Posix/PosixHooks.h"

namespace Platform {

namespace {

// An error that the next `times` calls of one kind fail with (every call when negative).
struct CountedFault {
    DWORD error = 0;
    int times = 0;

    void Set(DWORD newError, int newTimes) {
        error = newError;
        times = newError == 0 ? 0 : newTimes;
    }
    DWORD Take() {
        if (times == 0)
            return 0;
        if (times > 0)
            --times;
        return error;
    }
};

std::mutex faultLock;
long long writeBudget = -1;
DWORD writeError = 0;
CountedFault flushFault;
CountedFault moveFault;
CountedFault replaceFault;
CountedFault createFault;

} // namespace

void SetWriteFault(long long byteBudget, DWORD error) {
    std::lock_guard<std::mutex> hold(faultLock);
    writeBudget = byteBudget < 0 ? -1 : byteBudget;
    writeError = error;
}

void SetFlushFault(DWORD error, int times) {
    std::lock_guard<std::mutex> hold(faultLock);
    flushFault.Set(error, times);
}

void SetMoveFault(DWORD error, int times) {
    std::lock_guard<std::mutex> hold(faultLock);
    moveFault.Set(error, times);
}

void SetReplaceFault(DWORD error, int times) {
    std::lock_guard<std::mutex> hold(faultLock);
    replaceFault.Set(error, times);
}

void SetCreateFault(DWORD error, int times) {
    std::lock_guard<std::mutex> hold(faultLock);
    createFault.Set(error, times);
}

void ClearFaults() {
    std::lock_guard<std::mutex> hold(faultLock);
    writeBudget = -1;
    writeError = 0;
    flushFault = moveFault = replaceFault = createFault = CountedFault();
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
    return flushFault.Take();
}

DWORD MoveFaultError() {
    std::lock_guard<std::mutex> hold(faultLock);
    return moveFault.Take();
}

DWORD ReplaceFaultError() {
    std::lock_guard<std::mutex> hold(faultLock);
    return replaceFault.Take();
}

DWORD CreateFaultError() {
    std::lock_guard<std::mutex> hold(faultLock);
    return createFault.Take();
}

} // namespace Platform
