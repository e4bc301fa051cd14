// Attributes, deletion and renaming of files, as KERNEL32 does them.
#include "Platform/Posix/PosixFileSystem.h"

#include <errno.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "Platform/Posix/PosixErrors.h"
#include "Platform/Posix/PosixFaults.h"
#include "Platform/Posix/PosixHandles.h"
#include "Platform/Posix/PosixPath.h"

namespace Platform {

namespace {

constexpr mode_t kAnyWrite = S_IWUSR | S_IWGRP | S_IWOTH;
constexpr const char* kAttributeRecord = "user.velmark.attributes";
constexpr DWORD kMoveCopyAllowed = 0x2;
constexpr DWORD kKnownMoveFlags =
    MOVEFILE_REPLACE_EXISTING | kMoveCopyAllowed | MOVEFILE_WRITE_THROUGH;
// Write-through, ignore merge errors, ignore ACL errors: none changes what this layer does.
constexpr DWORD kKnownReplaceFlags = 0x7;

// The attributes in a record of `length` bytes (none when it could not be read).
DWORD RecordedAttributes(const char* record, ssize_t length) {
    return length > 0 ? static_cast<DWORD>(strtoul(record, nullptr, 10)) & kStoredAttributes : 0;
}

bool Fail(DWORD error) {
    SetLastError(error);
    return false;
}

// Resolves `name` and reads its status; false with the Windows error set when it is not there.
bool StatExisting(const char* name, ResolvedPath* resolved, struct stat* st) {
    if (!ResolvePath(name, resolved))
        return false;
    if (!resolved->exists)
        return Fail(MissingPathError(*resolved));
    if (stat(resolved->path.c_str(), st) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return Fail(MissingPathError(*resolved));
        SetLastErrorFromErrno(errno);
        return false;
    }
    return true;
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos)
        return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string LastComponent(const char* name) {
    std::string text = name;
    const size_t slash = text.find_last_of("/\\");
    return slash == std::string::npos ? text : text.substr(slash + 1);
}

bool SyncFolder(const std::string& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) {
        SetLastErrorFromErrno(errno);
        return false;
    }
    const bool synced = fsync(fd) == 0;
    if (!synced)
        SetLastErrorFromErrno(errno);
    close(fd);
    return synced;
}

// Checks the target of a move: what may be replaced, and how Windows refuses the rest.
bool CheckMoveTarget(const ResolvedPath& to, const struct stat& source, bool replace) {
    if (!to.parentExists)
        return Fail(MissingPathError(to));
    struct stat target;
    if (!to.exists || stat(to.path.c_str(), &target) != 0)
        return true;
    if (target.st_dev == source.st_dev && target.st_ino == source.st_ino)
        return true; // a change of letter case only
    if (!replace)
        return Fail(ERROR_ALREADY_EXISTS);
    if (S_ISDIR(target.st_mode) || S_ISDIR(source.st_mode) || (target.st_mode & kAnyWrite) == 0)
        return Fail(ERROR_ACCESS_DENIED);
    return true;
}

// The name to rename to: the resolved one, except that a change of letter case of the same
// entry keeps the last component as the caller wrote it.
std::string MoveDestination(const ResolvedPath& to, const char* toName, const struct stat& source) {
    struct stat target;
    if (to.exists && stat(to.path.c_str(), &target) == 0 && target.st_dev == source.st_dev &&
        target.st_ino == source.st_ino) {
        return FolderOf(to.path) + "/" + LastComponent(toName);
    }
    return to.path;
}

bool MoveEntry(const char* from, const char* to, DWORD flags) {
    if (from == nullptr || to == nullptr || (flags & ~kKnownMoveFlags) != 0)
        return Fail(ERROR_INVALID_PARAMETER);
    if (const DWORD fault = MoveFaultError())
        return Fail(fault);
    ResolvedPath source;
    struct stat sourceStat;
    if (!StatExisting(from, &source, &sourceStat))
        return false;
    ResolvedPath target;
    if (!ResolvePath(to, &target))
        return false;
    if (!CheckMoveTarget(target, sourceStat, (flags & MOVEFILE_REPLACE_EXISTING) != 0))
        return false;
    struct stat targetStat;
    if (HeldAgainstDeletion(sourceStat.st_dev, sourceStat.st_ino) ||
        (target.exists && stat(target.path.c_str(), &targetStat) == 0 &&
         HeldAgainstDeletion(targetStat.st_dev, targetStat.st_ino)))
        return Fail(ERROR_SHARING_VIOLATION);
    const std::string destination = MoveDestination(target, to, sourceStat);
    if (rename(source.path.c_str(), destination.c_str()) != 0) {
        SetLastErrorFromErrno(errno);
        return false;
    }
    if ((flags & MOVEFILE_WRITE_THROUGH) == 0)
        return true;
    const std::string sourceFolder = FolderOf(source.path);
    const std::string targetFolder = FolderOf(destination);
    return SyncFolder(targetFolder) && (sourceFolder == targetFolder || SyncFolder(sourceFolder));
}

// Copies every extended attribute of `from` that `to` may take (the hidden and system record,
// access control lists); what the file system refuses is left out.
void CopyExtendedAttributes(const std::string& from, const std::string& to) {
    const ssize_t size = listxattr(from.c_str(), nullptr, 0);
    if (size <= 0)
        return;
    std::string names(static_cast<size_t>(size), '\0');
    const ssize_t got = listxattr(from.c_str(), &names[0], names.size());
    for (size_t at = 0; got > 0 && at < static_cast<size_t>(got); at = names.find('\0', at) + 1) {
        const char* name = names.c_str() + at;
        const ssize_t length = getxattr(from.c_str(), name, nullptr, 0);
        std::string value(length > 0 ? static_cast<size_t>(length) : 0, '\0');
        if (length >= 0 && getxattr(from.c_str(), name, &value[0], value.size()) == length)
            setxattr(to.c_str(), name, value.data(), value.size(), 0);
    }
}

// Gives the new file at `to` what the replaced one (`from`, status `st`) carries beyond its
// bytes, as Windows carries attributes and ACL over: extended attributes, the owner and group
// where the caller may give them (only root may give a file away; a member of the group may
// still give it that group), and the permission bits.
void CarryIdentity(const std::string& from, const std::string& to, const struct stat& st) {
    if (chown(to.c_str(), st.st_uid, st.st_gid) != 0 &&
        chown(to.c_str(), static_cast<uid_t>(-1), st.st_gid) != 0) {
        // The new file stays the caller's.
    }
    CopyExtendedAttributes(from, to);
    StoreAttributes(to, StoredAttributes(from));
    chmod(to.c_str(), st.st_mode & 07777);
}

// The file that `path` finally names, symbolic links followed, so that replacing it keeps the
// links; `path` itself when that cannot be told.
std::string FinalPath(const std::string& path) {
    char* final = realpath(path.c_str(), nullptr);
    const std::string result = final != nullptr ? final : path;
    free(final);
    return result;
}

// Gives the file at `from` the backup name `to` as a second name, so that the replace itself
// stays one rename. False with the last error set where that cannot be done.
bool LinkAside(const std::string& from, const std::string& to) {
    if ((unlink(to.c_str()) != 0 && errno != ENOENT) || link(from.c_str(), to.c_str()) != 0) {
        SetLastErrorFromErrno(errno);
        return false;
    }
    return true;
}

// The replace once every check has passed: the replacement at `source` takes the identity and
// the name of the file at `destination` (status `st`), which keeps `backup` when one is given.
bool SwapIn(const std::string& destination, const std::string& source, const std::string& backup,
            const struct stat& st) {
    CarryIdentity(destination, source, st);
    const bool linked = !backup.empty() && LinkAside(destination, backup);
    if (!backup.empty() && !linked) {
        // No second name on this file system: the old file moves aside first, as on Windows.
        if (rename(destination.c_str(), backup.c_str()) != 0)
            return Fail(ERROR_UNABLE_TO_REMOVE_REPLACED);
        if (rename(source.c_str(), destination.c_str()) != 0)
            return Fail(ERROR_UNABLE_TO_MOVE_REPLACEMENT_2);
    } else if (rename(source.c_str(), destination.c_str()) != 0) {
        // Both files keep their names, the better of Windows' outcomes.
        if (linked)
            unlink(backup.c_str());
        return Fail(ERROR_UNABLE_TO_MOVE_REPLACEMENT);
    }
    // NTFS journals the rename; here the folder must be synced for it to last.
    const std::string folder = FolderOf(destination);
    return SyncFolder(folder) &&
           (backup.empty() || FolderOf(backup) == folder || SyncFolder(FolderOf(backup)));
}

// Leaves the files as Windows documents for the injected replace error `fault` (PosixHooks.h),
// holds what `hold` names, and fails with `fault`.
bool FaultState(DWORD fault, ReplaceHold hold, const std::string& destination,
                const std::string& source, const std::string& backup, const struct stat& st) {
    std::string replaced = destination;
    if (fault == ERROR_UNABLE_TO_REMOVE_REPLACED && !backup.empty()) {
        std::error_code ignored;
        std::filesystem::copy_file(destination, backup,
                                   std::filesystem::copy_options::overwrite_existing, ignored);
        StoreAttributes(backup, StoredAttributes(destination));
    } else if (fault == ERROR_UNABLE_TO_MOVE_REPLACEMENT) {
        replaced = backup;
    } else if (fault == ERROR_UNABLE_TO_MOVE_REPLACEMENT_2) {
        CarryIdentity(destination, source, st);
        replaced = !backup.empty() ? backup : FolderOf(destination) + "/~replaced.TMP";
    }
    if (replaced != destination &&
        (replaced.empty() ? unlink(destination.c_str())
                          : rename(destination.c_str(), replaced.c_str())) != 0)
        return Fail(ERROR_IO_DEVICE); // the state could not be made: a broken test, not a fault
    if (!replaced.empty() && (hold == ReplaceHold::Replaced || hold == ReplaceHold::Both))
        HoldForFault(replaced);
    if (hold == ReplaceHold::Replacement || hold == ReplaceHold::Both)
        HoldForFault(source);
    return Fail(fault);
}

bool ReplaceEntry(const char* replaced, const char* replacement, const char* backup, DWORD flags) {
    if (replaced == nullptr || replacement == nullptr || (flags & ~kKnownReplaceFlags) != 0)
        return Fail(ERROR_INVALID_PARAMETER);
    ResolvedPath target, source, aside;
    struct stat targetStat, sourceStat;
    if (!StatExisting(replaced, &target, &targetStat) ||
        !StatExisting(replacement, &source, &sourceStat) ||
        (backup != nullptr && !ResolvePath(backup, &aside)))
        return false;
    if (S_ISDIR(targetStat.st_mode) || S_ISDIR(sourceStat.st_mode) ||
        (targetStat.st_mode & kAnyWrite) == 0)
        return Fail(ERROR_ACCESS_DENIED);
    if (backup != nullptr && !CheckMoveTarget(aside, targetStat, true))
        return false;
    if (HeldAgainstDeletion(targetStat.st_dev, targetStat.st_ino))
        return Fail(ERROR_UNABLE_TO_REMOVE_REPLACED);
    if (HeldAgainstDeletion(sourceStat.st_dev, sourceStat.st_ino))
        return Fail(ERROR_SHARING_VIOLATION);
    const std::string destination = FinalPath(target.path);
    ReplaceHold hold = ReplaceHold::None;
    if (const DWORD fault = ReplaceFaultError(&hold))
        return FaultState(fault, hold, destination, source.path, aside.path, targetStat);
    return SwapIn(destination, source.path, aside.path, targetStat);
}

} // namespace

DWORD StoredAttributes(const std::string& path) {
    char record[16] = {};
    const ssize_t length = getxattr(path.c_str(), kAttributeRecord, record, sizeof record - 1);
    return RecordedAttributes(record, length);
}

DWORD StoredAttributes(int fd) {
    char record[16] = {};
    return RecordedAttributes(record, fgetxattr(fd, kAttributeRecord, record, sizeof record - 1));
}

bool StoreAttributes(const std::string& path, DWORD attributes) {
    attributes &= kStoredAttributes;
    if (attributes == StoredAttributes(path))
        return true;
    const std::string record = std::to_string(attributes);
    const int result =
        attributes == 0 ? removexattr(path.c_str(), kAttributeRecord)
                        : setxattr(path.c_str(), kAttributeRecord, record.data(), record.size(), 0);
    if (result != 0 && !(attributes == 0 && errno == ENODATA)) {
        SetLastErrorFromErrno(errno);
        return false;
    }
    return true;
}

DWORD AttributesOf(const std::string& path, mode_t mode) {
    return AttributesFromMode(mode) | StoredAttributes(path);
}

DWORD AttributesFromMode(mode_t mode) {
    if (S_ISDIR(mode))
        return FILE_ATTRIBUTE_DIRECTORY;
    if ((mode & kAnyWrite) == 0)
        return FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_ARCHIVE;
    return FILE_ATTRIBUTE_ARCHIVE;
}

FILETIME FileTimeOf(const struct timespec& when) {
    const unsigned long long ticks =
        (static_cast<unsigned long long>(when.tv_sec) + 11644473600ull) * 10000000ull +
        static_cast<unsigned long long>(when.tv_nsec) / 100;
    return FILETIME{static_cast<DWORD>(ticks & 0xFFFFFFFFu), static_cast<DWORD>(ticks >> 32)};
}

int ApplyReadOnly(const char* path, mode_t mode, bool readOnly) {
    const mode_t bits = mode & 07777;
    const mode_t wanted = readOnly ? (bits & ~kAnyWrite) : (bits | S_IWUSR);
    return wanted == bits ? 0 : chmod(path, wanted);
}

} // namespace Platform

using namespace Platform;

DWORD GetFileAttributesA(LPCSTR name) {
    ResolvedPath resolved;
    struct stat st;
    if (!StatExisting(name, &resolved, &st))
        return INVALID_FILE_ATTRIBUTES;
    return AttributesOf(resolved.path, st.st_mode);
}

BOOL SetFileAttributesA(LPCSTR name, DWORD attributes) {
    ResolvedPath resolved;
    struct stat st;
    if (!StatExisting(name, &resolved, &st))
        return FALSE;
    if (!StoreAttributes(resolved.path, attributes))
        return FALSE;
    // A folder's read-only mark does not stop writing into it on Windows; leave folders be.
    if (S_ISDIR(st.st_mode))
        return TRUE;
    const bool readOnly = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
    if (ApplyReadOnly(resolved.path.c_str(), st.st_mode, readOnly) != 0) {
        SetLastErrorFromErrno(errno);
        return FALSE;
    }
    return TRUE;
}

BOOL DeleteFileA(LPCSTR name) {
    ResolvedPath resolved;
    struct stat st;
    if (!StatExisting(name, &resolved, &st))
        return FALSE;
    // unlink() asks only the folder; Windows refuses folders and read-only files.
    if (S_ISDIR(st.st_mode) || (st.st_mode & kAnyWrite) == 0)
        return Fail(ERROR_ACCESS_DENIED);
    if (HeldAgainstDeletion(st.st_dev, st.st_ino))
        return Fail(ERROR_SHARING_VIOLATION);
    if (unlink(resolved.path.c_str()) != 0) {
        SetLastErrorFromErrno(errno);
        return FALSE;
    }
    return TRUE;
}

BOOL MoveFileExA(LPCSTR from, LPCSTR to, DWORD flags) {
    return MoveEntry(from, to, flags) ? TRUE : FALSE;
}

BOOL ReplaceFileA(LPCSTR replaced, LPCSTR replacement, LPCSTR backup, DWORD flags, LPVOID, LPVOID) {
    return ReplaceEntry(replaced, replacement, backup, flags) ? TRUE : FALSE;
}
