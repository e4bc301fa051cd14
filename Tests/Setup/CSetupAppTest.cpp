#include "Setup/CSetupApp.h"

#include <gtest/gtest.h>

#include "BoxCapture.h"
#include "Ini/LocalizationTesting.h"
#include "TempDir.h"

namespace {

#if defined(_WIN32)
const int kFatalExitCode = -1;
#else
const int kFatalExitCode = 255; // _exit(-1) as the shell sees it
#endif

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
        for (const std::string& part : parts) {
            from = text.find(part, from);
            if (from == std::string::npos)
                return false;
            from += part.size();
        }
        return true;
    }
    void DescribeTo(std::ostream* os) const override {
        *os << "holds, in order:";
        for (const std::string& part : parts)
            *os << " [" << part << "]";
    }

private:
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
}

TEST_F(SetupAppTest, CompleteFileIsLeftAsItIs) {
    // Any non-empty text passes the check, even one that no list holds.
    const std::string config = Replace(DefaultConfig(), "\"(800,600)\"", "\"(1280,1024)\"");
    TempDir::WriteFile(kConfig, config);
    TestApp app;
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_EQ(TempDir::ReadFile(kConfig), config);
    EXPECT_EQ(app.settings.GetString("OPTIONS", "RESOLUTION"), "(1280,1024)");
    EXPECT_TRUE(app.settingsLoaded);
}

TEST_F(SetupAppTest, EmptyPlayerNameRebuildsEveryKey) {
    std::string config = Replace(DefaultConfig(), "NAME = \"Player\"", "NAME = \"\"");
    config = Replace(config, "LOD                 = \"1\"", "LOD                 = \"0\"");
    TempDir::WriteFile(kConfig, config);
    TestApp app;
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_EQ(TempDir::ReadFile(kConfig), DefaultConfig());
    EXPECT_EQ(app.settings.GetString("OPTIONS", "LOD"), "1");
}

TEST_F(SetupAppTest, MissingPresetOrErrorValueRebuilds) {
    TempDir::WriteFile(kConfig, "[OPTIONS]\r\nLOD = \"0\"\r\n[PLAYER]\r\nNAME = \"Ann\"\r\n");
    TestApp first;
    EXPECT_EQ(TempDir::ReadFile(kConfig), DefaultConfig());

    TempDir::WriteFile(kConfig, Replace(DefaultConfig(), "\"Player\"", "\"__INI_ERROR__\""));
    TestApp second;
    EXPECT_EQ(TempDir::ReadFile(kConfig), DefaultConfig());
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(SetupAppTest, ExtraKeysAndSectionsSurviveARebuild) {
    TempDir::WriteFile(kConfig, "[OPTIONS]\r\nLOD = \"0\"\r\nGAMMA = \"1.2\"\r\n"
                                "[MODS]\r\nFOO = \"bar\"\r\n");
    TestApp app;
    EXPECT_FALSE(app.IsSettingsIncomplete());
    EXPECT_EQ(app.settings.GetString("OPTIONS", "LOD"), "1");
    EXPECT_EQ(app.settings.GetString("OPTIONS", "GAMMA"), "1.2");
    EXPECT_EQ(app.settings.GetString("MODS", "FOO"), "bar");
    const std::string written = TempDir::ReadFile(kConfig);
    EXPECT_NE(written.find("\r\n[MODS]\r\n\r\n\tFOO = \"bar\"\r\n"), std::string::npos);
    EXPECT_NE(written.find("\tFORESTSIZE          = \"6.600000\"\r\n\tGAMMA               = "
                           "\"1.2\"\r\n"),
              std::string::npos);
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

TEST_F(SetupAppTest, NewObjectHasItsInitialState) {
    TempDir::WriteFile(kConfig, DefaultConfig());
    TestApp app;
    EXPECT_EQ(app.dialog, nullptr);
    EXPECT_EQ(app.tabPages, nullptr);
    for (int page = 0; page < 3; ++page) {
        EXPECT_TRUE(app.pageNeedsFill[page]);
        EXPECT_TRUE(app.pageNeedsInit[page]);
    }
    EXPECT_EQ(app.settingsPath, "Player\\Config.ini");
    EXPECT_EQ(app.configSource, 0);
    EXPECT_EQ(app.currentPage, 0);
    EXPECT_FALSE(app.IsDone());
    app.SetDone();
    EXPECT_TRUE(app.IsDone());
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

    std::string text;
    app.ChoiceDisplayAt(1002, 1, text);
    EXPECT_EQ(text, "1024*768");
    app.ChoiceStoredAt(1002, 1, text);
    EXPECT_EQ(text, "(1024,768)");
    // The level of detail is stored high for low quality.
    app.ChoiceDisplayAt(1023, 0, text);
    EXPECT_EQ(text, "E_SETUP_LOW");
    app.ChoiceStoredAt(1023, 0, text);
    EXPECT_EQ(text, "2");
    app.ChoiceStoredAt(1007, 2, text);
    EXPECT_EQ(text, "High");
    app.ChoiceDisplayAt(1074, 1, text);
    EXPECT_EQ(text, "E_MSG_MENUS_SOUND_STEREO");
    app.ChoiceStoredAt(1011, 0, text);
    EXPECT_EQ(text, "1");
}

TEST_F(SetupAppTest, ChoiceOutsideAListLeavesTheOutputAlone) {
    TestApp app;
    std::string text = "kept";
    app.ChoiceDisplayAt(1002, 2, text);
    app.ChoiceStoredAt(1002, -1, text);
    app.ChoiceStoredAt(4242, 0, text);
    EXPECT_EQ(text, "kept");
}

TEST_F(SetupAppTest, AddedChoiceJoinsTheEndOfItsList) {
    TestApp app;
    app.AddChoice(1004, "24", "24");
    EXPECT_EQ(app.CountChoices(1004), 3);
    std::string text;
    app.ChoiceStoredAt(1004, 2, text);
    EXPECT_EQ(text, "24");
}

} // namespace
