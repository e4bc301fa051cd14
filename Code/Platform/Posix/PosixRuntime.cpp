// The runtime library's Windows-only calls, KERNEL32's local memory and Sleep.
#include <errno.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <time.h>

#include <mutex>
#include <set>

#include "Platform/Posix/PosixErrors.h"
#include "Platform/Posix/PosixFileSystem.h"
#include "Platform/Posix/PosixPath.h"

namespace {

std::mutex localLock;

// Blocks from LocalAlloc, so that a stray or second LocalFree fails instead of corrupting.
std::set<void*>& LocalBlocks() {
    static std::set<void*>* blocks = new std::set<void*>;
    return *blocks;
}

int FailErrno(int err) {
    errno = err;
    return -1;
}

} // namespace

int _chmod(const char* path, int mode) {
    Platform::ResolvedPath resolved;
    if (path == nullptr || !Platform::ResolvePath(path, &resolved))
        return FailErrno(path == nullptr ? EINVAL : ENOENT);
    struct stat st;
    if (!resolved.exists || stat(resolved.path.c_str(), &st) != 0) {
        SetLastError(Platform::MissingPathError(resolved));
        return FailErrno(ENOENT);
    }
    // Windows only has the read-only attribute, which does not keep anyone out of a folder.
    if (S_ISDIR(st.st_mode))
        return 0;
    const bool writable = (mode & _S_IWRITE) != 0;
    if (Platform::ApplyReadOnly(resolved.path.c_str(), st.st_mode, !writable) != 0) {
        const int err = errno;
        Platform::SetLastErrorFromErrno(err);
        return FailErrno(err);
    }
    return 0;
}

HLOCAL LocalAlloc(UINT flags, size_t bytes) {
    // A zero-byte block is still a distinct, freeable block, as on Windows.
    const size_t size = bytes == 0 ? 1 : bytes;
    void* block = (flags & LMEM_ZEROINIT) != 0 ? calloc(1, size) : malloc(size);
    if (block == nullptr) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    std::lock_guard<std::mutex> hold(localLock);
    LocalBlocks().insert(block);
    return block;
}

HLOCAL LocalFree(HLOCAL memory) {
    if (memory == nullptr)
        return nullptr;
    {
        std::lock_guard<std::mutex> hold(localLock);
        if (LocalBlocks().erase(memory) == 0) {
            SetLastError(ERROR_INVALID_HANDLE);
            return memory;
        }
    }
    free(memory);
    return nullptr;
}

void OutputDebugStringA(LPCSTR) {}

void Sleep(DWORD milliseconds) {
    struct timespec rest = {static_cast<time_t>(milliseconds / 1000),
                            static_cast<long>(milliseconds % 1000) * 1000000L};
    while (nanosleep(&rest, &rest) != 0 && errno == EINTR) {
    }
}
