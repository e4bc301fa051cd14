// The message boxes and the string functions.
#include <gtest/gtest.h>

#include "App/Report.h"
#include "App/StringUtil.h"
#include "App/Windows1252.h"
#include "BoxCapture.h"
#include "FatalExitCode.h"
#include "TempDir.h"

template <typename... Args> static std::string Formatted(const char* format, Args... args) {
    std::string out = "old";
    StringFormat(out, format, args...);
    return out;
}

// The boxes a warning shows: one box, exclamation, OK, system modal.
template <typename... Args> static std::string Warned(const char* format, Args... args) {
    BoxCapture boxes;
    ReportWarning(format, args...);
    EXPECT_EQ(boxes.Boxes().at(0).style, 0x1030u);
    return boxes.Shown();
}

TEST(App, TextsAreExpandedAndCutToTheirBuffersAndAnErrorEndsTheProcess) {
    const std::string a1024(1024, 'a'), b4000(4000, 'b'), c8191(8191, 'c'), d9000(9000, 'd');
    const std::string rows[][2] = {
        {Formatted("%s(%i)", "Code\\Ini\\CIniFile.cpp", 42), "Code\\Ini\\CIniFile.cpp(42)"},
        // Room for the format's length plus 1024 characters.
        {Formatted("%s", a1024.c_str()), a1024},
        {Formatted("%s", b4000.c_str()), std::string(1026, 'b')},
        {Formatted("ab%cde", 0), "ab"},
        {Warned("%s has %d keys", "OPTIONS", 92), "WARNING: OPTIONS has 92 keys\n"},
        {Warned("%s", "first\n100% sure %d %s"), "WARNING: first\n100% sure %d %s\n"},
        {Warned("<%s>", b4000.c_str() + 2974), "WARNING: <" + std::string(1026, 'b') + ">\n"},
        {Warned("<%s>", b4000.c_str()), "WARNING: <" + std::string(1027, 'b') + "\n"},
        // 8192 bytes with the NUL.
        {FormatText("- Sound device #%d = %s", 2, "Speakers"), "- Sound device #2 = Speakers"},
        {FormatText("%s", c8191.c_str()), c8191},
        {FormatText("%s", d9000.c_str()), std::string(8191, 'd')},
        {Left("English", 3) + Left("English", 0) + Left("English", 100) + Right("Config.ini", 4) +
             Right("Config.ini", 0) + Right("Config.ini", 10),
         "EngEnglish.iniConfig.ini"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row[0], row[1]);
    // An error's box is the whole standard error of the dying process: nothing after it runs.
    BoxCapture boxes(true);
    EXPECT_EXIT((ReportError("Fatal %d", 7), ShowMessage("never shown", "AFTER")),
                testing::ExitedWithCode(kFatalExitCode), "^box 1 ERROR: Fatal 7\n$");
}

TEST(App, SplitListDropsBlanksAndAnEmptyLastItemAndJoinListUndoesIt) {
    ExpectEachRow(TEST_DATA "/split.txt", [](const Row& row) {
        std::vector<std::string> items{"stale"};
        SplitList(row[0], items);
        std::string result, joined = "x";
        for (const std::string& item : items)
            result += "[" + item + "]";
        JoinList(items, joined);
        return result + " " + joined;
    });
}

TEST(App, Windows1252TextsWidenToTheCharactersTheCodePageNames) {
    for (const Row& row : ReadTable(TEST_DATA "/windows1252.txt"))
        EXPECT_EQ(WidenWindows1252(row[0]), Wide(row[1])) << row[0];
}
