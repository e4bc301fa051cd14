#include "Platform/Posix/PosixFaults.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <mutex>
#include <vector>

#include "Platform/Posix/PosixHandles.h"

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
ReplaceHold replaceHold = ReplaceHold::None;
CountedFault createFault;
std::vector<HANDLE> held;

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

void SetReplaceFault(DWORD error, int times, ReplaceHold hold) {
    std::lock_guard<std::mutex> lock(faultLock);
    replaceFault.Set(error, times);
    replaceHold = hold;
}

void SetCreateFault(DWORD error, int times) {
    std::lock_guard<std::mutex> hold(faultLock);
    createFault.Set(error, times);
}

void ClearFaults() {
    std::vector<HANDLE> release;
    {
        std::lock_guard<std::mutex> hold(faultLock);
        writeBudget = -1;
        writeError = 0;
        flushFault = moveFault = replaceFault = createFault = CountedFault();
        replaceHold = ReplaceHold::None;
        release.swap(held);
    }
    for (HANDLE file : release)
        CloseHandle(file);
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

DWORD ReplaceFaultError(ReplaceHold* hold) {
    std::lock_guard<std::mutex> lock(faultLock);
    *hold = replaceHold;
    return replaceFault.Take();
}

void HoldForFault(const std::string& path) {
    struct stat st;
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 || fstat(fd, &st) != 0) {
        if (fd >= 0)
            close(fd);
        return;
    }
    HandleObject* object = new HandleObject{HandleKind::File};
    object->fd = fd;
    object->canRead = true;
    object->share = FILE_SHARE_READ | FILE_SHARE_WRITE;
    object->device = st.st_dev;
    object->inode = st.st_ino;
    const HANDLE file = RegisterHandle(object);
    std::lock_guard<std::mutex> lock(faultLock);
    held.push_back(file);
}

DWORD CreateFaultError() {
    std::lock_guard<std::mutex> hold(faultLock);
    return createFault.Take();
}

} // namespace Platform
