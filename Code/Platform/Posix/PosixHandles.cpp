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

DWORD SharingConflict(dev_t device, ino_t inode, bool read, bool write, DWORD share) {
    std::lock_guard<std::mutex> hold(registryLock);
    for (const HandleObject* open : Registry()) {
        if (open->kind != HandleKind::File || open->device != device || open->inode != inode)
            continue;
        const bool refused = (read && !(open->share & FILE_SHARE_READ)) ||
                             (write && !(open->share & FILE_SHARE_WRITE)) ||
                             (open->canRead && !(share & FILE_SHARE_READ)) ||
                             (open->canWrite && !(share & FILE_SHARE_WRITE));
        if (refused)
            return ERROR_SHARING_VIOLATION;
    }
    return ERROR_SUCCESS;
}

bool HeldAgainstDeletion(dev_t device, ino_t inode) {
    std::lock_guard<std::mutex> hold(registryLock);
    for (const HandleObject* open : Registry()) {
        if (open->kind == HandleKind::File && open->device == device && open->inode == inode &&
            !(open->share & FILE_SHARE_DELETE))
            return true;
    }
    return false;
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
