// The open descriptor of a file object: what to open and how.
#pragma once

#include <string>

#include "Platform/Win32.h"

// Mode bits (FileOpenDesc::flags, CFileHarvel::mode). Neither FILE_DISK nor FILE_MEMORY means
// size-determination mode: reads and writes only count bytes.
enum : DWORD {
    FILE_DISK = 1,
    FILE_MEMORY = 2,
    FILE_DUMP = 4,              // read the whole disk file into memory at open, then memory mode
    FILE_OVERRIDE_READONLY = 8, // writing clears the read-only attribute; Close sets it again
    FILE_APPEND = 16,           // position at the end after opening
};

// FileOpenDesc::access bits.
enum : DWORD {
    FILE_ACCESS_READ = 8,
    FILE_ACCESS_WRITE = 16,
};

// FileOpenDesc::creation values.
enum : DWORD {
    FILE_OPEN_EXISTING = 1,
    FILE_CREATE_ALWAYS = 2,
    FILE_TRUNCATE_EXISTING = 4,
};

// Origins of CFileHarvel::SetPosition.
enum : DWORD {
    FILE_POS_BEGIN = 1,
    FILE_POS_CURRENT = 2,
    FILE_POS_END = 4,
};

struct FileOpenDesc {
    DWORD flags = FILE_DISK;
    std::string name;
    DWORD access = FILE_ACCESS_READ;
    DWORD creation = FILE_OPEN_EXISTING;
    DWORD shareMode = 3;
    LPSECURITY_ATTRIBUTES security = nullptr;
    DWORD attributes = 128; // FILE_ATTRIBUTE_NORMAL
    HANDLE templateFile = nullptr;
    // Dump and memory mode: the buffer and its size. In dump mode Open allocates the buffer
    // when it is null (the file object then owns it) and stores the size used back here.
    unsigned char* memBuffer = nullptr;
    DWORD memSize = 0;

    FileOpenDesc() = default;
    FileOpenDesc(const std::string& name, DWORD access, DWORD flags, DWORD creation)
        : flags(flags), name(name), access(access), creation(creation) {}
};
