#include "Platform/Posix/PosixHandles.h"

#include <errno.h>
#include <unistd.h>

#include <memory>
#include <mutex>
#include <set>

#include "Platform/Posix/PosixErrors.h"

namespace Platform {

namespace {

std::mutex registryLock;

std::set<HandleObject*>& Registry() {
    // Never destroyed: handles may still be closed by static destructors at exit.
    static std::set<HandleObject*>* live = new std::set<HandleObject*>;
    return *live;
}

} // namespace

HANDLE RegisterHandle(HandleObject* object) {
    std::lock_guard<std::mutex> hold(registryLock);
    Registry().insert(object);
    return object;
}

HandleObject* LookupHandle(HANDLE handle, HandleKind kind) {
    std::lock_guard<std::mutex> hold(registryLock);
    auto found = Registry().find(static_cast<HandleObject*>(handle));
    if (found == Registry().end() || (*found)->kind != kind) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    return *found;
}

HandleObject* ReleaseHandle(HANDLE handle, HandleKind kind) {
    std::lock_guard<std::mutex> hold(registryLock);
    auto found = Registry().find(static_cast<HandleObject*>(handle));
    if (found == Registry().end() || (*found)->kind != kind) {
        SetLastError(ERROR_INVALID_HANDLE);
        return nullptr;
    }
    HandleObject* object = *found;
    Registry().erase(found);
    return object;
}

} // namespace Platform

BOOL CloseHandle(HANDLE object) {
    std::unique_ptr<Platform::HandleObject> file(
        Platform::ReleaseHandle(object, Platform::HandleKind::File));
    if (!file)
        return FALSE;
    // Linux releases the descriptor even when close reports an error.
    if (close(file->fd) != 0) {
        Platform::SetLastErrorFromErrno(errno);
        return FALSE;
    }
    return TRUE;
}
