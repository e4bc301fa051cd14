// Save under faults injected into the native file layer: the previous file must survive, and
// nothing that a plain write would get past may stop it.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <map>
#include <sstream>

#include "App/LogFile.h"
#include "BoxCapture.h"
#include "IniTestSupport.h"
#include "Platform/Posix/PosixHooks.h"
#include "TempDir.h"

namespace {

const std::string kConfig = "Player\\Config.ini";
const std::string kOld = "\r\n[OPTIONS]\r\n\r\n\tLOD = \"0\"\r\n";

using Entries = std::map<std::string, std::string>;

// The entries of the folder Player, each with its content ("<folder>", "old" for kOld, "new"
// for `text`) and attributes.
Entries Folder(const std::string& text) {
    Entries out;
    for (const auto& entry : std::filesystem::directory_iterator("Player")) {
        const std::string name = entry.path().filename().string();
        const std::string bytes = entry.is_directory() ? "" : TempDir::ReadFile("Player/" + name);
        out[name] = (entry.is_directory() ? "<folder>"
                     : bytes == kOld      ? "old"
                     : bytes == text      ? "new"
                                          : bytes) +
                    "/" + std::to_string(GetFileAttributesA(("Player\\" + name).c_str()));
    }
    return out;
}

std::string Text(const Entries& entries) {
    std::string out;
    for (const auto& entry : entries)
        out += entry.first + "=" + entry.second + " ";
    return out;
}

// Marks a leftover of an earlier save the way it may have been left, written `age` ago.
void Leftover(const std::string& name, DWORD attributes,
              std::chrono::minutes age = std::chrono::minutes(0)) {
    TempDir::WriteFile("Player/" + name, "stale");
    std::filesystem::last_write_time("Player/" + name,
                                     std::filesystem::file_time_type::clock::now() - age);
    SetFileAttributesA(("Player\\" + name).c_str(), attributes);
}

class IniSaveFault : public ::testing::Test {
protected:
    void SetUp() override {
        for (int i = 0; i < 200; ++i)
            doc.SetInt("OPTIONS", "KEY" + std::to_string(i), i, true);
    }
    void TearDown() override { Platform::ClearFaults(); }

    TempDir dir;
    CIniFile doc;
};

} // namespace

TEST_F(IniSaveFault, SavesPastLeftoversAndHeldFilesOrKeepsTheOldFileAndNamesTheCause) {
    const std::string text = doc.Serialize();
    HANDLE held = INVALID_HANDLE_VALUE;
    using Way = IniSaveOutcome;
    using Hold = Platform::ReplaceHold;
    const struct {
        std::function<void()> inject;
        bool hadOld;
        int code; // table text of the box; -1 when the save succeeds
        DWORD error;
        int way;                  // IniSaveOutcome::Way after a save, ::Old after a failure
        std::string file = "old"; // the old file's bytes afterwards: "new", "old" or the bytes
        const char* log = "";     // what the log says about the way taken
        // Entries besides the old file's afterwards: "name=new/attributes" (new, old or the
        // bytes) is there, a bare name is gone; "1.tmp" stands for "Config.ini.1.tmp".
        const char* left = "";
    } rows[] = {
        {[] { Platform::SetWriteFault(100, ERROR_DISK_FULL); }, true, 4, 112, Way::Untouched},
        {[] { Platform::SetWriteFault(0, ERROR_DISK_FULL); }, true, 4, 112, Way::Untouched},
        {[] { Platform::SetWriteFault(100, 39); }, false, 4, 39, Way::Untouched},
        {[] { Platform::SetWriteFault(100, ERROR_SUCCESS); }, true, 4, 112, Way::Untouched},
        {[] { Platform::SetFlushFault(ERROR_IO_DEVICE); }, true, 4, 1117, Way::Untouched},
        // A folder that takes no new file: the old file is written over, and put back when
        // that fails once begun. Without an old file nothing can be written.
        {[] { Platform::SetCreateFault(5); }, true, -1, 0, Way::InPlace, "new", "in place (no new"},
        {[] { Platform::SetCreateFault(5); }, false, 0, 5, Way::Untouched},
        {[&held] {
             Platform::SetCreateFault(5);
             held = CreateFileA("Player\\Config.ini", GENERIC_WRITE, 2, nullptr, 3, 0, nullptr);
         },
         true, 1, 5, Way::Untouched, "old"},
        {[] { Platform::SetCreateFault(5), TempDir::WriteFile("Player/Config.ini", "\n"); }, true,
         -1, 0, Way::InPlace, "new", "in place", "Config.ini=new/34"},
        {[] { Platform::SetCreateFault(5), Platform::SetFlushFault(1117, 1); }, true, 4, 1117,
         Way::Restored, "old", "written back"},
        {[] { Platform::SetCreateFault(5), Platform::SetWriteFault(100, 112); }, true, 4, 112,
         Way::Damaged, "", "could not be written back"},
        {[] {
             for (int n = 1; n <= 100; ++n)
                 TempDir::MakeDir("Player/Config.ini." + std::to_string(n) + ".tmp");
         },
         true, -1, 0, Way::InPlace, "new",
         "in place (no new file can be made in its folder, "
         "error 80)"},
        // A replace refused after the retries, or at once, writes over the old file.
        {[] { Platform::SetReplaceFault(ERROR_ACCESS_DENIED); }, true, -1, 0, Way::InPlace, "new",
         "in place (its replacing was refused, error 5)"},
        {[] { Platform::SetReplaceFault(ERROR_NOT_SAME_DEVICE, 1); }, true, -1, 0, Way::InPlace,
         "new", "error 17"},
        {[] { Platform::SetMoveFault(32, 10); }, false, -1, 0, Way::InPlace, "new", "in place"},
        {[&held] {
             held = CreateFileA("Player\\Config.ini", GENERIC_READ, 3, nullptr, 3, 0, nullptr);
         },
         true, -1, 0, Way::InPlace, "new", "refused, error 32"},
        // Other names of the file see the new text too.
        {[] { std::filesystem::create_hard_link("Player/Config.ini", "Player/Link.ini"); }, true,
         -1, 0, Way::InPlace, "new", "in place (the file has 2 names)"},
        // Files of unfinished saves: young ones may be another save's, old ones go with their
        // backups, as do backups whose replace was done; what refuses deletion stays.
        {[] {
             const auto old = std::chrono::minutes(2);
             Leftover("Config.ini.tmp", FILE_ATTRIBUTE_READONLY, old);
             Leftover("Config.ini.1.tmp", FILE_ATTRIBUTE_HIDDEN);
             Leftover("Config.ini.2.tmp", FILE_ATTRIBUTE_SYSTEM);
             TempDir::MakeDir("Player/Config.ini.3.tmp");
             Leftover("Config.ini.4.tmp", FILE_ATTRIBUTE_READONLY, old);
             Leftover("Config.ini.5.bak", FILE_ATTRIBUTE_NORMAL);
             Leftover("Config.ini.7.tmp", FILE_ATTRIBUTE_HIDDEN, old);
             Leftover("Config.ini.7.bak", FILE_ATTRIBUTE_NORMAL);
             Leftover("Config.ini.8.tmp", FILE_ATTRIBUTE_NORMAL, std::chrono::minutes(0));
             Leftover("Config.ini.8.bak", FILE_ATTRIBUTE_NORMAL);
         },
         true, -1, 0, Way::Replaced, "new", "removed 3 file(s) left by earlier saves",
         "5.bak 7.tmp 7.bak"},
        {[] { Platform::SetReplaceFault(ERROR_SHARING_VIOLATION, 9); }, true, -1, 0, Way::Replaced,
         "new"},
        {[] { Platform::SetReplaceFault(ERROR_UNABLE_TO_REMOVE_REPLACED, 2); }, true, -1, 0,
         Way::Replaced, "new"},
        {[&text] { Platform::SetWriteFault(static_cast<long long>(text.size()), 112); }, true, -1,
         0, Way::Replaced, "new"},
        {[] {}, false, -1, 0, Way::Renamed, "new", "a new file took its name"},
        // A replace fails as Windows documents, with the old file or the new one held by
        // another program: one of them goes back under the name, and what is held stays.
        {[] { Platform::SetReplaceFault(1175, 1, Hold::Replaced); }, true, -1, 0, Way::InPlace,
         "new", "refused, error 32"},
        {[] { Platform::SetReplaceFault(1175, 1, Hold::Replacement); }, true, -1, 0, Way::InPlace,
         "new", "refused, error 32", "1.tmp=new/32"},
        {[] { Platform::SetReplaceFault(1176, 1, Hold::Replaced); }, true, -1, 0, Way::Renamed,
         "new", "error 1176 and the old file could not come back", "1.bak=old/34"},
        {[] { Platform::SetReplaceFault(1176, 1, Hold::Replacement); }, true, -1, 0, Way::InPlace,
         "new", "refused, error 32", "1.tmp=new/32"},
        {[] { Platform::SetReplaceFault(1177, 1, Hold::Replaced); }, true, -1, 0, Way::Renamed,
         "new", "error 1177 and the old file could not come back", "1.bak=old/34"},
        {[] { Platform::SetReplaceFault(1177, 1, Hold::Replacement); }, true, -1, 0, Way::InPlace,
         "new", "refused, error 32", "1.tmp=new/34"},
        {[] { Platform::SetReplaceFault(1177, 1, Hold::Both); }, true, -1, 0, Way::Renamed, "new",
         "saved as a new file", "1.bak=old/34 1.tmp=new/34"},
        {[&text] {
             Platform::SetReplaceFault(1177, 1, Hold::Both);
             Platform::SetWriteFault(static_cast<long long>(text.size()), 112);
         },
         true, 1, 32, Way::Aside, "old", "the old text is kept as Player\\Config.ini.1.bak",
         "Config.ini 1.bak=old/34 1.tmp=new/34"}};
    TheLog.Open("save.log");
    for (const auto& row : rows) {
        SCOPED_TRACE(&row - rows);
        std::filesystem::remove_all("Player");
        TempDir::MakeDir("Player");
        if (row.hadOld) {
            TempDir::WriteFile("Player/Config.ini", kOld);
            SetFileAttributesA(kConfig.c_str(), FILE_ATTRIBUTE_HIDDEN);
        }
        row.inject();
        Entries expected = Folder(text);
        // Only the old file changed (under every name), keeping its attributes; a new one is
        // normal.
        for (auto& entry : expected)
            if (entry.second == "old/34" && (row.code < 0 || row.way != Way::Untouched))
                entry.second = row.file + "/34";
        if (!row.hadOld && row.code < 0)
            expected = {{"Config.ini", "new/32"}};
        std::istringstream left(row.left);
        for (std::string word; left >> word;) {
            const size_t is = word.find('=');
            const std::string name = (isdigit(word[0]) ? "Config.ini." : "") + word.substr(0, is);
            if (is == std::string::npos)
                expected.erase(name);
            else
                expected[name] = word.substr(is + 1);
        }
        const size_t logged = TempDir::ReadFile("save.log").size();
        BoxCapture boxes;
        EXPECT_EQ(doc.Save(kConfig), row.code < 0);
        CloseHandle(held);
        Platform::ClearFaults();
        EXPECT_EQ(Text(Folder(text)), Text(expected));
        EXPECT_EQ(row.code < 0 ? int(doc.LastSave().way) : int(doc.LastSave().old), row.way);
        EXPECT_EQ(doc.LastSave().error, row.error);
        const std::string log = TempDir::ReadFile("save.log").substr(logged);
        EXPECT_NE(log.find(row.log), std::string::npos) << log;
        ASSERT_EQ(boxes.Boxes().size(), row.code < 0 ? 0u : 1u);
        if (row.code < 0)
            continue;
        EXPECT_EQ(boxes.Boxes()[0].caption, "CFileHarvel Error");
        const std::string head = kConfig + "\n" + FileErrorText(row.code) + "(" + kConfig +
                                 ")\nWIN ERROR MESSAGE: " + SystemText(row.error) + "voir: ";
        EXPECT_EQ(boxes.Boxes()[0].text.substr(0, head.size()), head);
    }
    TheLog.Close();
}
