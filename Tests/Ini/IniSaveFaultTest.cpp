// Save under faults injected into the native file layer: the previous file must survive, and
// nothing that a plain write would get past may stop it.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "BoxCapture.h"
#include "IniTestSupport.h"
#include "Platform/Posix/PosixHooks.h"
#include "TempDir.h"

namespace {

const std::string kConfig = "Player\\Config.ini";
const std::string kOld = "\r\n[OPTIONS]\r\n\r\n\tLOD = \"0\"\r\n";

std::string SystemText(DWORD error) {
    char* text = nullptr;
    FormatMessageA(0x1300, nullptr, error, 0x400, reinterpret_cast<LPSTR>(&text), 0, nullptr);
    std::string result = text ? text : "";
    LocalFree(text);
    return result;
}

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
    const struct {
        std::function<void()> inject;
        bool hadOld;
        int code; // table text of the box; -1 when the save succeeds
        DWORD error;
    } rows[] = {{[] { Platform::SetWriteFault(100, ERROR_DISK_FULL); }, true, 4, ERROR_DISK_FULL},
                {[] { Platform::SetWriteFault(0, ERROR_DISK_FULL); }, true, 4, ERROR_DISK_FULL},
                {[] { Platform::SetWriteFault(100, ERROR_DISK_FULL); }, false, 4, ERROR_DISK_FULL},
                {[] { Platform::SetWriteFault(100, ERROR_SUCCESS); }, true, 4, ERROR_DISK_FULL},
                {[] { Platform::SetFlushFault(ERROR_IO_DEVICE); }, true, 4, ERROR_IO_DEVICE},
                // A held file is waited for ten times, then given up; other errors at once.
                {[] { Platform::SetMoveFault(ERROR_ACCESS_DENIED); }, true, 1, ERROR_ACCESS_DENIED},
                {[] { Platform::SetMoveFault(32, 10); }, false, 1, ERROR_SHARING_VIOLATION},
                {[] { Platform::SetMoveFault(ERROR_NOT_SAME_DEVICE, 1); }, true, 4, 17},
                {[] {
                     for (int n = 1; n <= 100; ++n)
                         TempDir::MakeDir("Player/Config.ini." + std::to_string(n) + ".tmp");
                 },
                 true, 4, ERROR_FILE_EXISTS},
                {[] {
                     Leftover("Config.ini.tmp", FILE_ATTRIBUTE_READONLY);
                     Leftover("Config.ini.1.tmp", FILE_ATTRIBUTE_HIDDEN);
                     Leftover("Config.ini.2.tmp", FILE_ATTRIBUTE_SYSTEM);
                     TempDir::MakeDir("Player/Config.ini.3.tmp");
                     Leftover("Config.ini.4.tmp", FILE_ATTRIBUTE_READONLY);
                 },
                 true, -1, 0},
                {[] { Platform::SetMoveFault(ERROR_SHARING_VIOLATION, 9); }, true, -1, 0},
                {[] { Platform::SetMoveFault(ERROR_ACCESS_DENIED, 2); }, true, -1, 0},
                {[&text] { Platform::SetWriteFault(static_cast<long long>(text.size()), 112); },
                 true, -1, 0}};
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
        // On success only the settings file changed: the new text, as a new file (no hidden).
        const std::string old = "Config.ini=" + kOld + "/34 ";
        if (row.code < 0)
            expected.replace(expected.find(old), old.size(), "Config.ini=" + text + "/32 ");
        BoxCapture boxes;
        EXPECT_EQ(doc.Save(kConfig), row.code < 0);
        Platform::ClearFaults();
        EXPECT_EQ(Folder(), expected);
        ASSERT_EQ(boxes.Boxes().size(), row.code < 0 ? 0u : 1u);
        if (row.code < 0)
            continue;
        EXPECT_EQ(boxes.Boxes()[0].caption, "CFileHarvel Error");
        const std::string head = kConfig + "\n" + FileErrorText(row.code) + "(" + kConfig +
                                 ")\nWIN ERROR MESSAGE: " + SystemText(row.error) + "voir: ";
        EXPECT_EQ(boxes.Boxes()[0].text.substr(0, head.size()), head);
    }
}
