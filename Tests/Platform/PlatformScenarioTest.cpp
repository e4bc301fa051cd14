// The file calls of the POSIX layer against scenarios written from Windows' behaviour: each
// line of scenarios.txt is one call and, after "->", what it must give (its syntax is there).
#include <errno.h>
#include <sys/stat.h>

#include <algorithm>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>

#include "PlatformTestSupport.h"
#include "TempDir.h"

using namespace PlatformTest;

namespace {

// "\r", "\n", "\t" and "\\" in scenario text, and back.
std::string Unescape(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char c = text[++i];
        out += c == 'r' ? '\r' : c == 'n' ? '\n' : c == 't' ? '\t' : c;
    }
    return out;
}

std::string Escape(const std::string& text) {
    std::string out;
    for (char c : text)
        out += c == '\r' ? "\\r" : c == '\n' ? "\\n" : std::string(1, c);
    return out;
}

std::string Hex(DWORD value) {
    std::ostringstream out;
    out << std::hex << value;
    return out.str();
}

// Runs the calls of one scenario in its own temporary folder.
class Scenario {
public:
    ~Scenario() {
        for (auto& slot : slots)
            CloseHandle(slot.second) || FindClose(slot.second);
        Platform::ClearFaults();
    }

    std::string Run(const std::string& line) {
        std::istringstream in(line);
        std::string op, a, b, c;
        in >> op >> a;
        std::string rest;
        std::getline(in >> std::ws, rest);
        std::istringstream more(rest);
        more >> b >> c;
        auto n = [](const std::string& text) {
            return static_cast<DWORD>(stoul(text, nullptr, 0));
        };
        auto result = [](bool ok) {
            return ok ? std::string("ok") : "E" + std::to_string(GetLastError());
        };
        if (op == "file")
            return TempDir::WriteFile(a, Unescape(rest)), "";
        if (op == "dir")
            return TempDir::MakeDir(a), "";
        if (op == "ro")
            return TempDir::SetReadOnly(a, rest == "1"), "";
        if (op == "chmod")
            return std::to_string(chmod(a.c_str(), n(rest)));
        if (op == "mode")
            return Hex(WriteBits(a.c_str()));
        if (op == "content")
            return TempDir::Exists(a) ? Escape(TempDir::ReadFile(a)) : "<none>";
        if (op == "ls") {
            std::string names;
            for (const std::string& name : Listing(a))
                names += (names.empty() ? "" : " ") + name;
            return names;
        }
        if (op == "open" || op == "try") {
            // open <slot> <name> <access> <disposition> [share] [attributes]
            std::string slot = op == "open" ? a : "", name = op == "open" ? b : a;
            std::istringstream args(op == "open" ? rest.substr(rest.find(b) + b.size()) : rest);
            std::string access, disposition, share = "3", attributes = "0x80";
            args >> access >> disposition >> share >> attributes;
            const DWORD rights = (access.find('r') != std::string::npos ? GENERIC_READ : 0) |
                                 (access.find('w') != std::string::npos ? GENERIC_WRITE : 0);
            SetLastError(0);
            HANDLE file = CreateFileA(name.c_str(), rights, n(share), nullptr, n(disposition),
                                      n(attributes), nullptr);
            if (file == INVALID_HANDLE_VALUE)
                return result(false);
            const DWORD error = GetLastError();
            if (slot.empty())
                CloseHandle(file);
            else
                slots[slot] = file;
            return "ok " + std::to_string(error);
        }
        if (op == "err")
            return std::to_string(GetLastError());
        if (op == "close")
            return result(CloseHandle(Slot(a)));
        if (op == "findclose")
            return result(FindClose(Slot(a)));
        if (op == "read") {
            std::string bytes(n(b), '\0');
            DWORD got = 77;
            const bool ok = ReadFile(Slot(a), &bytes[0], n(b), &got, nullptr);
            return result(ok) + (got ? " " + Escape(bytes.substr(0, got)) : "");
        }
        if (op == "write") {
            const std::string bytes = Unescape(rest);
            DWORD done = 77;
            const bool ok =
                WriteFile(Slot(a), bytes.data(), static_cast<DWORD>(bytes.size()), &done, nullptr);
            return result(ok) + " " + std::to_string(done);
        }
        if (op == "flush")
            return result(FlushFileBuffers(Slot(a)));
        if (op == "seek") {
            // seek <slot> <distance> <method> [high]
            std::string high;
            more >> high;
            LONG highPart = high.empty() ? 0 : static_cast<LONG>(stol(high, nullptr, 0));
            SetLastError(12345);
            const DWORD low = SetFilePointer(Slot(a), static_cast<LONG>(stol(b, nullptr, 0)),
                                             high.empty() ? nullptr : &highPart, n(c));
            std::string out = Hex(low) + (high.empty() ? "" : " " + std::to_string(highPart));
            return low == INVALID_SET_FILE_POINTER ? out + " " + std::to_string(GetLastError())
                                                   : out;
        }
        if (op == "attr") {
            const DWORD attributes = GetFileAttributesA(a.c_str());
            return attributes == INVALID_FILE_ATTRIBUTES ? result(false) : Hex(attributes);
        }
        if (op == "setattr")
            return result(SetFileAttributesA(a.c_str(), n(rest)));
        if (op == "del")
            return result(DeleteFileA(a.c_str()));
        if (op == "move")
            return result(MoveFileExA(a.c_str(), b.c_str(), n(c)));
        if (op == "find") {
            WIN32_FIND_DATAA data;
            HANDLE search = FindFirstFileA(b.c_str(), &data);
            if (search == INVALID_HANDLE_VALUE)
                return result(false);
            slots[a] = search;
            return std::string(data.cFileName) + " " + Hex(data.dwFileAttributes) + " " +
                   std::to_string(data.nFileSizeLow);
        }
        if (op == "chmodrt") {
            const int got = _chmod(a.c_str(), static_cast<int>(n(rest)));
            return got == 0 ? "0" : std::to_string(got) + " " + std::to_string(errno);
        }
        if (op == "fault") {
            if (a == "write")
                Platform::SetWriteFault(stoll(b), n(c));
            else if (a == "flush")
                Platform::SetFlushFault(n(b));
            else if (a == "move")
                Platform::SetMoveFault(n(b), c.empty() ? -1 : stoi(c));
            else
                Platform::ClearFaults();
            return "";
        }
        if (op == "text")
            return Escape(SystemText(n(a)));
        return "unknown call " + op;
    }

private:
    HANDLE Slot(const std::string& name) {
        static int stray = 0;
        if (name == "invalid")
            return INVALID_HANDLE_VALUE;
        if (name == "null")
            return nullptr;
        if (name == "stray")
            return &stray;
        return slots.count(name) ? slots[name] : nullptr;
    }

    TempDir dir;
    std::map<std::string, HANDLE> slots;
};

} // namespace

TEST(Platform, FileCallsFollowEveryScenario) {
    std::ifstream file(PLATFORM_SCENARIOS);
    ASSERT_TRUE(file.is_open()) << PLATFORM_SCENARIOS;
    std::unique_ptr<Scenario> scenario;
    std::string line, title;
    int count = 0;
    for (int number = 1; std::getline(file, line); ++number) {
        if (line.rfind("== ", 0) == 0) {
            scenario.reset(); // the folder of one scenario is gone before the next begins
            scenario = std::make_unique<Scenario>();
            title = line.substr(3);
            ++count;
            continue;
        }
        if (line.empty() || line[0] == '#' || !scenario)
            continue;
        const size_t arrow = line.find(" ->");
        const std::string call = line.substr(0, arrow);
        const std::string got = scenario->Run(call);
        const std::string expected =
            arrow == std::string::npos ? "" : line.substr(std::min(line.size(), arrow + 4));
        EXPECT_EQ(got, expected) << "line " << number << " of " << title << ": " << call;
    }
    EXPECT_GE(count, 10);
}
