#include "Cli/ConsoleText.h"

#include <vector>

#include "Cli/Console.h"
#include "Platform/Win32.h"

namespace {

// The code point of a Windows-1252 byte that the code page leaves undefined: Windows maps
// those five bytes to the C1 controls of the same number, which no text of ours means.
bool IsUndefined1252(unsigned from, unsigned long code) {
    return from == kFileCodePage && code >= 0x80 && code < 0xA0;
}

std::vector<WCHAR> Wide(const std::string& bytes, unsigned from, bool& lossless) {
    const int size = static_cast<int>(bytes.size());
    int length = MultiByteToWideChar(from, MB_ERR_INVALID_CHARS, bytes.data(), size, nullptr, 0);
    DWORD flags = MB_ERR_INVALID_CHARS;
    if (length == 0) {
        lossless = false;
        flags = 0;
        length = MultiByteToWideChar(from, flags, bytes.data(), size, nullptr, 0);
    }
    std::vector<WCHAR> wide(length > 0 ? length : 0);
    if (length > 0 &&
        MultiByteToWideChar(from, flags, bytes.data(), size, wide.data(), length) != length) {
        wide.clear();
        lossless = false;
    }
    return wide;
}

} // namespace

ConsoleCodePages ProcessCodePages() {
    const UINT shown = GetConsoleOutputCP();
    return {GetACP(), shown != 0 ? shown : GetACP()};
}

std::string Recode(const std::string& bytes, unsigned from, unsigned to, bool* lossless) {
    bool whole = true;
    if (from == CP_ACP)
        from = GetACP();
    if (to == CP_ACP)
        to = GetACP();
    std::string out;
    if (!bytes.empty()) {
        std::vector<WCHAR> wide = Wide(bytes, from, whole);
        for (WCHAR& code : wide) {
            if (IsUndefined1252(from, static_cast<unsigned long>(code))) {
                code = 0xFFFD;
                whole = false;
            }
        }
        const int size = static_cast<int>(wide.size());
        // UTF-8 takes every character and refuses the replacement arguments.
        const bool utf8 = to == CP_UTF8;
        BOOL replaced = FALSE;
        const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
        const int length =
            size == 0 ? 0
                      : WideCharToMultiByte(to, flags, wide.data(), size, nullptr, 0,
                                            utf8 ? nullptr : "?", utf8 ? nullptr : &replaced);
        out.resize(length > 0 ? length : 0);
        if (length > 0)
            WideCharToMultiByte(to, flags, wide.data(), size, &out[0], length, utf8 ? nullptr : "?",
                                utf8 ? nullptr : &replaced);
        whole = whole && replaced == FALSE && (length > 0 || size == 0);
    }
    if (lossless != nullptr)
        *lossless = whole;
    return out;
}

std::string Console::Shown(const std::string& text) const {
    return shownCodePage == kFileCodePage ? text : Recode(text, kFileCodePage, shownCodePage);
}

TextCharacter FirstUnheldCharacter(const std::string& bytes, unsigned from, unsigned to) {
    const std::string text = Recode(bytes, from, kUtf8CodePage);
    for (size_t at = 0; at < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[at]);
        // Recode's UTF-8 is well formed: the lead byte gives the length.
        const size_t length = lead < 0xC0 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        TextCharacter character{text.substr(at, length),
                                lead & (length == 1 ? 0x7Fu : 0x7Fu >> length)};
        for (size_t i = 1; i < character.utf8.size(); ++i)
            character.code = character.code << 6 | (character.utf8[i] & 0x3F);
        bool held = true;
        Recode(character.utf8, kUtf8CodePage, to, &held);
        if (!held)
            return character;
        at += length;
    }
    return TextCharacter();
}
