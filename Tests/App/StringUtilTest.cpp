#include "App/StringUtil.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

using Items = std::vector<std::string>;

TEST(StringUtil, StringFormatGivesNameFollowedByLineInParentheses) {
    std::string out = "old";
    StringFormat(out, "%s(%i)", "Code\\Harvel\\CFileHarvel.cpp", 42);
    EXPECT_EQ(out, "Code\\Harvel\\CFileHarvel.cpp(42)");
}

TEST(StringUtil, StringFormatKeepsFormatLengthPlus1024Characters) {
    std::string out;
    std::string filler(1024, 'a');
    StringFormat(out, "%s", filler.c_str()); // 2 + 1024 of room: fits
    EXPECT_EQ(out, filler);
    std::string longer(4000, 'b');
    StringFormat(out, "%s", longer.c_str());
    EXPECT_EQ(out, std::string(1026, 'b'));
}

TEST(StringUtil, StringFormatStopsAtTheFirstNul) {
    std::string out;
    StringFormat(out, "ab%cde", 0);
    EXPECT_EQ(out, "ab");
}

TEST(StringUtil, FormatTextExpandsItsArguments) {
    EXPECT_EQ(FormatText("%d", 12), "12");
    EXPECT_EQ(FormatText("- Sound device #%d = %s", 2, "Speakers [EAX]"),
              "- Sound device #2 = Speakers [EAX]");
}

TEST(StringUtil, FormatTextKeeps8191CharactersOfALongerExpansion) {
    std::string exact(8191, 'c');
    EXPECT_EQ(FormatText("%s", exact.c_str()), exact);
    std::string longer(10000, 'd');
    EXPECT_EQ(FormatText("%s", longer.c_str()), std::string(8191, 'd'));
}

TEST(StringUtil, LeftTakesTheFirstCharactersOrAll) {
    EXPECT_EQ(Left("English", 3), "Eng");
    EXPECT_EQ(Left("English", 0), "");
    EXPECT_EQ(Left("English", 7), "English");
    EXPECT_EQ(Left("English", 100), "English");
}

TEST(StringUtil, RightTakesTheLastCharacters) {
    EXPECT_EQ(Right("Config.ini", 4), ".ini");
    EXPECT_EQ(Right("Config.ini", 0), "");
    EXPECT_EQ(Right("Config.ini", 10), "Config.ini");
}

TEST(StringUtil, SplitListRemovesBlanksAndTabsEverywhere) {
    Items items{"stale"};
    SplitList(" a, b ,c", items);
    EXPECT_EQ(items, (Items{"a", "b", "c"}));
    SplitList("Deutsch\t, Fran cais", items);
    EXPECT_EQ(items, (Items{"Deutsch", "Francais"}));
}

TEST(StringUtil, SplitListKeepsInnerEmptyItemsAndDropsAnEmptyLastOne) {
    Items items;
    SplitList("a,,b", items);
    EXPECT_EQ(items, (Items{"a", "", "b"}));
    SplitList("a,", items);
    EXPECT_EQ(items, (Items{"a"}));
    SplitList(",a", items);
    EXPECT_EQ(items, (Items{"", "a"}));
    SplitList(",", items);
    EXPECT_EQ(items, (Items{""}));
}

TEST(StringUtil, SplitListOfAnEmptyOrBlankTextGivesNoItem) {
    Items items{"stale"};
    SplitList("", items);
    EXPECT_TRUE(items.empty());
    items = {"stale"};
    SplitList(" \t ", items);
    EXPECT_TRUE(items.empty());
}

TEST(StringUtil, JoinListAppendsWithBlankCommaBlank) {
    std::string out;
    JoinList({"a", "b", "c"}, out);
    EXPECT_EQ(out, "a , b , c");
    std::string one = "x";
    JoinList({"y"}, one);
    EXPECT_EQ(one, "xy");
    std::string none = "kept";
    JoinList({}, none);
    EXPECT_EQ(none, "kept");
}

TEST(StringUtil, SplitListUndoesJoinList) {
    Items languages{"English", "Francais", "Deutsch"};
    std::string text;
    JoinList(languages, text);
    Items back;
    SplitList(text, back);
    EXPECT_EQ(back, languages);
}
