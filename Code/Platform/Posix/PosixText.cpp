// KERNEL32's code pages over the locale: Windows-1252 and UTF-8.
#include <ctype.h>
#include <langinfo.h>
#include <locale.h>
#include <stdlib.h>
#include <string.h>
#include <wchar.h>
#include <wctype.h>

#include <string>

#include "Platform/Win32.h"

namespace {

const UINT kWindows1252 = 1252;

// Windows-1252 bytes 80 to 9F. The five bytes the code page leaves undefined map to the C1
// control of the same number, as Windows maps them.
const WCHAR kHigh1252[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                             0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                             0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                             0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The locale's name as the environment gives it: LC_ALL, else LC_CTYPE, else LANG.
std::string LocaleName() {
    for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* value = getenv(variable);
        if (value != nullptr && *value != '\0')
            return value;
    }
    return "C";
}

// UTF-8 when the environment's locale has that character set, or names it: a terminal set up
// for a locale that this system (or a statically linked program) cannot load is still UTF-8.
UINT LocaleCodePage() {
    std::string name = LocaleName();
    for (char& c : name)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    bool utf8 = name.find("utf-8") != std::string::npos || name.find("utf8") != std::string::npos;
    // The locale itself, read without changing the process's own.
    locale_t locale = newlocale(LC_CTYPE_MASK, "", static_cast<locale_t>(0));
    if (locale != static_cast<locale_t>(0)) {
        utf8 = utf8 || strcmp(nl_langinfo_l(CODESET, locale), "UTF-8") == 0;
        freelocale(locale);
    }
    return utf8 ? CP_UTF8 : kWindows1252;
}

UINT Resolved(UINT codePage) {
    return codePage == CP_ACP ? GetACP() : codePage;
}

// One UTF-8 sequence at text[i]; false for a malformed one (overlong, surrogate, beyond
// U+10FFFF, cut short), of which one byte is then taken.
bool DecodeUtf8(const unsigned char* text, size_t size, size_t& i, WCHAR& code) {
    const unsigned char lead = text[i];
    const int extra = lead < 0x80 ? 0 : lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : -1;
    const unsigned long lowest[] = {0, 0x80, 0x800, 0x10000};
    if (extra < 0 || lead > 0xF4 || i + extra >= size) {
        ++i;
        return false;
    }
    unsigned long value = extra == 0 ? lead : lead & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) {
        if ((text[i + k] & 0xC0) != 0x80) {
            ++i;
            return false;
        }
        value = value << 6 | (text[i + k] & 0x3F);
    }
    if (value < lowest[extra] || value > 0x10FFFF || (value >= 0xD800 && value <= 0xDFFF)) {
        ++i;
        return false;
    }
    i += extra + 1;
    code = static_cast<WCHAR>(value);
    return true;
}

void EncodeUtf8(unsigned long code, std::string& out) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// The Windows-1252 byte of `code`, or false.
bool Encode1252(WCHAR code, char& byte) {
    if (code < 0x80 || (code >= 0xA0 && code <= 0xFF)) {
        byte = static_cast<char>(code);
        return true;
    }
    for (int i = 0; i < 32; ++i)
        if (kHigh1252[i] == code) {
            byte = static_cast<char>(0x80 + i);
            return true;
        }
    return false;
}

// Copies `result` out as the calls do: its length when `capacity` is 0, else the count copied,
// or 0 with ERROR_INSUFFICIENT_BUFFER when it does not fit.
template <typename Char>
int CopyOut(const std::basic_string<Char>& result, Char* out, int capacity) {
    if (capacity == 0)
        return static_cast<int>(result.size());
    if (static_cast<size_t>(capacity) < result.size()) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    result.copy(out, result.size());
    return static_cast<int>(result.size());
}

} // namespace

UINT GetACP(void) {
    return LocaleCodePage();
}

UINT GetConsoleCP(void) {
    return LocaleCodePage();
}

UINT GetConsoleOutputCP(void) {
    return LocaleCodePage();
}

int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR text, int length, LPWSTR wide,
                        int wideLength) {
    codePage = Resolved(codePage);
    if (text == nullptr || length == 0 || wideLength < 0 ||
        (codePage != kWindows1252 && codePage != CP_UTF8)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const size_t size = length < 0 ? strlen(text) + 1 : static_cast<size_t>(length);
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(text);
    std::wstring result;
    for (size_t i = 0; i < size;) {
        WCHAR code = bytes[i];
        if (codePage == kWindows1252) {
            if (code >= 0x80 && code < 0xA0)
                code = kHigh1252[code - 0x80];
            ++i;
        } else if (!DecodeUtf8(bytes, size, i, code)) {
            if (flags & MB_ERR_INVALID_CHARS) {
                SetLastError(ERROR_NO_UNICODE_TRANSLATION);
                return 0;
            }
            code = 0xFFFD;
        }
        result += code;
    }
    return CopyOut(result, wide, wideLength);
}

int WideCharToMultiByte(UINT codePage, DWORD, LPCWSTR wide, int wideLength, LPSTR text, int length,
                        LPCSTR defaultChar, BOOL* usedDefaultChar) {
    codePage = Resolved(codePage);
    if (wide == nullptr || wideLength == 0 || length < 0 ||
        (codePage != kWindows1252 && codePage != CP_UTF8)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const size_t size = wideLength < 0 ? wcslen(wide) + 1 : static_cast<size_t>(wideLength);
    std::string result;
    bool replaced = false;
    for (size_t i = 0; i < size; ++i) {
        char byte = 0;
        if (codePage == CP_UTF8) {
            EncodeUtf8(static_cast<unsigned long>(wide[i]) > 0x10FFFF ? 0xFFFD : wide[i], result);
        } else if (Encode1252(wide[i], byte)) {
            result += byte;
        } else {
            // Windows' wide characters are UTF-16: a character beyond U+FFFF is two of them,
            // each replaced.
            result.append(static_cast<unsigned long>(wide[i]) > 0xFFFF ? 2 : 1,
                          defaultChar != nullptr ? *defaultChar : '?');
            replaced = true;
        }
    }
    if (usedDefaultChar != nullptr)
        *usedDefaultChar = replaced ? TRUE : FALSE;
    return CopyOut(result, text, length);
}

DWORD CharUpperBuffW(LPWSTR text, DWORD length) {
    for (DWORD i = 0; i < length; ++i)
        text[i] = static_cast<WCHAR>(towupper(static_cast<wint_t>(text[i])));
    return length;
}
