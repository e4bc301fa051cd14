// Save under faults injected into the native file layer: the previous file must survive, and
// nothing that a plain write would get past may stop it.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "App/LogFile.h"
#include "BoxCapture.h"
#include "IniTestSupport.h"
#include "Platform/Posix/PosixHooks.h"
#include "TempDir.h"

namespace {

const std::string kConfig = "Player\\Config.ini";
const std::string kOld = "\r\n[OPTIONS]\r\n\r\n\tLOD = \"0\"\r\n";

// The entries of the folder Player, each with its content (or "<folder>") and attributes.
std::string Folder() {
    std::string out;
    for (const auto& entry : std::filesystem::directory_iterator("Player")) {
        const std::string name = entry.path().filename().string();
        const std::string path = "Player\\" + name;
        out += name + "=" +
               (entry.is_directory() ? "<folder>" : TempDir::ReadFile("Player/" + name)) + "/" +
               std::to_string(GetFileAttributesA(path.c_str())) + " ";
    }
    return out;
}

// Marks a leftover of an earlier save the way it may have been left.
void Leftover(const std::string& name, DWORD attributes) {
    TempDir::WriteFile("Player/" + name, "stale");
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
    const struct {
        std::function<void()> inject;
        bool hadOld;
        int code; // table text of the box; -1 when the save succeeds
        DWORD error;
        int way;                  // IniSaveOutcome::Way after a save, ::Old after a failure
        std::string file = "old"; // the old file's bytes afterwards: "new", "old" or the bytes
        const char* log = "";     // what the log says about the way taken
    } rows[] = {
        {[] { Platform::SetWriteFault(100, ERROR_DISK_FULL); }, true, 4, 112, Way::Untouched},
        {[] { Platform::SetWriteFault(0, ERROR_DISK_FULL); }, true, 4, 112, Way::Untouched},
        {[] { Platform::SetWriteFault(100, ERROR_DISK_FULL); }, false, 4, 112, Way::Untouched},
        {[] { Platform::SetWriteFault(100, ERROR_SUCCESS); }, true, 4, 112, Way::Untouched},
        {[] { Platform::SetFlushFault(ERROR_IO_DEVICE); }, true, 4, 1117, Way::Untouched},
        // A folder that takes no new file: the old file is written over, and put back when
        // that fails once begun. Without an old file nothing can be written.
        {[] { Platform::SetCreateFault(5); }, true, -1, 0, Way::InPlace, "new", "in place (no new"},
        {[] { Platform::SetCreateFault(5); }, false, 0, 5, Way::Untouched},
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
        {[] {
             Leftover("Config.ini.tmp", FILE_ATTRIBUTE_READONLY);
             Leftover("Config.ini.1.tmp", FILE_ATTRIBUTE_HIDDEN);
             Leftover("Config.ini.2.tmp", FILE_ATTRIBUTE_SYSTEM);
             TempDir::MakeDir("Player/Config.ini.3.tmp");
             Leftover("Config.ini.4.tmp", FILE_ATTRIBUTE_READONLY);
         },
         true, -1, 0, Way::Replaced, "new", "a new copy replaced it"},
        {[] { Platform::SetReplaceFault(ERROR_SHARING_VIOLATION, 9); }, true, -1, 0, Way::Replaced,
         "new"},
        {[] { Platform::SetReplaceFault(ERROR_UNABLE_TO_REMOVE_REPLACED, 2); }, true, -1, 0,
         Way::Replaced, "new"},
        {[&text] { Platform::SetWriteFault(static_cast<long long>(text.size()), 112); }, true, -1,
         0, Way::Replaced, "new"},
        {[] {}, false, -1, 0, Way::Renamed, "new", "a new file took its name"}};
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
        std::string expected = Folder();
        // Only the old file changed (under every name), keeping its attributes; a new one is
        // normal.
        const std::string after = row.file == "new" ? text : row.file == "old" ? kOld : row.file;
        const std::string was = "=" + kOld + "/34 ";
        for (size_t at = 0; (row.code < 0 || row.way != Way::Untouched) &&
                            (at = expected.find(was, at)) != std::string::npos;
             at += after.size() + 5)
            expected.replace(at, was.size(), "=" + after + "/34 ");
        if (!row.hadOld && row.code < 0)
            expected = "Config.ini=" + text + "/32 ";
        const size_t logged = TempDir::ReadFile("save.log").size();
        BoxCapture boxes;
        EXPECT_EQ(doc.Save(kConfig), row.code < 0);
        CloseHandle(held);
        Platform::ClearFaults();
        EXPECT_EQ(Folder(), expected);
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
