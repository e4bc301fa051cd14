#include "App/StringUtil.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

using Items = std::vector<std::string>;

TEST(StringUtil, StringFormatKeepsFormatLengthPlus1024CharactersUpToANul) {
    std::string out = "old";
    StringFormat(out, "%s(%i)", "Code\\Harvel\\CFileHarvel.cpp", 42);
    EXPECT_EQ(out, "Code\\Harvel\\CFileHarvel.cpp(42)");
    std::string filler(1024, 'a');
    StringFormat(out, "%s", filler.c_str()); // 2 + 1024 of room: fits
    EXPECT_EQ(out, filler);
    std::string longer(4000, 'b');
    StringFormat(out, "%s", longer.c_str());
    EXPECT_EQ(out, std::string(1026, 'b'));
    StringFormat(out, "ab%cde", 0);
    EXPECT_EQ(out, "ab");
}

TEST(StringUtil, FormatTextKeeps8191CharactersOfItsExpansion) {
    EXPECT_EQ(FormatText("- Sound device #%d = %s", 2, "Speakers [EAX]"),
              "- Sound device #2 = Speakers [EAX]");
    std::string exact(8191, 'c');
    EXPECT_EQ(FormatText("%s", exact.c_str()), exact);
    std::string longer(10000, 'd');
    EXPECT_EQ(FormatText("%s", longer.c_str()), std::string(8191, 'd'));
}

TEST(StringUtil, LeftAndRightTakeTheFirstOrLastCharactersOrAll) {
    EXPECT_EQ(Left("English", 3), "Eng");
    EXPECT_EQ(Left("English", 0), "");
    EXPECT_EQ(Left("English", 7), "English");
    EXPECT_EQ(Left("English", 100), "English");
    EXPECT_EQ(Right("Config.ini", 4), ".ini");
    EXPECT_EQ(Right("Config.ini", 0), "");
    EXPECT_EQ(Right("Config.ini", 10), "Config.ini");
}

TEST(StringUtil, SplitListDropsBlanksAndAnEmptyLastItemOnly) {
    const struct {
        const char* text;
        Items items;
    } rows[] = {{" a, b ,c", {"a", "b", "c"}},
                {"Deutsch\t, Fran cais", {"Deutsch", "Francais"}},
                {"a,,b", {"a", "", "b"}},
                {"a,", {"a"}},
                {",a", {"", "a"}},
                {",", {""}},
                {"", {}},
                {" \t ", {}}};
    for (const auto& row : rows) {
        Items items{"stale"};
        SplitList(row.text, items);
        EXPECT_EQ(items, row.items) << '"' << row.text << '"';
    }
}

TEST(StringUtil, JoinListAppendsWithBlankCommaBlankAndSplitListUndoesIt) {
    std::string out;
    JoinList({"a", "b", "c"}, out);
    EXPECT_EQ(out, "a , b , c");
    std::string one = "x";
    JoinList({"y"}, one);
    EXPECT_EQ(one, "xy");
    std::string none = "kept";
    JoinList({}, none);
    EXPECT_EQ(none, "kept");
    Items languages{"English", "Francais", "Deutsch"}, back;
    std::string text;
    JoinList(languages, text);
    SplitList(text, back);
    EXPECT_EQ(back, languages);
}
