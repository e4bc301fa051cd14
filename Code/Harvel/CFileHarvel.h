// The file object through which every file content is read and written.
//
// A disk file behind a Win32 handle, a caller's memory buffer, a disk file read whole into
// memory at open time (dump mode), or nothing at all (size-determination mode, where reads
// and writes only count bytes). Every failure shows a "CFileHarvel Error" box at once and
// makes the operation return its failure value.
#pragma once

#include <string>

#include "Harvel/FileOpenDesc.h"

class CFileHarvel {
public:
    // Copies the descriptor; opens nothing.
    explicit CFileHarvel(const FileOpenDesc& desc);
    // Closes the disk file and frees a dump buffer that the object allocated itself.
    virtual ~CFileHarvel();

    // Opens with a copy of `desc`, leaving the caller's descriptor as it was.
    virtual int Open(const FileOpenDesc& desc);
    // The real open: 1 on success, 0 after an error box. The object takes the descriptor's
    // settings (and its name, unless empty); an object may be opened again. In dump mode it
    // writes memBuffer, memSize and flags back into `desc`; a buffer the object allocated
    // lives as long as the object.
    virtual int Open(FileOpenDesc* desc);

    // 1 on success or when no disk file is open; 0 when the system refused to close. The handle
    // is invalid afterwards, so a second Close does nothing.
    int Close();

    // 1 on success, also at the end of the data with a short count in `got`; 0 after error box
    // 3. A memory read is clamped to the buffer; one that starts at or past the end returns 0
    // with a count of 0 and no box. In size-determination mode nothing is read (count 0).
    int Read(void* dest, DWORD count, DWORD* got = nullptr);
    // 1 when every byte was stored (or counted, in size-determination mode); 0 after error box
    // 4, also when the system stored fewer bytes than asked without failing (a full disk). Flushes
    // after each disk write unless `noFlush` is set. A memory write never passes the end of the
    // buffer: it stores what fits, tells that count and fails. Writing to a disk object whose file
    // is not open fails too.
    int Write(const void* src, DWORD count, DWORD* written = nullptr, bool noFlush = false);

    // The position, low 32 bits; the high part goes to `high` when given.
    DWORD GetPosition(LONG* high = nullptr);
    // Moves from the beginning (1), the current position (2) or the end (4) and returns the new
    // position. From the end, the offset is added to the size in every mode, as the system
    // does (-3 is three bytes before the end). A memory position stays inside the buffer.
    // Seeking from the end in size-determination mode shows error 11 and gives 0xFFFFFFFF; so
    // does another origin on a disk file, with error 5 and without moving.
    DWORD SetPosition(LONG offset, DWORD origin, LONG* high = nullptr);
    // Size in bytes; leaves the position where it was.
    DWORD GetSize(DWORD* high = nullptr);

    const std::string& GetName() const { return name; }
    HANDLE GetHandle() const { return handle; }
    DWORD GetMode() const { return mode; }

protected:
    // The path used in error reports and to restore the read-only attribute.
    void SetName(const std::string& newName) { name = newName; }
    // Frees the dump buffer the object allocated and detaches any memory buffer.
    void ReleaseMemory();

    HANDLE handle;
    std::string name;
    DWORD access;
    DWORD creation;
    DWORD shareMode;
    LPSECURITY_ATTRIBUTES security;
    DWORD attributes;
    HANDLE templateFile;
    DWORD mode;
    DWORD virtualPos;
    unsigned char* memCur;
    unsigned char* memBase;
    DWORD memSize;
    bool externalBuffer;
    BOOL restoreReadOnly;

private:
    int OpenDisk(const FileOpenDesc& desc);
    int ClearReadOnlyBeforeOpen(const FileOpenDesc& desc);
    int DumpToMemory(FileOpenDesc& desc);
    int ReadMemory(void* dest, DWORD count, DWORD& got);
    int WriteMemory(const void* src, DWORD count, DWORD& written);
    void SetMemoryPosition(long long position);
    bool HasMemory() const { return (mode & FILE_MEMORY) != 0 && memCur != nullptr; }
    bool HasDisk() const { return (mode & FILE_DISK) != 0 && handle != INVALID_HANDLE_VALUE; }

    // The dump buffer this object allocated (null when none); freed by ReleaseMemory.
    unsigned char* ownedBuffer = nullptr;
    DWORD ownedSize = 0;

    CFileHarvel(const CFileHarvel&) = delete;
    CFileHarvel& operator=(const CFileHarvel&) = delete;
};

// Codes of the error table, in table order.
enum FileError : int {
    FILE_ERROR_OPEN = 0,
    FILE_ERROR_READWRITE = 1,
    FILE_ERROR_CLOSE = 2,
    FILE_ERROR_READ = 3,
    FILE_ERROR_WRITE = 4,
    FILE_ERROR_SETPOS = 5,
    FILE_ERROR_GETPOS = 6,
    FILE_ERROR_DELETE = 7,
    FILE_ERROR_COPY = 8,
    FILE_ERROR_MOVE = 9,
    FILE_ERROR_FIND = 10,
    FILE_ERROR_SIZE_SEEK_END = 11,
    FILE_ERROR_BAD_POINTER = 12,
    FILE_ERROR_BAD_MEMORY = 13,
    FILE_ERROR_BAD_PARAMETER = 14,
    FILE_ERROR_DUMP = 15,
    FILE_ERROR_NONE = 16,
    FILE_ERROR_COUNT = 17,
};

// The French text of a file error code (0 to 16); the empty text for any other code.
const std::string& FileErrorText(int code);

// Shows the "CFileHarvel Error" box for error `code`: the file's name and the table text (or
// the table text alone when `file` is null), the system's text for GetLastError(), and the
// source position "voir: file(line)" when `sourceFile` is not empty.
void ReportFileError(const CFileHarvel* file, int code, const std::string& sourceFile, int line);
