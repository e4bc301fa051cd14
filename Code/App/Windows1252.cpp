#include "App/Windows1252.h"

#include <algorithm>

#include "Platform/Win32.h"

std::wstring WidenWindows1252(const std::string& text) {
    // A single-byte code page: one unit a byte. Each byte starts as its Latin-1 self, so a
    // failed conversion still leaves every letter outside 0x80 to 0x9F right.
    std::wstring wide(text.size(), L'\0');
    std::transform(text.begin(), text.end(), wide.begin(),
                   [](char byte) { return static_cast<unsigned char>(byte); });
    const size_t kPiece = 1 << 20; // the call counts in int
    for (size_t at = 0; at < text.size(); at += kPiece) {
        const int count = static_cast<int>(std::min(kPiece, text.size() - at));
        MultiByteToWideChar(1252, 0, text.data() + at, count, &wide[at], count);
    }
    return wide;
}
