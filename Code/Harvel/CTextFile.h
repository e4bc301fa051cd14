// A file object that reads characters and lines and writes strings.
#pragma once

#include <string>

#include "Harvel/CFileHarvel.h"

class CTextFile : public CFileHarvel {
public:
    explicit CTextFile(const FileOpenDesc& desc) : CFileHarvel(desc) {}
    ~CTextFile() override;

    // One byte as a one-character string (a NUL byte gives the empty string); false at the
    // end of the data or on a read failure.
    bool ReadChar(std::string& out);

    // One line; CR, LF and NUL end it, and a CR LF or LF CR pair is one line end. The line end
    // is kept when `keepEol` is set. False only when not even one byte could be read.
    bool ReadLine(std::string& out, bool keepEol);

    // True when all bytes of `text` were written.
    bool WriteString(const std::string& text, bool noFlush);

    // A new text file opened with `desc` (which sees what Open stores back), or null after
    // the open failed and showed its box. The caller owns the result.
    static CTextFile* CreateAndOpen(FileOpenDesc* desc);

private:
    // One raw byte; false at the end of the data or on a read failure.
    bool ReadByte(unsigned char& byte);
    void StepBack() { SetPosition(-1, FILE_POS_CURRENT); }
};
