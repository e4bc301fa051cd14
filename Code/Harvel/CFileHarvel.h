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
    // The real open: 1 on success, 0 after an error box. In dump mode it writes memBuffer,
    // memSize and flags back into `desc`.
    virtual int Open(FileOpenDesc* desc);

    // 1 on success or when no disk file is open; 0 when the system refused to close. The handle
    // is invalid afterwards, so a second Close does nothing.
    int Close();

    // Memory reads and writes are clamped to the buffer; `got`/`written` tell the short count.
    // A memory read that starts at or past the end returns 0 with a count of 0 and no box.
    int Read(void* dest, DWORD count, DWORD* got = nullptr);
    // Flushes after each disk write unless `noFlush` is set.
    int Write(const void* src, DWORD count, DWORD* written = nullptr, bool noFlush = false);

    DWORD GetPosition(LONG* high = nullptr);
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
    CFileHarvel(const CFileHarvel&) = delete;
    CFileHarvel& operator=(const CFileHarvel&) = delete;
};

// The French text of a file error code (0 to 16); the empty text for any other code.
const std::string& FileErrorText(int code);

// Shows the "CFileHarvel Error" box for error `code`: the file's name and the table text (or
// the table text alone when `file` is null), the system's text for GetLastError(), and the
// source position "voir: file(line)" when `sourceFile` is not empty.
void ReportFileError(const CFileHarvel* file, int code, const std::string& sourceFile, int line);
