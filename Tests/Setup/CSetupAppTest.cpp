#include "Setup/CSetupApp.h"

#include <gtest/gtest.h>

#include "BoxCapture.h"
#include "FatalExitCode.h"
#include "Ini/LocalizationTesting.h"
#include "TempDir.h"

namespace {

const char* const kConfig = "Player/Config.ini";

// A fresh application object each time; the program's own one is a singleton.
class TestApp : public CSetupApp {
public:
    TestApp() = default;
};

std::string DefaultConfig() {
    return TempDir::ReadFile(VELMARK_SOURCE_ROOT "/Tests/Setup/data/default_config.ini");
}

// `text` with the first occurrence of `from` replaced by `to`.
std::string Replace(std::string text, const std::string& from, const std::string& to) {
    size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos)
        text.replace(at, from.size(), to);
    return text;
}

// Matches a death test's standard error when it holds the parts in this order.
class InOrder : public ::testing::MatcherInterface<const std::string&> {
public:
    explicit InOrder(std::vector<std::string> parts) : parts(std::move(parts)) {}
    bool MatchAndExplain(const std::string& text, ::testing::MatchResultListener*) const override {
        size_t from = 0;
        for (const std::string& part : parts)
            if ((from = text.find(part, from)) == std::string::npos)
                return false;
        return true;
    }
    void DescribeTo(std::ostream* os) const override { *os << "holds both boxes in order"; }
    std::vector<std::string> parts;
};

class SetupAppTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetLocalizationForTesting();
        TempDir::MakeDir("Player");
    }

    TempDir dir;
    BoxCapture boxes;
};

TEST_F(SetupAppTest, MissingFileIsWrittenWithExactlyTheDefaultSet) {
    TestApp app;
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].caption, "CFileHarvel Error");
    EXPECT_EQ(TempDir::ReadFile(kConfig), DefaultConfig());
    EXPECT_TRUE(app.settingsLoaded);
    EXPECT_FALSE(app.IsSettingsIncomplete());
    EXPECT_EQ(app.settings.GetString("OPTIONS_LOW", "FAR"), "50");
    // No window exists in this build: the dialog members stay unset.
    EXPECT_EQ(app.dialog, nullptr);
    EXPECT_EQ(app.tabPages, nullptr);
    for (int page = 0; page < 3; ++page)
        EXPECT_TRUE(app.pageNeedsFill[page] && app.pageNeedsInit[page]);
    EXPECT_EQ(app.settingsPath, "Player\\Config.ini");
    EXPECT_EQ(app.configSource, 0);
    EXPECT_EQ(app.currentPage, 0);
    EXPECT_FALSE(app.IsDone());
}

TEST_F(SetupAppTest, IncompleteFileIsRebuiltInFullKeepingExtrasAndACompleteOneIsLeft) {
    const std::string defaults = DefaultConfig();
    // Any non-empty text passes the check, even one that no list holds.
    const std::string complete = Replace(defaults, "\"(800,600)\"", "\"(1280,1024)\"");
    const struct {
        std::string text, expected;
    } rows[] = {
        {complete, complete},
        {Replace(Replace(defaults, "NAME = \"Player\"", "NAME = \"\""),
                 "LOD                 = \"1\"", "LOD                 = \"0\""),
         defaults},
        {"[OPTIONS]\r\nLOD = \"0\"\r\n[PLAYER]\r\nNAME = \"Ann\"\r\n", defaults},
        {Replace(defaults, "\"Player\"", "\"__INI_ERROR__\""), defaults},
        // Extra keys and sections survive a rebuild.
        {"[OPTIONS]\r\nLOD = \"0\"\r\nGAMMA = \"1.2\"\r\n[MODS]\r\nFOO = \"bar\"\r\n",
         "\r\n[MODS]\r\n\r\n\tFOO = \"bar\"\r\n" +
             Replace(defaults, "= \"6.600000\"\r\n",
                     "= \"6.600000\"\r\n\tGAMMA               = \"1.2\"\r\n")},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(&row - rows);
        TempDir::WriteFile(kConfig, row.text);
        TestApp app;
        EXPECT_EQ(TempDir::ReadFile(kConfig), row.expected);
        EXPECT_TRUE(app.settingsLoaded);
        EXPECT_FALSE(app.IsSettingsIncomplete());
    }
    EXPECT_TRUE(boxes.Boxes().empty());
}

// Wine run by root lets a read-only file be written, which Windows refuses.
bool ReadOnlyFilesRefuseWriting() {
    TempDir::WriteFile("probe.txt", "x");
    TempDir::SetReadOnly("probe.txt", true);
    HANDLE file = CreateFileA("probe.txt", GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    const bool refused = file == INVALID_HANDLE_VALUE;
    if (!refused)
        CloseHandle(file);
    TempDir::SetReadOnly("probe.txt", false);
    return refused;
}

using SetupAppDeathTest = SetupAppTest;

TEST_F(SetupAppDeathTest, ReadOnlyFileNeedingARebuildEndsTheProgram) {
    if (!ReadOnlyFilesRefuseWriting())
        GTEST_SKIP() << "this system lets the user write read-only files";
    TempDir::WriteFile(kConfig, "[OPTIONS]\r\nLOD = \"0\"\r\n");
    TempDir::SetReadOnly(kConfig, true);
    const ::testing::Matcher<const std::string&> boxesInOrder(new InOrder(
        {"box 1 CFileHarvel Error: ", "box 2 ERROR: Sauvegarde du fichier 'Config.ini' impossible\n"
                                      "Le fichier est peut-etre en lecture seule"}));
    EXPECT_EXIT(
        {
            BoxCapture echo(true);
            TestApp app;
        },
        ::testing::ExitedWithCode(kFatalExitCode), boxesInOrder);
    TempDir::SetReadOnly(kConfig, false);
}

TEST_F(SetupAppTest, ChoiceListsHoldTheirEntriesInOrder) {
    TestApp app;
    const std::vector<int> expectedLists = {1002, 1002, 1004, 1004, 1005, 1005, 1005,
                                            1007, 1007, 1007, 1011, 1011, 1011, 1023,
                                            1023, 1023, 1074, 1074, 1073, 1073};
    std::vector<int> lists;
    for (const Choice& choice : app.Choices())
        lists.push_back(choice.listId);
    EXPECT_EQ(lists, expectedLists);
    EXPECT_EQ(app.CountChoices(1005), 3);
    EXPECT_EQ(app.CountChoices(1073), 2);
    EXPECT_EQ(app.CountChoices(1067), 0);

    const struct {
        bool stored;
        int list, index;
        const char* expected;
    } rows[] = {{false, 1002, 1, "1024*768"},
                {true, 1002, 1, "(1024,768)"},
                {false, 1023, 0, "E_SETUP_LOW"},
                {true, 1023, 0, "2"}, // the level of detail is stored high for low quality
                {true, 1007, 2, "High"},
                {false, 1074, 1, "E_MSG_MENUS_SOUND_STEREO"},
                {true, 1011, 0, "1"},
                // Outside a list the output is left alone.
                {false, 1002, 2, "kept"},
                {true, 1002, -1, "kept"},
                {true, 4242, 0, "kept"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(std::to_string(row.list) + " " + std::to_string(row.index));
        std::string text = "kept";
        if (row.stored)
            app.ChoiceStoredAt(row.list, row.index, text);
        else
            app.ChoiceDisplayAt(row.list, row.index, text);
        EXPECT_EQ(text, row.expected);
    }
    app.AddChoice(1004, "24", "24");
    EXPECT_EQ(app.CountChoices(1004), 3);
    std::string text;
    app.ChoiceStoredAt(1004, 2, text);
    EXPECT_EQ(text, "24");
}

} // namespace
