// The tool asks Windows to run it with the user's own rights and the dialog with the highest the
// user has (the VirtualStore copy the game reads: Tests/Cli/wine_account.py).
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

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
