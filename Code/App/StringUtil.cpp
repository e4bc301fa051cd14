#include "App/StringUtil.h"

#include <cstdarg>
#include <cstdio>
#include <cstring>

namespace {

const size_t kFormatTextBuffer = 8192;

std::string ExpandInto(std::vector<char>& buffer, const char* format, va_list args) {
    int written = std::vsnprintf(buffer.data(), buffer.size(), format, args);
    if (written < 0)
        buffer[0] = '\0';
    return std::string(buffer.data());
}

} // namespace

void StringFormat(std::string& out, const char* format, ...) {
    std::vector<char> buffer(std::strlen(format) + 1024 + 1, '\0');
    va_list args;
    va_start(args, format);
    out = ExpandInto(buffer, format, args);
    va_end(args);
}

std::string FormatText(const char* format, ...) {
    std::vector<char> buffer(kFormatTextBuffer, '\0');
    va_list args;
    va_start(args, format);
    std::string text = ExpandInto(buffer, format, args);
    va_end(args);
    return text;
}

std::string Left(const std::string& text, size_t count) {
    return text.substr(0, count);
}

std::string Right(const std::string& text, size_t count) {
    if (count >= text.size())
        return text;
    return text.substr(text.size() - count);
}

void SplitList(const std::string& text, std::vector<std::string>& items) {
    items.clear();
    std::string rest;
    rest.reserve(text.size());
    for (char c : text) {
        if (c != ' ' && c != '\t')
            rest += c;
    }
    size_t start = 0;
    for (size_t comma = rest.find(','); comma != std::string::npos; comma = rest.find(',', start)) {
        items.push_back(rest.substr(start, comma - start));
        start = comma + 1;
    }
    if (start < rest.size())
        items.push_back(rest.substr(start));
}

void JoinList(const std::vector<std::string>& items, std::string& out) {
    for (size_t i = 0; i < items.size(); ++i) {
        if (i > 0)
            out += " , ";
        out += items[i];
    }
}
