// The file calls of the POSIX layer against scenarios written from Windows' behaviour: each
// line of scenarios.txt is one call and, after "->", what it must give (its syntax is there).
#include <errno.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <vector>

#include "Platform/Posix/PosixErrors.h"

#include <gtest/gtest.h>

#include "BoxCapture.h"
#include "Platform/Posix/PosixHooks.h"
#include "TempDir.h"

namespace {

std::string Escape(const std::string& text) {
    std::string out;
    for (char c : text)
        out += c == '\r' ? "\\r" : c == '\n' ? "\\n" : c == '\0' ? "\\0" : std::string(1, c);
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
        std::vector<std::string> t;
        for (std::string word; in >> word;)
            t.push_back(word);
        t.resize(std::max<size_t>(t.size(), 7));
        const std::string rest = line.size() > t[0].size() + t[1].size() + 2
                                     ? line.substr(t[0].size() + t[1].size() + 2)
                                     : "";
        auto n = [](const std::string& text) { return DWORD(stoul(text, nullptr, 0)); };
        auto result = [](bool ok) { return ok ? "ok" : "E" + std::to_string(GetLastError()); };
        const std::string& op = t[0];
        if (op == "file")
            return TempDir::WriteFile(t[1], Unescape(rest)), "";
        if (op == "dir")
            return TempDir::MakeDir(t[1]), "";
        if (op == "record") // a raw attributes record, as another program may leave one
            return setxattr(t[1].c_str(), "user.velmark.attributes", t[2].data(), t[2].size(), 0)
                       ? "E" + std::to_string(errno)
                       : "";
        if (op == "ro")
            return TempDir::SetReadOnly(t[1], t[2] == "1"), "";
        if (op == "content")
            return TempDir::Exists(t[1]) ? Escape(TempDir::ReadFile(t[1])) : "<none>";
        if (op == "ls") {
            std::set<std::string> names;
            std::error_code none; // a folder that is not there lists nothing
            for (const auto& entry : std::filesystem::directory_iterator(t[1], none))
                names.insert(entry.path().filename().string());
            std::string out;
            for (const std::string& name : names)
                out += (out.empty() ? "" : " ") + name;
            return out;
        }
        if (op == "open" || op == "try") {
            // open <slot> <name> <access> <disposition> [share] [attributes]; try without slot
            const size_t at = op == "open" ? 2 : 1;
            const std::string& access = t[at + 1];
            const DWORD rights = (access.find('r') != std::string::npos ? GENERIC_READ : 0) |
                                 (access.find('w') != std::string::npos ? GENERIC_WRITE : 0) |
                                 (access.find('d') != std::string::npos ? DELETE : 0);
            SetLastError(0);
            HANDLE file =
                CreateFileA(t[at].c_str(), rights, t[at + 3].empty() ? 3 : n(t[at + 3]), nullptr,
                            n(t[at + 2]), t[at + 4].empty() ? 0x80 : n(t[at + 4]), nullptr);
            if (file == INVALID_HANDLE_VALUE)
                return result(false);
            const std::string opened = "ok " + std::to_string(GetLastError());
            if (op == "try")
                CloseHandle(file);
            else
                slots[t[1]] = file;
            return opened;
        }
        static const std::map<std::string, BOOL (*)(HANDLE)> onHandle = {
            {"close", CloseHandle},
            {"findclose", FindClose},
            {"flush", FlushFileBuffers},
            {"eof", SetEndOfFile}};
        if (onHandle.count(op))
            return result(onHandle.at(op)(Slot(t[1])));
        if (op == "read") {
            std::string bytes(n(t[2]), '\0');
            DWORD got = 77;
            const bool ok = ReadFile(Slot(t[1]), &bytes[0], n(t[2]), &got, nullptr);
            return result(ok) + (got ? " " + Escape(bytes.substr(0, got)) : "");
        }
        if (op == "write") {
            const std::string bytes = Unescape(rest);
            DWORD done = 77;
            const bool ok =
                WriteFile(Slot(t[1]), bytes.data(), DWORD(bytes.size()), &done, nullptr);
            return result(ok) + " " + std::to_string(done);
        }
        if (op == "seek") {
            // seek <slot> <distance> <method> [high]
            LONG high = t[4].empty() ? 0 : LONG(stol(t[4], nullptr, 0));
            SetLastError(12345);
            const DWORD low = SetFilePointer(Slot(t[1]), LONG(stol(t[2], nullptr, 0)),
                                             t[4].empty() ? nullptr : &high, n(t[3]));
            std::string out = Hex(low) + (t[4].empty() ? "" : " " + std::to_string(high));
            return low == INVALID_SET_FILE_POINTER ? out + " " + std::to_string(GetLastError())
                                                   : out;
        }
        if (op == "attr") {
            const DWORD attributes = GetFileAttributesA(t[1].c_str());
            return attributes == INVALID_FILE_ATTRIBUTES ? result(false) : Hex(attributes);
        }
        if (op == "setattr")
            return result(SetFileAttributesA(t[1].c_str(), n(t[2])));
        if (op == "del")
            return result(DeleteFileA(t[1].c_str()));
        if (op == "move")
            return result(MoveFileExA(t[1].c_str(), t[2].c_str(), n(t[3])));
        if (op == "find") {
            WIN32_FIND_DATAA data;
            HANDLE search = FindFirstFileA(t[2].c_str(), &data);
            if (search == INVALID_HANDLE_VALUE)
                return result(false);
            slots[t[1]] = search;
            return std::string(data.cFileName) + " " + Hex(data.dwFileAttributes) + " " +
                   std::to_string(data.nFileSizeLow);
        }
        if (op == "chmod") {
            const int got = _chmod(t[1].c_str(), int(n(t[2])));
            return got == 0 ? "0" : std::to_string(got) + " " + std::to_string(errno);
        }
        if (op == "replace")
            return result(ReplaceFileA(t[1].c_str(), t[2].c_str(),
                                       t[4].empty() ? nullptr : t[4].c_str(), n(t[3]), nullptr,
                                       nullptr));
        if (op == "info") {
            BY_HANDLE_FILE_INFORMATION info;
            if (!GetFileInformationByHandle(Slot(t[1]), &info))
                return result(false);
            return Hex(info.dwFileAttributes) + " " + std::to_string(info.nFileSizeLow) + " " +
                   std::to_string(info.nNumberOfLinks);
        }
        if (op == "link" || op == "symlink" || op == "own")
            return (op == "link"  ? link(t[1].c_str(), t[2].c_str())
                    : op == "own" ? chown(t[1].c_str(), n(t[2]), n(t[2])) +
                                        chmod(t[1].c_str(), mode_t(stoul(t[3], nullptr, 8)))
                                  : symlink(t[1].c_str(), t[2].c_str())) == 0
                       ? ""
                       : "E" + std::to_string(errno);
        if (op == "stat") { // the entry itself: mode in octal, owner, link count
            struct stat st;
            if (lstat(t[1].c_str(), &st) != 0)
                return "E" + std::to_string(errno);
            std::ostringstream out;
            out << std::oct << st.st_mode << std::dec << " " << st.st_uid << " " << st.st_nlink;
            return out.str();
        }
        if (op == "fault") {
            const int times = t[3].empty() ? -1 : stoi(t[3]);
            if (t[1] == "write")
                Platform::SetWriteFault(stoll(t[2]), n(t[3]));
            else if (t[1] == "flush")
                Platform::SetFlushFault(n(t[2]), times);
            else if (t[1] == "move")
                Platform::SetMoveFault(n(t[2]), times);
            else if (t[1] == "replace")
                Platform::SetReplaceFault(n(t[2]), times,
                                          Platform::ReplaceHold(t[4].empty() ? 0 : n(t[4])));
            else if (t[1] == "create")
                Platform::SetCreateFault(n(t[2]), times);
            else
                Platform::ClearFaults();
            return "";
        }
        if (op == "format") { // the system's text into 32 bytes of x, <room> of them offered
            std::string buffer(32, 'x');
            char* text = &buffer[0];
            const bool alloc = t[2] == "alloc";
            SetLastError(0);
            const DWORD count = FormatMessageA(alloc ? 0x1300 : 0x1200, nullptr, n(t[1]), 0,
                                               alloc            ? reinterpret_cast<LPSTR>(&text)
                                               : t[2] == "null" ? nullptr
                                                                : text,
                                               alloc            ? 0
                                               : t[2] == "null" ? 8
                                                                : n(t[2]),
                                               nullptr);
            // After a failure, the bytes past the 8 offered.
            const std::string shown = alloc   ? (text ? "allocated" : "null")
                                      : count ? Escape(buffer)
                                              : buffer.substr(8);
            if (alloc)
                LocalFree(text);
            return std::to_string(count) + " E" + std::to_string(GetLastError()) + " " + shown;
        }
        if (op == "local") { // how many bytes of a new block are 0; then it is freed
            auto* block = static_cast<unsigned char*>(LocalAlloc(LPTR, n(t[1])));
            const auto zeros = block ? std::count(block, block + n(t[1]), 0) : -1;
            return std::to_string(zeros) + (LocalFree(block) ? " kept" : " freed");
        }
        if (op == "localfree")
            return LocalFree(Slot(t[1])) ? "kept E" + std::to_string(GetLastError()) : "freed";
        if (op == "locale") { // the code pages under LC_ALL=<name>
            setenv("LC_ALL", t[1].c_str(), 1);
            const std::string pages = std::to_string(GetACP()) + " " +
                                      std::to_string(GetConsoleCP()) + " " +
                                      std::to_string(GetConsoleOutputCP());
            unsetenv("LC_ALL");
            return pages;
        }
        if (op == "widen") { // <code page> <flags> <bytes> <room> -> characters | E<error>
            std::wstring wide(n(t[4]), L'\0');
            const std::string bytes = Unescape(t[3]);
            SetLastError(0);
            const int got = MultiByteToWideChar(n(t[1]), n(t[2]), bytes.data(), int(bytes.size()),
                                                &wide[0], int(wide.size()));
            return got ? std::to_string(got) : result(false);
        }
        if (op == "text" || op == "errno")
            return Escape(
                SystemText(op == "text" ? n(t[1]) : Platform::WinErrorFromErrno(n(t[1]))));
        return "unknown call " + op;
    }

private:
    HANDLE Slot(const std::string& name) {
        static int stray = 0;
        if (name == "invalid")
            return INVALID_HANDLE_VALUE;
        if (name == "stray")
            return &stray;
        return slots.count(name) ? slots[name] : nullptr; // "null" and any other name
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
