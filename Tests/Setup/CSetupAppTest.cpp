#include "Setup/CSetupApp.h"

#include <algorithm>
#include <filesystem>

#include <gtest/gtest.h>

#include "BoxCapture.h"
#include "FatalExitCode.h"
#include "Ini/CIniFile.h"
#include "Ini/Localization.h"
#include "Ini/LocalizationTesting.h"
#include "Setup/SettingsApply.h"
#include "TempDir.h"

namespace {

const char* const kConfig = "Player/Config.ini";

// A fresh application object each time; the program's own one is a singleton.
class TestApp : public CSetupApp {};

// `text` with the first occurrence of `from` replaced by `to`.
std::string Replace(std::string text, const std::string& from, const std::string& to) {
    size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? text : text.replace(at, from.size(), to);
}

class SetupAppTest : public ::testing::Test {
protected:
    void SetUp() override {
        ResetLocalizationForTesting();
        TempDir::MakeDir("Player");
    }

    TempDir dir;
    BoxCapture boxes;
};

TEST_F(SetupAppTest, MissingOrIncompleteFileIsRebuiltInFullKeepingExtras) {
    const std::string defaults =
        TempDir::ReadFile(VELMARK_SOURCE_ROOT "/Tests/Setup/data/default_config.ini");
    // Any non-empty text passes the check, even one that no list holds.
    const std::string complete = Replace(defaults, "\"(800,600)\"", "\"(1280,1024)\"");
    const struct {
        std::string text, expected; // no file for an empty text
    } rows[] = {
        {"", defaults},
        {complete, complete},
        {"[OPTIONS]\r\nLOD = \"0\"\r\n[PLAYER]\r\nNAME = \"Ann\"\r\n", defaults},
        {Replace(defaults, "\"Player\"", "\"\""), defaults},
        {Replace(defaults, "ANIMATEDMENUS       = \"0\"", "ANIMATEDMENUS       = \"\""), defaults},
        // Extra keys and sections survive a rebuild.
        {"[OPTIONS]\r\nLOD = \"0\"\r\nGAMMA = \"1.2\"\r\n[MODS]\r\nFOO = \"bar\"\r\n",
         "\r\n[MODS]\r\n\r\n\tFOO = \"bar\"\r\n" +
             Replace(defaults, "= \"6.600000\"\r\n",
                     "= \"6.600000\"\r\n\tGAMMA               = \"1.2\"\r\n")},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(&row - rows);
        if (!row.text.empty())
            TempDir::WriteFile(kConfig, row.text);
        TestApp app;
        EXPECT_EQ(TempDir::ReadFile(kConfig), row.expected);
        EXPECT_TRUE(app.settingsLoaded && !app.IsSettingsIncomplete());
    }
    // Only the missing file's failed open.
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].caption, "CFileHarvel Error");
}

using SetupAppDeathTest = SetupAppTest;

TEST_F(SetupAppDeathTest, AFileThatCannotBeRebuiltEndsTheProgram) {
    // Without its folder the settings file can neither be read nor written.
    std::filesystem::remove("Player");
    EXPECT_EXIT(
        {
            BoxCapture echo(true);
            TestApp app;
        },
        ::testing::ExitedWithCode(kFatalExitCode),
        "ERROR: Sauvegarde du fichier 'Config.ini' impossible");
}

TEST_F(SetupAppTest, ListsShowTheChosenLanguageAndSlidersTheirRanges) {
    std::filesystem::copy(VELMARK_SOURCE_ROOT "/SampleGame", ".",
                          std::filesystem::copy_options::recursive);
    CIniFile texts;
    ASSERT_TRUE(texts.Load("DATA\\INI\\LocalizedStrings.ini"));
    CreateLocalization();
    RegisterLocalizationSource("GAME", &texts);
    SetLanguage("French");
    TestApp app;
    ExpectEachRow(VELMARK_SOURCE_ROOT "/Tests/Setup/data/lists.txt", [&app](const Row& row) {
        std::string shown;
        for (int i = 0, list = std::stoi(row[1]); i < app.CountChoices(list); ++i) {
            std::string stored, display;
            app.ChoiceStoredAt(list, i, stored);
            app.ChoiceDisplayAt(list, i, display);
            shown += stored + "=" + display + " ";
        }
        int range[3] = {-1, -1, -1}; // left as they are without a slider
        const bool slider = SliderRange(row[0].c_str(), range[0], range[1], range[2]);
        return shown + (slider ? "" : "none ") + std::to_string(range[0]) + " " +
               std::to_string(range[1]) + " " + std::to_string(range[2]);
    });
    // Outside a list the output is left as it was.
    std::string text = "kept";
    app.ChoiceStoredAt(1002, 2, text);
    app.ChoiceDisplayAt(1002, -1, text);
    EXPECT_EQ(text, "kept");
}

TEST(SettingsApply, WritesThePagesThatExistAndAlwaysTheFixedKeys) {
    ExpectEachRow(VELMARK_SOURCE_ROOT "/Tests/Setup/data/applied_keys.txt", [](const Row& row) {
        const bool pages[3] = {row[0][0] == '1', row[0][1] == '1', row[0][2] == '1'};
        CIniFile settings;
        std::string read;
        WriteAppliedKeys(settings, pages, [&](const SettingsKey& key) {
            read += ' ' + std::string(key.key);
            return 0;
        });
        return std::to_string(OptionsSection(settings).Keys().size()) + " written, read:" + read;
    });
}

} // namespace
