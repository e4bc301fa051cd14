// The tool asks Windows to run it with the user's own rights, and `check` finds the redirected
// copy that shadows the settings file for programs without administrator rights.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <sstream>

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

TEST(AccountControl, TheToolRunsAsInvokedAndTheDialogAsksNothing) {
    EXPECT_NE(Manifest(VELMARK_TOOL_EXE).find("<requestedExecutionLevel level=\"asInvoker\""),
              std::string::npos);
    EXPECT_EQ(Manifest(VELMARK_DIALOG_EXE), "none");
}

TEST(AccountControl, CheckFindsTheCopyThatShadowsTheSettingsFile) {
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
    ScriptedAudio::Reset({});
    for (bool shadowed : {false, true}) {
        if (shadowed)
            TempDir::WriteFile(copy.substr(local.size() - 5), defaults);
        std::ostringstream out, err;
        EXPECT_EQ(RunCommandLine({"--game", "game", "check"}, out, err), shadowed ? 1 : 0);
        EXPECT_EQ(out.str().find("shadowed: Player\\Config.ini: programs run without "
                                 "administrator rights, the game among them, read and write the "
                                 "copy " +
                                 copy + " instead"),
                  shadowed ? 0 : std::string::npos)
            << out.str();
        SetCurrentDirectoryA(here);
    }
    SetEnvironmentVariableA("LOCALAPPDATA", nullptr);
}
