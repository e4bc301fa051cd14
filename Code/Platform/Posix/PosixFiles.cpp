// Opening, reading, writing and seeking files, as KERNEL32 does it.
#include <errno.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "Platform/Posix/PosixErrors.h"
#include "Platform/Posix/PosixFaults.h"
#include "Platform/Posix/PosixFileSystem.h"
#include "Platform/Posix/PosixHandles.h"
#include "Platform/Posix/PosixPath.h"

using namespace Platform;

namespace {

constexpr DWORD kGenericAll = 0x10000000u;
constexpr mode_t kAnyWrite = S_IWUSR | S_IWGRP | S_IWOTH;
// Large transfers go in pieces the system accepts in one call.
constexpr DWORD kMaxChunk = 1u << 30;

struct OpenRequest {
    bool read;
    bool write;
    bool remove; // delete access: refused while a handle does not share deletion
    DWORD disposition;
    DWORD share;
    bool readOnlyAttribute; // given to a file that this call creates or overwrites
    DWORD stored;           // hidden and system attributes asked for, likewise
};

int OpenFlags(const OpenRequest& request) {
    if (request.read && request.write)
        return O_RDWR | O_CLOEXEC;
    return (request.write ? O_WRONLY : O_RDONLY) | O_CLOEXEC;
}

HANDLE Fail(DWORD error) {
    SetLastError(error);
    return INVALID_HANDLE_VALUE;
}

HANDLE FailFromErrno(int err, const ResolvedPath& resolved) {
    if (err == ENOENT || err == ENOTDIR)
        return Fail(MissingPathError(resolved));
    SetLastErrorFromErrno(err);
    return INVALID_HANDLE_VALUE;
}

// Removes every write bit; a handle already open for writing keeps writing, as on Windows.
void MakeReadOnly(int fd) {
    struct stat st;
    if (fstat(fd, &st) == 0)
        fchmod(fd, st.st_mode & 07777 & ~kAnyWrite);
}

HANDLE Wrap(int fd, const OpenRequest& request) {
    HandleObject* object = new HandleObject{HandleKind::File};
    object->fd = fd;
    object->canRead = request.read;
    object->canWrite = request.write;
    object->share = request.share;
    struct stat st;
    if (fstat(fd, &st) == 0) {
        object->device = st.st_dev;
        object->inode = st.st_ino;
    }
    return RegisterHandle(object);
}

// Gives a file that this open creates or overwrites the asked hidden and system attributes.
HANDLE WrapNew(int fd, const ResolvedPath& resolved, const OpenRequest& request) {
    if (!StoreAttributes(resolved.path, request.stored)) {
        close(fd);
        return INVALID_HANDLE_VALUE;
    }
    return Wrap(fd, request);
}

// Makes a file that does not exist yet; ERROR_FILE_EXISTS when it appeared meanwhile.
HANDLE CreateMissing(const ResolvedPath& resolved, const OpenRequest& request) {
    if (const DWORD fault = CreateFaultError())
        return Fail(fault);
    const int fd = open(resolved.path.c_str(), OpenFlags(request) | O_CREAT | O_EXCL, 0666);
    if (fd < 0)
        return FailFromErrno(errno, resolved);
    if (request.readOnlyAttribute)
        MakeReadOnly(fd);
    HANDLE handle = WrapNew(fd, resolved, request);
    if (handle != INVALID_HANDLE_VALUE &&
        (request.disposition == CREATE_ALWAYS || request.disposition == OPEN_ALWAYS))
        SetLastError(ERROR_SUCCESS);
    return handle;
}

HANDLE OpenPresent(const ResolvedPath& resolved, const OpenRequest& request) {
    struct stat st;
    if (stat(resolved.path.c_str(), &st) != 0)
        return FailFromErrno(errno, resolved);
    if (S_ISDIR(st.st_mode))
        return Fail(ERROR_ACCESS_DENIED);
    if (request.disposition == CREATE_NEW)
        return Fail(ERROR_FILE_EXISTS);
    const bool truncate =
        request.disposition == CREATE_ALWAYS || request.disposition == TRUNCATE_EXISTING;
    // The read-only attribute binds root too, which open() alone would let through.
    if ((request.write || truncate) && (st.st_mode & kAnyWrite) == 0)
        return Fail(ERROR_ACCESS_DENIED);
    // Overwriting a hidden or system file must ask for those attributes again.
    if (truncate && (StoredAttributes(resolved.path) & ~request.stored) != 0)
        return Fail(ERROR_ACCESS_DENIED);
    if (const DWORD conflict = SharingConflict(st.st_dev, st.st_ino, request.read,
                                               request.write || truncate, request.share))
        return Fail(conflict);
    if (request.remove && HeldAgainstDeletion(st.st_dev, st.st_ino))
        return Fail(ERROR_SHARING_VIOLATION);
    const int fd = open(resolved.path.c_str(), OpenFlags(request) | (truncate ? O_TRUNC : 0));
    if (fd < 0)
        return FailFromErrno(errno, resolved);
    if (request.disposition == CREATE_ALWAYS && request.readOnlyAttribute)
        MakeReadOnly(fd);
    HANDLE handle =
        request.disposition == CREATE_ALWAYS ? WrapNew(fd, resolved, request) : Wrap(fd, request);
    if (handle != INVALID_HANDLE_VALUE &&
        (request.disposition == CREATE_ALWAYS || request.disposition == OPEN_ALWAYS))
        SetLastError(ERROR_ALREADY_EXISTS);
    return handle;
}

// Checks what every transfer needs; the object on success, else null with the error set.
HandleObject* TransferTarget(HANDLE file, LPCVOID buffer, DWORD count, LPOVERLAPPED overlapped,
                             bool write) {
    HandleObject* object = LookupHandle(file, HandleKind::File);
    if (object == nullptr)
        return nullptr;
    if (overlapped != nullptr || (buffer == nullptr && count > 0)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return nullptr;
    }
    if (!(write ? object->canWrite : object->canRead)) {
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    return object;
}

// The open file of `file` when it may be written; otherwise null with the error set.
HandleObject* WritableFile(HANDLE file) {
    HandleObject* object = LookupHandle(file, HandleKind::File);
    if (object != nullptr && !object->canWrite) {
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    }
    return object;
}

// Writes all `count` bytes unless the system refuses; `*done` counts what was stored.
bool WriteAll(int fd, const char* bytes, DWORD count, DWORD* done) {
    *done = 0;
    while (*done < count) {
        const DWORD chunk = count - *done < kMaxChunk ? count - *done : kMaxChunk;
        const ssize_t n = write(fd, bytes + *done, chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            SetLastErrorFromErrno(n < 0 ? errno : ENOSPC);
            return false;
        }
        *done += static_cast<DWORD>(n);
    }
    return true;
}

// The position a seek leads to, or -1 with the error set.
long long SeekTarget(int fd, long long distance, DWORD method) {
    long long base = 0;
    if (method == FILE_CURRENT) {
        base = lseek(fd, 0, SEEK_CUR);
    } else if (method == FILE_END) {
        struct stat st;
        base = fstat(fd, &st) == 0 ? st.st_size : -1;
    }
    if (base < 0) {
        SetLastErrorFromErrno(errno);
        return -1;
    }
    long long target = 0;
    if (__builtin_add_overflow(base, distance, &target)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return -1;
    }
    if (target < 0) {
        SetLastError(ERROR_NEGATIVE_SEEK);
        return -1;
    }
    return target;
}

} // namespace

HANDLE CreateFileA(LPCSTR name, DWORD access, DWORD shareMode, LPSECURITY_ATTRIBUTES,
                   DWORD disposition, DWORD flagsAndAttributes, HANDLE) {
    OpenRequest request;
    request.read = (access & (GENERIC_READ | kGenericAll)) != 0;
    request.write = (access & (GENERIC_WRITE | kGenericAll)) != 0;
    request.remove = (access & (DELETE | kGenericAll)) != 0;
    request.disposition = disposition;
    request.share = shareMode;
    request.readOnlyAttribute = (flagsAndAttributes & FILE_ATTRIBUTE_READONLY) != 0;
    request.stored = flagsAndAttributes & kStoredAttributes;
    if (disposition < CREATE_NEW || disposition > TRUNCATE_EXISTING ||
        (disposition == TRUNCATE_EXISTING && !request.write))
        return Fail(ERROR_INVALID_PARAMETER);

    ResolvedPath resolved;
    if (!ResolvePath(name, &resolved))
        return INVALID_HANDLE_VALUE;
    if (resolved.exists)
        return OpenPresent(resolved, request);
    if (disposition == OPEN_EXISTING || disposition == TRUNCATE_EXISTING || !resolved.parentExists)
        return Fail(MissingPathError(resolved));
    HANDLE created = CreateMissing(resolved, request);
    // Lost a race with another creator: open what is there now, as Windows would have.
    if (created == INVALID_HANDLE_VALUE && GetLastError() == ERROR_FILE_EXISTS &&
        disposition != CREATE_NEW)
        return OpenPresent(resolved, request);
    return created;
}

BOOL ReadFile(HANDLE file, LPVOID buffer, DWORD count, LPDWORD got, LPOVERLAPPED overlapped) {
    if (got != nullptr)
        *got = 0;
    HandleObject* object = TransferTarget(file, buffer, count, overlapped, false);
    if (object == nullptr)
        return FALSE;
    char* bytes = static_cast<char*>(buffer);
    DWORD done = 0;
    while (done < count) {
        const DWORD chunk = count - done < kMaxChunk ? count - done : kMaxChunk;
        const ssize_t n = read(object->fd, bytes + done, chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            SetLastErrorFromErrno(errno);
            if (got != nullptr)
                *got = done;
            return FALSE;
        }
        if (n == 0)
            break; // end of file: success with a short count
        done += static_cast<DWORD>(n);
    }
    if (got != nullptr)
        *got = done;
    return TRUE;
}

BOOL WriteFile(HANDLE file, LPCVOID buffer, DWORD count, LPDWORD written, LPOVERLAPPED overlapped) {
    if (written != nullptr)
        *written = 0;
    HandleObject* object = TransferTarget(file, buffer, count, overlapped, true);
    if (object == nullptr)
        return FALSE;
    DWORD faultError = 0;
    const DWORD allowed = TakeWriteBudget(count, &faultError);
    DWORD done = 0;
    const bool stored = WriteAll(object->fd, static_cast<const char*>(buffer), allowed, &done);
    if (written != nullptr)
        *written = done;
    if (!stored)
        return FALSE;
    if (allowed < count && faultError != ERROR_SUCCESS) {
        SetLastError(faultError);
        return FALSE;
    }
    return TRUE;
}

BOOL FlushFileBuffers(HANDLE file) {
    HandleObject* object = WritableFile(file);
    if (object == nullptr)
        return FALSE;
    if (const DWORD fault = FlushFaultError()) {
        SetLastError(fault);
        return FALSE;
    }
    if (fsync(object->fd) != 0) {
        SetLastErrorFromErrno(errno);
        return FALSE;
    }
    return TRUE;
}

DWORD SetFilePointer(HANDLE file, LONG distance, PLONG distanceHigh, DWORD method) {
    HandleObject* object = LookupHandle(file, HandleKind::File);
    if (object == nullptr)
        return INVALID_SET_FILE_POINTER;
    if (method > FILE_END) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_SET_FILE_POINTER;
    }
    // With a high part the two halves form one signed 64-bit distance.
    const long long move =
        distanceHigh == nullptr
            ? static_cast<long long>(distance)
            : static_cast<long long>(
                  (static_cast<unsigned long long>(static_cast<DWORD>(*distanceHigh)) << 32) |
                  static_cast<DWORD>(distance));
    const long long target = SeekTarget(object->fd, move, method);
    if (target < 0)
        return INVALID_SET_FILE_POINTER;
    // Without a high part the caller could not learn a position past 4 GB.
    if (distanceHigh == nullptr && target > 0xFFFFFFFFll) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return INVALID_SET_FILE_POINTER;
    }
    if (lseek(object->fd, static_cast<off_t>(target), SEEK_SET) < 0) {
        SetLastErrorFromErrno(errno);
        return INVALID_SET_FILE_POINTER;
    }
    if (distanceHigh != nullptr)
        *distanceHigh = static_cast<LONG>(static_cast<unsigned long long>(target) >> 32);
    const DWORD low = static_cast<DWORD>(target & 0xFFFFFFFFll);
    // A real position that looks like the failure value: the caller checks the last error.
    if (low == INVALID_SET_FILE_POINTER)
        SetLastError(ERROR_SUCCESS);
    return low;
}

BOOL SetEndOfFile(HANDLE file) {
    HandleObject* object = WritableFile(file);
    if (object == nullptr)
        return FALSE;
    const off_t position = lseek(object->fd, 0, SEEK_CUR);
    if (position < 0 || ftruncate(object->fd, position) != 0) {
        SetLastErrorFromErrno(errno);
        return FALSE;
    }
    return TRUE;
}

BOOL GetFileInformationByHandle(HANDLE file, LPBY_HANDLE_FILE_INFORMATION info) {
    HandleObject* object = LookupHandle(file, HandleKind::File);
    if (object == nullptr)
        return FALSE;
    struct stat st;
    if (info == nullptr || fstat(object->fd, &st) != 0) {
        SetLastErrorFromErrno(info == nullptr ? EINVAL : errno);
        return FALSE;
    }
    const unsigned long long size = static_cast<unsigned long long>(st.st_size);
    const unsigned long long index = static_cast<unsigned long long>(st.st_ino);
    info->dwFileAttributes = AttributesFromMode(st.st_mode) | StoredAttributes(object->fd);
    info->ftCreationTime = info->ftLastWriteTime = FileTimeOf(st.st_mtim);
    info->ftLastAccessTime = FileTimeOf(st.st_atim);
    info->dwVolumeSerialNumber = static_cast<DWORD>(st.st_dev);
    info->nFileSizeHigh = static_cast<DWORD>(size >> 32);
    info->nFileSizeLow = static_cast<DWORD>(size);
    info->nNumberOfLinks = static_cast<DWORD>(st.st_nlink);
    info->nFileIndexHigh = static_cast<DWORD>(index >> 32);
    info->nFileIndexLow = static_cast<DWORD>(index);
    return TRUE;
}
