// The tool asks Windows to run it with the user's own rights and the dialog with the highest the
// user has; where the game reads a VirtualStore copy, the tool reads that copy and writes both.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <sstream>
#include <string>

#include "BoxCapture.h"
#include "Cli/CommandLine.h"
#include "Sound/ScriptedAudio.h"
#include "TempDir.h"

namespace {

// The text of the program's manifest, or "none".
std::string Manifest(const char* program) {
    HMODULE image = LoadLibraryExA(program, nullptr, LOAD_LIBRARY_AS_DATAFILE);
    EXPECT_NE(image, nullptr) << program;
    HRSRC found = image ? FindResourceA(image, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)) : nullptr;
    const std::string text =
        found ? std::string(static_cast<const char*>(LockResource(LoadResource(image, found))),
                            SizeofResource(image, found))
              : "none";
    if (image)
        FreeLibrary(image);
    return text;
}

} // namespace

TEST(AccountControl, TheToolRunsAsInvokedAndTheDialogAsHighAsTheUserMay) {
    EXPECT_NE(Manifest(VELMARK_TOOL_EXE).find("<requestedExecutionLevel level=\"asInvoker\""),
              std::string::npos);
    EXPECT_NE(
        Manifest(VELMARK_DIALOG_EXE).find("<requestedExecutionLevel level=\"highestAvailable\""),
        std::string::npos);
}

// A game folder under %ProgramData% (here: the test's folder), with a copy of its settings
// file in the user's VirtualStore made by hand, FAR "55" beside the file's "80".
TEST(AccountControl, TheToolReadsTheCopyTheGameReadsAndWritesBoth) {
    TempDir dir;
    std::filesystem::copy(VELMARK_SOURCE_ROOT "/SampleGame", "game",
                          std::filesystem::copy_options::recursive);
    const std::string defaults =
        TempDir::ReadFile(VELMARK_SOURCE_ROOT "/Tests/Setup/data/default_config.ini");
    TempDir::WriteFile("game/Player/Config.ini", defaults);
    char here[MAX_PATH];
    ASSERT_GT(GetCurrentDirectoryA(MAX_PATH, here), 3u);
    const std::string local = std::string(here) + "\\Local";
    const std::string copy =
        local + "\\VirtualStore\\" + std::string(here + 3) + "\\game\\Player\\Config.ini";
    SetEnvironmentVariableA("LOCALAPPDATA", local.c_str());
    SetEnvironmentVariableA("ProgramData", here);
    ScriptedAudio::Reset({});
    auto run = [&](std::vector<std::string> words, int code) {
        words.insert(words.begin(), {"--game", "game"});
        std::ostringstream out, err;
        EXPECT_EQ(RunCommandLine(words, out, err), code) << words[2] << ": " << err.str();
        SetCurrentDirectoryA(here);
        return out.str();
    };
    const std::string far80 = "FAR                 = \"80\"";
    EXPECT_EQ(run({"check"}, 0).find("shadowed"), std::string::npos);
    EXPECT_EQ(run({"get", "FAR"}, 0), "80\n");
    std::string shadowing = defaults;
    shadowing.replace(shadowing.find(far80), far80.size(), "FAR                 = \"55\"");
    TempDir::WriteFile(copy.substr(local.size() - 5), shadowing);
    EXPECT_EQ(run({"check"}, 1)
                  .find("shadowed: Player\\Config.ini: programs run without "
                        "administrator rights, the game among them, read and write "
                        "the copy " +
                        copy + " instead"),
              0u);
    EXPECT_EQ(run({"get", "FAR"}, 0), "55\n");
    EXPECT_EQ(run({"set", "FAR=90"}, 0), "wrote the copy the game reads for this user, " + copy +
                                             ", and Player\\Config.ini\n"
                                             "OPTIONS FAR: \"55\" -> \"90\"\n");
    for (const std::string& file :
         {copy.substr(local.size() - 5), std::string("game/Player/Config.ini")})
        EXPECT_NE(TempDir::ReadFile(file).find("FAR                 = \"90\""), std::string::npos)
            << file;
    SetEnvironmentVariableA("LOCALAPPDATA", nullptr);
    SetEnvironmentVariableA("ProgramData", nullptr);
}
