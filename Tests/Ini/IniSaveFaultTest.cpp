// Save under faults injected into the native file layer: the previous file must survive.
#include <gtest/gtest.h>

#include "BoxCapture.h"
#include "IniTestSupport.h"
#include "Platform/Posix/PosixHooks.h"
#include "TempDir.h"

namespace {

const char* const kConfig = "Player\\Config.ini";
const char* const kConfigSlash = "Player/Config.ini";
const char* const kTemporarySlash = "Player/Config.ini.tmp";
const std::string kOld = "\r\n[OPTIONS]\r\n\r\n\tLOD = \"0\"\r\n";

class IniSaveFault : public ::testing::Test {
protected:
    void SetUp() override {
        TempDir::MakeDir("Player");
        for (int i = 0; i < 200; ++i)
            doc.SetInt("OPTIONS", "KEY" + std::to_string(i), i, true);
    }
    void TearDown() override { Platform::ClearFaults(); }

    void WriteOld() { TempDir::WriteFile(kConfigSlash, kOld); }

    TempDir dir;
    CIniFile doc;
};

bool Contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

} // namespace

TEST_F(IniSaveFault, FullDiskLeavesTheOldFileIntact) {
    WriteOld();
    Platform::SetWriteFault(100, ERROR_DISK_FULL);
    BoxCapture boxes;
    EXPECT_FALSE(doc.Save(kConfig));
    Platform::ClearFaults();
    EXPECT_EQ(TempDir::ReadFile(kConfigSlash), kOld);
    EXPECT_FALSE(TempDir::Exists(kTemporarySlash));
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].caption, "CFileHarvel Error");
    EXPECT_TRUE(Contains(boxes.Boxes()[0].text, FileErrorText(4)));
}

TEST_F(IniSaveFault, FullDiskOnTheFirstByteLeavesTheOldFileIntact) {
    WriteOld();
    Platform::SetWriteFault(0, ERROR_DISK_FULL);
    BoxCapture boxes;
    EXPECT_FALSE(doc.Save(kConfig));
    Platform::ClearFaults();
    EXPECT_EQ(TempDir::ReadFile(kConfigSlash), kOld);
    EXPECT_FALSE(TempDir::Exists(kTemporarySlash));
}

TEST_F(IniSaveFault, FullDiskWithoutAPreviousFileLeavesNoFileBehind) {
    Platform::SetWriteFault(100, ERROR_DISK_FULL);
    BoxCapture boxes;
    EXPECT_FALSE(doc.Save(kConfig));
    Platform::ClearFaults();
    EXPECT_FALSE(TempDir::Exists(kConfigSlash));
    EXPECT_FALSE(TempDir::Exists(kTemporarySlash));
}

TEST_F(IniSaveFault, EnoughRoomForTheWholeTextSucceeds) {
    WriteOld();
    const std::string text = doc.Serialize();
    Platform::SetWriteFault(static_cast<long long>(text.size()), ERROR_DISK_FULL);
    EXPECT_TRUE(doc.Save(kConfig));
    Platform::ClearFaults();
    EXPECT_EQ(TempDir::ReadFile(kConfigSlash), text);
}

TEST_F(IniSaveFault, FailedFlushLeavesTheOldFileIntact) {
    WriteOld();
    Platform::SetFlushFault(ERROR_IO_DEVICE);
    BoxCapture boxes;
    EXPECT_FALSE(doc.Save(kConfig));
    Platform::ClearFaults();
    EXPECT_EQ(TempDir::ReadFile(kConfigSlash), kOld);
    EXPECT_FALSE(TempDir::Exists(kTemporarySlash));
    EXPECT_EQ(boxes.Boxes().size(), 1u);
}

TEST_F(IniSaveFault, FailedReplaceNamesTheTargetAndLeavesTheOldFileIntact) {
    WriteOld();
    Platform::SetMoveFault(ERROR_ACCESS_DENIED);
    BoxCapture boxes;
    EXPECT_FALSE(doc.Save(kConfig));
    Platform::ClearFaults();
    EXPECT_EQ(TempDir::ReadFile(kConfigSlash), kOld);
    EXPECT_FALSE(TempDir::Exists(kTemporarySlash));
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    const std::string start =
        std::string(kConfig) + "\n" + FileErrorText(0) + "(" + kConfig + ")\nWIN ERROR MESSAGE: ";
    EXPECT_EQ(boxes.Boxes()[0].text.compare(0, start.size(), start), 0) << boxes.Boxes()[0].text;
    // The box carries the system text of the failed replace, not of the clean-up after it.
    std::string accessDenied;
    {
        char* text = nullptr;
        FormatMessageA(0x1300, nullptr, ERROR_ACCESS_DENIED, 0x400, reinterpret_cast<LPSTR>(&text),
                       0, nullptr);
        if (text)
            accessDenied = text;
        LocalFree(text);
    }
    ASSERT_FALSE(accessDenied.empty());
    EXPECT_TRUE(Contains(boxes.Boxes()[0].text, accessDenied)) << boxes.Boxes()[0].text;
}

TEST_F(IniSaveFault, FailedReplaceWithoutAPreviousFileLeavesNoFileBehind) {
    Platform::SetMoveFault(ERROR_ACCESS_DENIED);
    BoxCapture boxes;
    EXPECT_FALSE(doc.Save(kConfig));
    Platform::ClearFaults();
    EXPECT_FALSE(TempDir::Exists(kConfigSlash));
    EXPECT_FALSE(TempDir::Exists(kTemporarySlash));
}
