#include "App/StringUtil.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace {

template <typename... Args> std::string Formatted(const char* format, Args... args) {
    std::string out = "old";
    StringFormat(out, format, args...);
    return out;
}

} // namespace

TEST(StringUtil, FormatAndCutGiveTheseTexts) {
    const std::string a1024(1024, 'a'), b4000(4000, 'b'), c8191(8191, 'c'), d9000(9000, 'd');
    const std::string rows[][2] = {
        {Formatted("%s(%i)", "Code\\Harvel\\CFileHarvel.cpp", 42),
         "Code\\Harvel\\CFileHarvel.cpp(42)"},
        {Formatted("%s", a1024.c_str()), a1024}, // 2 + 1024 of room
        {Formatted("%s", b4000.c_str()), std::string(1026, 'b')},
        {Formatted("ab%cde", 0), "ab"},
        {FormatText("- Sound device #%d = %s", 2, "Speakers [EAX]"),
         "- Sound device #2 = Speakers [EAX]"},
        {FormatText("%s", c8191.c_str()), c8191}, // 8192 bytes with the NUL
        {FormatText("%s", d9000.c_str()), std::string(8191, 'd')},
        {Left("English", 3), "Eng"},
        {Left("English", 0), ""},
        {Left("English", 100), "English"},
        {Right("Config.ini", 4), ".ini"},
        {Right("Config.ini", 0), ""},
        {Right("Config.ini", 10), "Config.ini"},
    };
    for (const auto& row : rows)
        EXPECT_EQ(row[0], row[1]);
}

TEST(StringUtil, SplitListDropsBlanksAndAnEmptyLastItemAndJoinListUndoesIt) {
    const struct {
        std::string text;
        std::vector<std::string> items;
    } rows[] = {{" a, b ,c", {"a", "b", "c"}},
                {"Deutsch\t, Fran cais", {"Deutsch", "Francais"}},
                {"a,,b", {"a", "", "b"}},
                {"a,", {"a"}},
                {",a", {"", "a"}},
                {",", {""}},
                {" \t ", {}}};
    for (const auto& row : rows) {
        std::vector<std::string> items{"stale"};
        SplitList(row.text, items);
        EXPECT_EQ(items, row.items) << '"' << row.text << '"';
    }
    const struct {
        std::vector<std::string> items;
        std::string before, after;
    } joins[] = {{{"a", "b", "c"}, "", "a , b , c"}, {{"y"}, "x", "xy"}, {{}, "kept", "kept"}};
    for (auto row : joins) {
        JoinList(row.items, row.before);
        EXPECT_EQ(row.before, row.after);
    }
}
