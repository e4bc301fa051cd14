// The file object and the file-system functions against scenarios: each row of
// data/scenarios.txt is one call and, in its last field, what it must give (syntax there).
#include "HarvelTestSupport.h"

#include <filesystem>

#if !defined(_WIN32)
#include "Platform/Posix/PosixHooks.h"
#endif

namespace {

// Runs the rows of one scenario in its own temporary folder.
class Scenario {
public:
    static DWORD Number(const Row& t, size_t i) { return static_cast<DWORD>(std::stol(t.at(i))); }
    unsigned char* Guarded() { return reinterpret_cast<unsigned char*>(guard + 5); }

    ~Scenario() {
        if (held != INVALID_HANDLE_VALUE)
            CloseHandle(held);
#if !defined(_WIN32)
        Platform::ClearFaults();
#endif
    }

    std::string Run(const Row& t) {
        auto n = [&](size_t i) { return Number(t, i); };
        const std::string& c = t[0];
        if (c == "open" || c == "openref" || c == "create")
            return Open(t);
        if (c == "reopen")
            return std::to_string(file->Open(&desc));
        if (c == "desc")
            return std::to_string(desc.flags) + " " + std::to_string(desc.memSize) + " " +
                   (!desc.memBuffer               ? "null"
                    : desc.memBuffer == Guarded() ? "buf"
                                                  : "own");
        if (c == "drop")
            return file.reset(), "ok";
        if (c == "write")
            return Wrote(*file, t[1], t.size() > 3);
        if (c == "read")
            return Got(*file, n(1));
        if (c == "seek")
            return std::to_string(file->SetPosition(static_cast<LONG>(n(1)), n(2)));
        if (c == "pos" || c == "size") {
            LONG high = 55;
            DWORD low = c == "pos" ? file->GetPosition(&high)
                                   : file->GetSize(reinterpret_cast<DWORD*>(&high));
            return std::to_string(low) + " " + std::to_string(high);
        }
        if (c == "close")
            return std::to_string(file->Close());
        if (c == "handle")
            return file->GetHandle() == INVALID_HANDLE_VALUE ? "invalid" : "valid";
        if (c == "mode")
            return std::to_string(file->GetMode());
        if (c == "line" || c == "char") {
            std::string out = "stale";
            bool ok = c == "line" ? file->ReadLine(out, t[1] == "1") : file->ReadChar(out);
            return std::to_string(ok) + " " + out;
        }
        if (c == "string")
            return std::to_string(file->WriteString(t[1], t[2] == "1"));
        if (c == "content")
            return TempDir::Exists(t[1]) ? TempDir::ReadFile(t[1]) : "<none>";
        if (c == "readonly")
            return std::to_string(TempDir::IsReadOnly(t[1]));
        if (c == "guard")
            return guard;
        if (c == "lasterror")
            return SetLastError(n(1)), "ok";
        if (c == "attr") {
            DWORD value = 77;
            int result = FileGetAttribute(t[1], static_cast<int>(n(2)), &value);
            return std::to_string(result) + " " + std::to_string(value);
        }
        if (c == "setattr")
            return std::to_string(FileSetAttributes(t[1], std::stoi(t[2]), std::stoi(t[3])));
        if (c == "hold") { // open without sharing until the scenario ends
            held = CreateFileA(t[1].c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
            return held == INVALID_HANDLE_VALUE ? "invalid" : "ok";
        }
        if (c == "exists")
            return std::to_string(FileExists(t[1]));
        if (c == "delete")
            return std::to_string(FileDelete(t[1]));
        if (c == "report") { // error source line lasterror [file]
            SetLastError(n(4));
            ReportFileError(t.size() > 6 ? file.get() : nullptr, std::stoi(t[1]), t[2],
                            std::stoi(t[3]));
            return "ok";
        }
#if !defined(_WIN32)
        if (c == "fault") // write <byte budget> <error> | flush <error> | none
            return t[1] == "write"   ? Platform::SetWriteFault(n(2), n(3))
                   : t[1] == "flush" ? Platform::SetFlushFault(n(2))
                                     : Platform::ClearFaults(),
                   "ok";
#endif
        if (c == "lines")
            return ReadLines(t[1], false) + "/" + ReadLines(t[1], true);
        if (c == "errortext")
            return FileErrorText(std::stoi(t[1]));
        if (c == "box")
            return Box(false, 0);
        if (c == "fullbox")
            return Box(true, n(1));
        return "unknown call " + c;
    }

    // A new text file object from the open fields, opened the way the call names.
    std::string Open(const Row& t) {
        auto n = [&](size_t i) { return Number(t, i); };
        desc = FileOpenDesc(t[1] == "-" ? "" : t[1], n(2), n(3), n(4));
        desc.memSize = t.size() > 6 ? n(5) : 0;
        desc.memBuffer = t.size() > 7 ? Guarded() : nullptr;
        if (t[0] == "create") {
            file.reset(CTextFile::CreateAndOpen(&desc));
            return file ? "ok" : "null";
        }
        file = std::make_unique<CTextFile>(desc);
        return std::to_string(t[0] == "open" ? file->Open(&desc) : file->Open(desc));
    }

    // Every line ReadLine returns from `text` in memory, each followed by "|", until it says false.
    static std::string ReadLines(std::string text, bool keepEol) {
        text.push_back('#'); // so that even an empty text has a buffer to point at
        FileOpenDesc memory;
        memory.flags = FILE_MEMORY;
        memory.memBuffer = reinterpret_cast<unsigned char*>(&text[0]);
        memory.memSize = static_cast<DWORD>(text.size() - 1);
        CTextFile file(memory);
        if (!file.Open(&memory))
            return "<open failed>";
        std::string lines, line;
        for (int n = 0; n < 100 && file.ReadLine(line, keepEol); ++n)
            lines += line + "|";
        return lines;
    }

    // The head line of the only box, or with `whole` its whole text: the system sentence of
    // `code` as "{system}" and our own source files without folder and line. Clears the boxes.
    std::string Box(bool whole, DWORD code) {
        const auto shown = boxes.Boxes();
        boxes.Clear();
        if (shown.size() != 1)
            return std::to_string(shown.size()) + " boxes";
        EXPECT_EQ(shown[0].caption, "CFileHarvel Error");
        EXPECT_EQ(shown[0].style, 0x1030u);
        std::string text = shown[0].text;
        if (!whole) {
            const size_t start = text.find('\n') + 1;
            return text.substr(start, text.find('\n', start) - start);
        }
        const std::string marker = "WIN ERROR MESSAGE: ", sentence = SystemText(code);
        const size_t at = text.find(marker) + marker.size();
        if (!sentence.empty() && text.compare(at, sentence.size(), sentence) == 0)
            text.replace(at, sentence.size(), "{system}");
        return std::regex_replace(text, std::regex("voir: .*(CFileHarvel\\w*\\.cpp)\\(\\d+\\)"),
                                  "voir: $1");
    }

    TempDir folder;
    BoxCapture boxes;
    char guard[17] = "#####abcdef#####"; // six bytes between guards nothing may touch
    FileOpenDesc desc;
    std::unique_ptr<CTextFile> file;
    HANDLE held = INVALID_HANDLE_VALUE;
};

} // namespace

TEST(HarvelScenario, EachCallGivesWhatTheScenarioSays) {
    std::unique_ptr<Scenario> scenario;
    std::string title;
    for (Row row : ReadTable(TEST_DATA "/scenarios.txt")) {
        if (row[0] == "posix") {
#if defined(_WIN32) // Wine lets root write to read-only files: these rows are not for it
            continue;
#endif
            row.erase(row.begin());
        }
        if (row[0] == "==") {
            scenario.reset(); // the folder of the last one goes first
            scenario = std::make_unique<Scenario>();
            title = row.at(1);
        } else if (row[0] == "file")
            TempDir::WriteFile(row.at(1), row.at(2));
        else if (row[0] == "grow") // sparse where the file system allows
            std::filesystem::resize_file(row.at(1), std::stoull(row.at(2)));
        else if (row[0] == "ro")
            TempDir::SetReadOnly(row.at(1), row.at(2) == "1");
        else
            EXPECT_EQ(scenario->Run(row), row.back()) << title << ": " << row[0] << " " << row[1];
    }
}
