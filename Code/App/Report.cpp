#include "App/Report.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <vector>

#include "Platform/Win32.h"

namespace {

// MB_OK | MB_ICONEXCLAMATION | MB_SYSTEMMODAL.
const UINT kBoxStyle = 4144;

std::string Expand(const char* format, va_list args) {
    // Room for the format plus 1024 characters of arguments, more than any report needs; a
    // longer expansion (a pathological path or file text) is cut rather than refused.
    std::vector<char> buffer(std::strlen(format) + 1024 + 1, '\0');
    int written = std::vsnprintf(buffer.data(), buffer.size(), format, args);
    if (written < 0)
        buffer[0] = '\0';
    return std::string(buffer.data());
}

} // namespace

void ShowMessage(const std::string& text, const std::string& caption) {
    MessageBoxA(nullptr, text.c_str(), caption.c_str(), kBoxStyle);
}

void ReportWarning(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string message = Expand(format, args);
    va_end(args);
    ShowMessage(message, "WARNING");
}

void ReportError(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string message = Expand(format, args);
    va_end(args);
    ShowMessage(message, "ERROR");
    _exit(-1);
}
