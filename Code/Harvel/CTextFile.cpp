#include "Harvel/CTextFile.h"

namespace {

const unsigned char kCR = '\r';
const unsigned char kLF = '\n';

bool IsLineEnd(unsigned char byte) {
    return byte == kCR || byte == kLF || byte == 0;
}

} // namespace

CTextFile::~CTextFile() {}

bool CTextFile::ReadByte(unsigned char& byte) {
    DWORD got = 0;
    return Read(&byte, 1, &got) == 1 && got == 1;
}

bool CTextFile::ReadChar(std::string& out) {
    unsigned char byte = 0;
    if (!ReadByte(byte))
        return false;
    if (byte == 0)
        out.clear();
    else
        out.assign(1, static_cast<char>(byte));
    return true;
}

bool CTextFile::ReadLine(std::string& out, bool keepEol) {
    out.clear();
    unsigned char byte = 0;
    if (!ReadByte(byte))
        return false;
    while (!IsLineEnd(byte)) {
        out += static_cast<char>(byte);
        if (!ReadByte(byte))
            return true; // a last line without a line end
    }
    const unsigned char end = byte;
    if (keepEol)
        out += static_cast<char>(end);

    unsigned char next = 0;
    if (!ReadByte(next))
        return true;
    if (next != kCR && next != kLF) {
        StepBack();
        return true;
    }
    if (next != end) {
        // CR LF or LF CR: one line end.
        if (keepEol)
            out += static_cast<char>(next);
        return true;
    }
    // The same line end twice: the second one ends an empty line of its own.
    StepBack();
    return true;
}

bool CTextFile::WriteString(const std::string& text, bool noFlush) {
    DWORD written = 0;
    DWORD size = static_cast<DWORD>(text.size());
    return Write(text.data(), size, &written, noFlush) == 1 && written == size;
}

CTextFile* CTextFile::CreateAndOpen(FileOpenDesc* desc) {
    if (desc == nullptr)
        return nullptr;
    unsigned char* callerBuffer = desc->memBuffer;
    CTextFile* file = new CTextFile(*desc);
    if (file->Open(desc))
        return file;
    delete file;
    // A dump buffer that Open allocated died with the object: do not hand it back.
    if (callerBuffer == nullptr)
        desc->memBuffer = nullptr;
    return nullptr;
}
