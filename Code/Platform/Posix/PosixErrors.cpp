#include "Platform/Posix/PosixErrors.h"

#include <errno.h>
#include <string.h>

namespace Platform {

namespace {

// Per thread, as on Windows.
thread_local DWORD lastError = ERROR_SUCCESS;

struct ErrnoCode {
    int err;
    DWORD code;
};

const ErrnoCode kErrnoCodes[] = {
    {ENOENT, ERROR_FILE_NOT_FOUND},
    {ENOTDIR, ERROR_PATH_NOT_FOUND},
    {EACCES, ERROR_ACCESS_DENIED},
    {EPERM, ERROR_ACCESS_DENIED},
    {EISDIR, ERROR_ACCESS_DENIED},
    {EROFS, ERROR_WRITE_PROTECT},
    {EBADF, ERROR_INVALID_HANDLE},
    {EMFILE, ERROR_TOO_MANY_OPEN_FILES},
    {ENFILE, ERROR_TOO_MANY_OPEN_FILES},
    {ENOMEM, ERROR_NOT_ENOUGH_MEMORY},
    {EXDEV, ERROR_NOT_SAME_DEVICE},
    {EBUSY, ERROR_SHARING_VIOLATION},
    {ETXTBSY, ERROR_SHARING_VIOLATION},
    {EEXIST, ERROR_FILE_EXISTS},
    {EINVAL, ERROR_INVALID_PARAMETER},
    {ESPIPE, ERROR_INVALID_PARAMETER},
    {EOVERFLOW, ERROR_INVALID_PARAMETER},
    {ENOSPC, ERROR_DISK_FULL},
    {EDQUOT, ERROR_DISK_FULL},
    {EFBIG, ERROR_DISK_FULL},
    {ELOOP, ERROR_INVALID_NAME},
    {ENOTEMPTY, ERROR_DIR_NOT_EMPTY},
    {ENAMETOOLONG, ERROR_FILENAME_EXCED_RANGE},
    {ENOSYS, ERROR_NOT_SUPPORTED},
    {EOPNOTSUPP, ERROR_NOT_SUPPORTED},
    {EIO, ERROR_IO_DEVICE},
};

struct CodeText {
    DWORD code;
    const char* text;
};

// The sentences of an English Windows, word for word.
const CodeText kTexts[] = {
    {ERROR_SUCCESS, "The operation completed successfully.\r\n"},
    {ERROR_INVALID_FUNCTION, "Incorrect function.\r\n"},
    {ERROR_FILE_NOT_FOUND, "The system cannot find the file specified.\r\n"},
    {ERROR_PATH_NOT_FOUND, "The system cannot find the path specified.\r\n"},
    {ERROR_TOO_MANY_OPEN_FILES, "The system cannot open the file.\r\n"},
    {ERROR_ACCESS_DENIED, "Access is denied.\r\n"},
    {ERROR_INVALID_HANDLE, "The handle is invalid.\r\n"},
    {ERROR_NOT_ENOUGH_MEMORY,
     "Not enough memory resources are available to process this command.\r\n"},
    {ERROR_NOT_SAME_DEVICE, "The system cannot move the file to a different disk drive.\r\n"},
    {ERROR_NO_MORE_FILES, "There are no more files.\r\n"},
    {ERROR_WRITE_PROTECT, "The media is write protected.\r\n"},
    {kErrorGenFailure, "A device attached to the system is not functioning.\r\n"},
    {ERROR_SHARING_VIOLATION,
     "The process cannot access the file because it is being used by another process.\r\n"},
    {ERROR_HANDLE_EOF, "Reached the end of the file.\r\n"},
    {ERROR_NOT_SUPPORTED, "The request is not supported.\r\n"},
    {ERROR_FILE_EXISTS, "The file exists.\r\n"},
    {ERROR_INVALID_PARAMETER, "The parameter is incorrect.\r\n"},
    {ERROR_DISK_FULL, "There is not enough space on the disk.\r\n"},
    {kErrorInsufficientBuffer, "The data area passed to a system call is too small.\r\n"},
    {ERROR_INVALID_NAME, "The filename, directory name, or volume label syntax is incorrect.\r\n"},
    {ERROR_NEGATIVE_SEEK,
     "An attempt was made to move the file pointer before the beginning of the file.\r\n"},
    {ERROR_DIR_NOT_EMPTY, "The directory is not empty.\r\n"},
    {ERROR_ALREADY_EXISTS, "Cannot create a file when that file already exists.\r\n"},
    {ERROR_FILENAME_EXCED_RANGE, "The filename or extension is too long.\r\n"},
    {ERROR_IO_DEVICE, "The request could not be performed because of an I/O device error.\r\n"},
    {ERROR_UNABLE_TO_REMOVE_REPLACED, "Unable to remove the file to be replaced.\r\n"},
    {ERROR_UNABLE_TO_MOVE_REPLACEMENT,
     "Unable to move the replacement file to the file to be replaced. The file to be replaced "
     "has retained its original name.\r\n"},
    {ERROR_UNABLE_TO_MOVE_REPLACEMENT_2,
     "Unable to move the replacement file to the file to be replaced. The file to be replaced "
     "has been renamed using the backup name.\r\n"},
    {kErrorResourceLangNotFound,
     "The specified resource language ID cannot be found in the image file.\r\n"},
};

constexpr DWORD kFromString = 0x400;
constexpr DWORD kKnownFlags = 0x3FFF;

// Only the English texts exist: neutral, user/system default or any English sublanguage.
bool LanguageAvailable(DWORD languageId) {
    const DWORD primary = languageId & 0x3FF;
    return languageId <= 0xFFFF && (primary == LANG_NEUTRAL || primary == 0x09);
}

// Allocating form: `buffer` really is a char** that receives a LocalAlloc'd copy.
DWORD DeliverAllocated(const char* text, size_t length, LPSTR buffer, DWORD minSize) {
    char** out = reinterpret_cast<char**>(buffer);
    *out = nullptr;
    const size_t bytes = length + 1 > minSize ? length + 1 : minSize;
    char* copy = static_cast<char*>(LocalAlloc(LPTR, bytes));
    if (copy == nullptr)
        return 0; // LocalAlloc has set the error
    memcpy(copy, text, length + 1);
    *out = copy;
    return static_cast<DWORD>(length);
}

DWORD DeliverInto(const char* text, size_t length, LPSTR buffer, DWORD size) {
    if (length + 1 > size) {
        SetLastError(kErrorInsufficientBuffer);
        if (size > 0)
            buffer[0] = '\0';
        return 0;
    }
    memcpy(buffer, text, length + 1);
    return static_cast<DWORD>(length);
}

} // namespace

DWORD WinErrorFromErrno(int err) {
    for (const ErrnoCode& entry : kErrnoCodes) {
        if (entry.err == err)
            return entry.code;
    }
    return kErrorGenFailure;
}

void SetLastErrorFromErrno(int err) {
    lastError = WinErrorFromErrno(err);
}

const char* SystemMessageText(DWORD code) {
    for (const CodeText& entry : kTexts) {
        if (entry.code == code)
            return entry.text;
    }
    return nullptr;
}

} // namespace Platform

using namespace Platform;

DWORD GetLastError(void) {
    return lastError;
}

void SetLastError(DWORD code) {
    lastError = code;
}

DWORD FormatMessageA(DWORD flags, LPCVOID, DWORD messageId, DWORD languageId, LPSTR buffer,
                     DWORD size, void*) {
    const bool allocate = (flags & FORMAT_MESSAGE_ALLOCATE_BUFFER) != 0;
    // Only the system table exists here, and none of its texts has inserts to fill.
    if ((flags & FORMAT_MESSAGE_FROM_SYSTEM) == 0 || (flags & kFromString) != 0 ||
        (flags & ~kKnownFlags) != 0 || buffer == nullptr || (!allocate && size == 0)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    if (allocate)
        *reinterpret_cast<char**>(buffer) = nullptr;
    if (!LanguageAvailable(languageId)) {
        SetLastError(kErrorResourceLangNotFound);
        return 0;
    }
    const char* text = SystemMessageText(messageId);
    if (text == nullptr) {
        SetLastError(ERROR_MR_MID_NOT_FOUND);
        return 0;
    }
    const size_t length = strlen(text);
    return allocate ? DeliverAllocated(text, length, buffer, size)
                    : DeliverInto(text, length, buffer, size);
}
