// Save under faults injected into the native file layer: the previous file must survive.
#include <gtest/gtest.h>

#include <cstdio>

#include "BoxCapture.h"
#include "IniTestSupport.h"
#include "Platform/Posix/PosixHooks.h"
#include "TempDir.h"

namespace {

const char* const kConfig = "Player\\Config.ini";
const char* const kConfigSlash = "Player/Config.ini";
const std::string kOld = "\r\n[OPTIONS]\r\n\r\n\tLOD = \"0\"\r\n";

std::string SystemText(DWORD error) {
    char* text = nullptr;
    FormatMessageA(0x1300, nullptr, error, 0x400, reinterpret_cast<LPSTR>(&text), 0, nullptr);
    std::string result = text ? text : "";
    LocalFree(text);
    return result;
}

class IniSaveFault : public ::testing::Test {
protected:
    void SetUp() override {
        TempDir::MakeDir("Player");
        for (int i = 0; i < 200; ++i)
            doc.SetInt("OPTIONS", "KEY" + std::to_string(i), i, true);
    }
    void TearDown() override { Platform::ClearFaults(); }

    TempDir dir;
    CIniFile doc;
};

} // namespace

TEST_F(IniSaveFault, FailedSaveLeavesTheOldFileOrNoneAndOneBoxNamingTheCause) {
    const struct {
        void (*inject)();
        bool hadOld;
        std::string boxHolds;
    } rows[] = {{[] { Platform::SetWriteFault(100, ERROR_DISK_FULL); }, true, FileErrorText(4)},
                {[] { Platform::SetWriteFault(0, ERROR_DISK_FULL); }, true, FileErrorText(4)},
                {[] { Platform::SetWriteFault(100, ERROR_DISK_FULL); }, false, FileErrorText(4)},
                {[] { Platform::SetFlushFault(ERROR_IO_DEVICE); }, true, ""},
                // The replace's own system text, not that of the clean-up after it.
                {[] { Platform::SetMoveFault(ERROR_ACCESS_DENIED); }, true,
                 std::string(kConfig) + "\n" + FileErrorText(0) + "(" + kConfig +
                     ")\nWIN ERROR MESSAGE: " + SystemText(ERROR_ACCESS_DENIED)},
                {[] { Platform::SetMoveFault(ERROR_ACCESS_DENIED); }, false, ""}};
    for (const auto& row : rows) {
        SCOPED_TRACE(&row - rows);
        if (row.hadOld)
            TempDir::WriteFile(kConfigSlash, kOld);
        row.inject();
        BoxCapture boxes;
        EXPECT_FALSE(doc.Save(kConfig));
        Platform::ClearFaults();
        EXPECT_EQ(TempDir::Exists(kConfigSlash) ? TempDir::ReadFile(kConfigSlash) : "<none>",
                  row.hadOld ? kOld : "<none>");
        EXPECT_FALSE(TempDir::Exists("Player/Config.ini.tmp"));
        ASSERT_EQ(boxes.Boxes().size(), 1u);
        EXPECT_EQ(boxes.Boxes()[0].caption, "CFileHarvel Error");
        EXPECT_NE(boxes.Boxes()[0].text.find(row.boxHolds), std::string::npos)
            << boxes.Boxes()[0].text;
        std::remove(kConfigSlash);
    }
}

TEST_F(IniSaveFault, EnoughRoomForTheWholeTextSucceeds) {
    TempDir::WriteFile(kConfigSlash, kOld);
    const std::string text = doc.Serialize();
    Platform::SetWriteFault(static_cast<long long>(text.size()), ERROR_DISK_FULL);
    EXPECT_TRUE(doc.Save(kConfig));
    EXPECT_EQ(TempDir::ReadFile(kConfigSlash), text);
}
