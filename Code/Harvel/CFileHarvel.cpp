#include "Harvel/CFileHarvel.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "Harvel/CFileHarvel_WIN.h"

namespace {

DWORD Disposition(DWORD creation) {
    switch (creation) {
    case FILE_OPEN_EXISTING:
        return OPEN_EXISTING;
    case FILE_CREATE_ALWAYS:
        return CREATE_ALWAYS;
    case FILE_TRUNCATE_EXISTING:
        return TRUNCATE_EXISTING;
    default:
        return 0; // the system rejects it
    }
}

DWORD DesiredAccess(DWORD access) {
    DWORD result = 0;
    if (access & FILE_ACCESS_READ)
        result |= GENERIC_READ;
    if (access & FILE_ACCESS_WRITE)
        result |= GENERIC_WRITE;
    return result;
}

} // namespace

CFileHarvel::CFileHarvel(const FileOpenDesc& desc)
    : handle(INVALID_HANDLE_VALUE), name(desc.name), access(desc.access), creation(desc.creation),
      shareMode(desc.shareMode), security(desc.security), attributes(desc.attributes),
      templateFile(desc.templateFile), mode(desc.flags), virtualPos(0), memCur(nullptr),
      memBase(nullptr), memSize(0), externalBuffer(false), restoreReadOnly(FALSE) {}

CFileHarvel::~CFileHarvel() {
    Close();
    ReleaseMemory();
}

void CFileHarvel::ReleaseMemory() {
    delete[] ownedBuffer;
    ownedBuffer = nullptr;
    ownedSize = 0;
    memCur = nullptr;
    memBase = nullptr;
    memSize = 0;
    externalBuffer = false;
}

int CFileHarvel::Open(const FileOpenDesc& desc) {
    FileOpenDesc copy(desc);
    return Open(&copy);
}

int CFileHarvel::Open(FileOpenDesc* desc) {
    if (desc == nullptr) {
        ReportFileError(this, FILE_ERROR_BAD_PARAMETER, __FILE__, __LINE__);
        return 0;
    }
    // Opening again starts from a closed object. A dump buffer of ours that the descriptor
    // hands back is kept, so the caller's pointer stays valid.
    Close();
    unsigned char* kept = ownedBuffer == desc->memBuffer ? ownedBuffer : nullptr;
    DWORD keptSize = ownedSize;
    if (kept)
        ownedBuffer = nullptr;
    ReleaseMemory();
    if (kept) {
        ownedBuffer = kept;
        ownedSize = keptSize;
    }

    // The object follows the descriptor it is opened with (the INI reader opens one object
    // twice with different creation values); an empty name keeps the name already set.
    if (!desc->name.empty())
        name = desc->name;
    access = desc->access;
    creation = desc->creation;
    shareMode = desc->shareMode;
    security = desc->security;
    attributes = desc->attributes;
    templateFile = desc->templateFile;
    mode = desc->flags;
    virtualPos = 0;
    restoreReadOnly = FALSE;

    if (desc->flags & FILE_DUMP) {
        desc->flags |= FILE_DISK;
        // Memory mode starts once the dump is read (flags handed back from an earlier open).
        mode = (mode | FILE_DISK | FILE_DUMP) & ~FILE_MEMORY;
    }
    if ((desc->flags & FILE_DISK) && !OpenDisk(*desc))
        return 0;
    if ((desc->flags & FILE_DUMP) && !DumpToMemory(*desc))
        return 0;
    if (desc->flags & FILE_MEMORY) {
        if (desc->memBuffer == nullptr) {
            ReportFileError(this, FILE_ERROR_BAD_POINTER, __FILE__, __LINE__);
            return 0;
        }
        memCur = desc->memBuffer;
        memBase = desc->memBuffer;
        memSize = desc->memSize;
        if (memBase == ownedBuffer)
            memSize = std::min(memSize, ownedSize);
    } else {
        memCur = nullptr;
    }
    if (desc->flags & FILE_APPEND) {
        DWORD high = 0;
        DWORD size = GetSize(&high);
        LONG seekHigh = static_cast<LONG>(high);
        SetPosition(static_cast<LONG>(size), FILE_POS_BEGIN, &seekHigh);
    }
    return 1;
}

int CFileHarvel::ClearReadOnlyBeforeOpen(const FileOpenDesc& desc) {
    if ((desc.access & FILE_ACCESS_WRITE) && desc.creation == FILE_OPEN_EXISTING) {
        DWORD readOnly = 0;
        if (!FileExists(name) || !FileGetAttribute(name, FILE_ATTR_READONLY, &readOnly) ||
            !FileSetAttributes(name, FILE_ATTR_READONLY, 0)) {
            ReportFileError(this, FILE_ERROR_OPEN, __FILE__, __LINE__);
            return 0;
        }
        // Close gives back only what was taken away.
        restoreReadOnly = readOnly ? TRUE : FALSE;
    } else if (desc.creation == FILE_CREATE_ALWAYS) {
        DWORD readOnly = 0;
        if (!FileGetAttribute(name, FILE_ATTR_READONLY, &readOnly) || !readOnly)
            return 1; // missing or writable: created as any other file
        // The system refuses to replace a read-only file: make it writable and remove it.
        if (!FileSetAttributes(name, FILE_ATTR_READONLY, 0) || !FileDelete(name)) {
            ReportFileError(this, FILE_ERROR_OPEN, __FILE__, __LINE__);
            return 0;
        }
        restoreReadOnly = TRUE;
    }
    return 1;
}

int CFileHarvel::OpenDisk(const FileOpenDesc& desc) {
    if ((desc.flags & FILE_OVERRIDE_READONLY) && !ClearReadOnlyBeforeOpen(desc))
        return 0;
    handle = CreateFileA(name.c_str(), DesiredAccess(access), shareMode, security,
                         Disposition(creation), attributes, templateFile);
    if (handle != INVALID_HANDLE_VALUE)
        return 1;
    ReportFileError(this, FILE_ERROR_OPEN, __FILE__, __LINE__);
    // A file that stayed in place must not stay writable because the open failed.
    if (restoreReadOnly && FileExists(name))
        FileSetAttributes(name, FILE_ATTR_READONLY, 1);
    restoreReadOnly = FALSE;
    return 0;
}

int CFileHarvel::DumpToMemory(FileOpenDesc& desc) {
    DWORD size = desc.memSize;
    if (size == 0) {
        DWORD high = 0;
        size = GetSize(&high);
        if (high != 0 || size == INVALID_SET_FILE_POINTER) {
            // Larger than the 32-bit size the buffer can describe.
            ReportFileError(this, FILE_ERROR_BAD_MEMORY, __FILE__, __LINE__);
            return 0;
        }
    }
    desc.memSize = size;
    if (desc.memBuffer != nullptr && desc.memBuffer == ownedBuffer && size > ownedSize) {
        // Our buffer from an earlier open is too small for the file as it is now.
        ReleaseMemory();
        desc.memBuffer = nullptr;
    }
    if (desc.memBuffer == nullptr) {
        desc.memBuffer = new (std::nothrow) unsigned char[size == 0 ? 1 : size];
        if (desc.memBuffer == nullptr) {
            ReportFileError(this, FILE_ERROR_BAD_MEMORY, __FILE__, __LINE__);
            return 0;
        }
        ownedBuffer = desc.memBuffer;
        ownedSize = size;
        externalBuffer = false;
    } else {
        externalBuffer = desc.memBuffer != ownedBuffer;
    }
    memBase = desc.memBuffer;

    DWORD got = 0;
    if (!Read(memBase, size, &got))
        return 0;
    if (got != size) {
        ReportFileError(this, FILE_ERROR_DUMP, __FILE__, __LINE__);
        return 0;
    }
    Close();
    desc.flags |= FILE_MEMORY;
    mode = (mode & ~FILE_DISK) | FILE_MEMORY;
    return 1;
}

int CFileHarvel::Close() {
    if (!HasDisk())
        return 1;
    BOOL closed = CloseHandle(handle);
    handle = INVALID_HANDLE_VALUE;
    if (!closed) {
        ReportFileError(this, FILE_ERROR_CLOSE, __FILE__, __LINE__);
        return 0;
    }
    if (restoreReadOnly)
        FileSetAttributes(name, FILE_ATTR_READONLY, 1);
    restoreReadOnly = FALSE;
    return 1;
}

int CFileHarvel::ReadMemory(void* dest, DWORD count, DWORD& got) {
    const unsigned char* end = memBase + memSize;
    if (memCur >= end)
        return 0;
    got = static_cast<DWORD>(std::min<size_t>(count, static_cast<size_t>(end - memCur)));
    std::memcpy(dest, memCur, got);
    memCur += got;
    return 1;
}

int CFileHarvel::Read(void* dest, DWORD count, DWORD* got) {
    DWORD localGot = 0;
    DWORD& done = got ? *got : localGot;
    done = 0;
    virtualPos += count;
    if (mode & FILE_MEMORY)
        return memCur ? ReadMemory(dest, count, done) : 0;
    if (HasDisk() && !ReadFile(handle, dest, count, &done, nullptr)) {
        ReportFileError(this, FILE_ERROR_READ, __FILE__, __LINE__);
        return 0;
    }
    return 1;
}

int CFileHarvel::WriteMemory(const void* src, DWORD count, DWORD& written) {
    const unsigned char* end = memBase + memSize;
    size_t room = memCur && memCur < end ? static_cast<size_t>(end - memCur) : 0;
    written = static_cast<DWORD>(std::min<size_t>(count, room));
    if (written > 0) {
        std::memcpy(memCur, src, written);
        memCur += written;
    }
    if (written == count)
        return 1;
    ReportFileError(this, FILE_ERROR_WRITE, __FILE__, __LINE__);
    return 0;
}

int CFileHarvel::Write(const void* src, DWORD count, DWORD* written, bool noFlush) {
    DWORD localWritten = 0;
    DWORD& done = written ? *written : localWritten;
    done = 0;
    virtualPos += count;
    if (mode & FILE_MEMORY)
        return WriteMemory(src, count, done);
    if (!(mode & FILE_DISK)) {
        done = count; // size determination: the bytes are only counted
        return 1;
    }
    if (handle == INVALID_HANDLE_VALUE) {
        // Writing to a file that is not open would lose the bytes without a word.
        SetLastError(ERROR_INVALID_HANDLE);
        ReportFileError(this, FILE_ERROR_WRITE, __FILE__, __LINE__);
        return 0;
    }
    bool ok = WriteFile(handle, src, count, &done, nullptr) != FALSE;
    if (ok && done != count) {
        // Some bytes were lost although the system said nothing: a disk that filled up.
        SetLastError(ERROR_DISK_FULL);
        ok = false;
    }
    if (!ok || (!noFlush && !FlushFileBuffers(handle))) {
        ReportFileError(this, FILE_ERROR_WRITE, __FILE__, __LINE__);
        return 0;
    }
    return 1;
}

DWORD CFileHarvel::GetPosition(LONG* high) {
    if (high)
        *high = 0;
    if (HasMemory())
        return static_cast<DWORD>(memCur - memBase);
    if (!HasDisk())
        return virtualPos;
    return SetFilePointer(handle, 0, high, FILE_CURRENT);
}

void CFileHarvel::SetMemoryPosition(long long position) {
    position = std::max<long long>(0, std::min<long long>(position, memSize));
    memCur = memBase + position;
}

DWORD CFileHarvel::SetPosition(LONG offset, DWORD origin, LONG* high) {
    bool sizeOnly = !(mode & (FILE_DISK | FILE_MEMORY));
    if (origin == FILE_POS_END) {
        if (sizeOnly) {
            virtualPos = 0xFFFFFFFFu;
            ReportFileError(nullptr, FILE_ERROR_SIZE_SEEK_END, __FILE__, __LINE__);
            return virtualPos;
        }
        if (HasMemory())
            SetMemoryPosition(static_cast<long long>(memSize) + offset);
    } else if (origin == FILE_POS_CURRENT) {
        virtualPos += static_cast<DWORD>(offset);
        if (HasMemory())
            SetMemoryPosition(static_cast<long long>(memCur - memBase) + offset);
    } else {
        if (HasMemory())
            SetMemoryPosition(offset);
        virtualPos = static_cast<DWORD>(offset);
    }
    if (!(mode & FILE_DISK))
        return HasMemory() ? static_cast<DWORD>(memCur - memBase) : virtualPos;

    DWORD method;
    switch (origin) {
    case FILE_POS_BEGIN:
        method = FILE_BEGIN;
        break;
    case FILE_POS_CURRENT:
        method = FILE_CURRENT;
        break;
    case FILE_POS_END:
        method = FILE_END;
        break;
    default:
        // Passed on, origin 0 would be taken as FILE_BEGIN and move the file after all.
        SetLastError(ERROR_INVALID_PARAMETER);
        ReportFileError(this, FILE_ERROR_SETPOS, __FILE__, __LINE__);
        return INVALID_SET_FILE_POINTER;
    }
    return SetFilePointer(handle, offset, high, method);
}

DWORD CFileHarvel::GetSize(DWORD* high) {
    LONG posHigh = 0;
    DWORD pos = GetPosition(&posHigh);
    LONG sizeHigh = 0;
    DWORD size = SetPosition(0, FILE_POS_END, &sizeHigh);
    if (high)
        *high = static_cast<DWORD>(sizeHigh);
    SetPosition(static_cast<LONG>(pos), FILE_POS_BEGIN, &posHigh);
    return size;
}
