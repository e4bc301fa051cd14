// The program's own texts (the localization file's labels) are Windows-1252 bytes whatever the
// player's code page; Windows gets them as UTF-16, so that no code page decodes them again.
#pragma once

#include <string>

// Every byte of `text` as one UTF-16 unit: ASCII and 0xA0 to 0xFF as themselves, 0x80 to 0x9F
// as Windows-1252 gives them (0x80 the euro sign, 0x92 the right quote...). The five bytes the
// code page leaves undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) become the control characters of
// the same number, as Windows' own conversion makes them, so nothing is lost. The system's
// conversion does it (natively, the platform layer's).
std::wstring WidenWindows1252(const std::string& text);
