#include "Cli/ConsoleStreams.h"

#include <windows.h>

#include <algorithm>
#include <streambuf>
#include <string>
#include <vector>

#include "Cli/ConsoleText.h"

namespace {

bool IsConsole(HANDLE handle) {
    DWORD mode = 0;
    return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode);
}

// What a pipe or a file is given: what a shell capturing the output decodes it with.
UINT RedirectedCodePage() {
    const UINT page = GetConsoleOutputCP();
    return page != 0 ? page : GetACP();
}

// Files and pipes get Windows line ends, as the runtime's text mode has always written them.
std::string WindowsLines(const std::string& text) {
    std::string lines;
    for (char c : text) {
        if (c == '\n')
            lines += '\r';
        lines += c;
    }
    return lines;
}

// A standard handle as a stream buffer for text in code page `from`. Text is held until a line
// ends or the stream is flushed, so that no character is ever split between two writes.
class HandleOutput : public std::streambuf {
public:
    HandleOutput(DWORD which, UINT from)
        : handle(GetStdHandle(which)), console(IsConsole(handle)), from(from),
          to(RedirectedCodePage()) {}
    ~HandleOutput() override { WritePending(); }

protected:
    int_type overflow(int_type c) override {
        if (traits_type::eq_int_type(c, traits_type::eof()))
            return traits_type::not_eof(c);
        pending += traits_type::to_char_type(c);
        if (c == '\n')
            WritePending();
        return c;
    }
    std::streamsize xsputn(const char* text, std::streamsize size) override {
        pending.append(text, static_cast<size_t>(size));
        if (std::find(text, text + size, '\n') != text + size)
            WritePending();
        return size;
    }
    int sync() override {
        WritePending();
        return 0;
    }

private:
    HANDLE handle;
    bool console;
    UINT from, to;
    std::string pending;

    void WritePending();
    void WriteWide(const std::vector<WCHAR>& wide);
    void WriteBytes(const std::string& bytes);
};

void HandleOutput::WritePending() {
    if (pending.empty())
        return;
    if (console) {
        const int size = static_cast<int>(pending.size());
        std::vector<WCHAR> wide(MultiByteToWideChar(from, 0, pending.data(), size, nullptr, 0));
        if (!wide.empty())
            MultiByteToWideChar(from, 0, pending.data(), size, wide.data(),
                                static_cast<int>(wide.size()));
        WriteWide(wide);
    } else {
        WriteBytes(WindowsLines(from == to ? pending : Recode(pending, from, to)));
    }
    pending.clear();
}

// A console write may take fewer characters than given; a pair of surrogates stays whole.
void HandleOutput::WriteWide(const std::vector<WCHAR>& wide) {
    for (size_t at = 0; at < wide.size();) {
        size_t chunk = std::min<size_t>(wide.size() - at, 4096);
        if (at + chunk < wide.size() && chunk > 1 && IS_HIGH_SURROGATE(wide[at + chunk - 1]))
            --chunk;
        DWORD written = 0;
        if (!WriteConsoleW(handle, &wide[at], static_cast<DWORD>(chunk), &written, nullptr) ||
            written == 0)
            return;
        at += written;
    }
}

void HandleOutput::WriteBytes(const std::string& bytes) {
    for (size_t at = 0; at < bytes.size();) {
        DWORD written = 0;
        if (!WriteFile(handle, &bytes[at], static_cast<DWORD>(bytes.size() - at), &written,
                       nullptr) ||
            written == 0)
            return;
        at += written;
    }
}

} // namespace

ProcessConsole& TheProcessConsole() {
    static const UINT shown =
        IsConsole(GetStdHandle(STD_OUTPUT_HANDLE)) ? CP_UTF8 : RedirectedCodePage();
    static HandleOutput outBuffer(STD_OUTPUT_HANDLE, shown), errBuffer(STD_ERROR_HANDLE, shown);
    static std::ostream out(&outBuffer), err(&errBuffer);
    static ProcessConsole console{out, err, shown};
    return console;
}
