// Names, section paths and the section tree.
#include <gtest/gtest.h>

#include "IniTestSupport.h"

TEST(IniPaths, UpperCaseChangesOnlyAsciiLetters) {
    EXPECT_EQ(ToUpperCopy("abc-xyz_09"), "ABC-XYZ_09");
    EXPECT_EQ(ToUpperCopy("Fran\xE7"
                          "ais \xE9t\xE9"),
              "FRAN\xE7"
              "AIS \xE9T\xE9");
    EXPECT_EQ(ToUpperCopy(std::string("a\0b", 3)), std::string("A\0B", 3));
}

TEST(IniPaths, CompareNoCaseIgnoresAsciiCaseAndOrdersBytesUnsigned) {
    EXPECT_EQ(CompareNoCase("Options", "OPTIONS"), 0);
    EXPECT_LT(CompareNoCase("abc", "abd"), 0);
    EXPECT_GT(CompareNoCase("b", "A"), 0);
    EXPECT_LT(CompareNoCase("ab", "abc"), 0);
    EXPECT_GT(CompareNoCase("abc", "ab"), 0);
    EXPECT_GT(CompareNoCase("\xE9", "z"), 0);
    EXPECT_NE(CompareNoCase("\xC9", "\xE9"), 0); // no case outside ASCII
    EXPECT_NE(CompareNoCase("", "A"), 0);
}

TEST(IniPaths, SplitCollapsesDoubledSeparatorsAndSplitsAtTheEarliest) {
    std::string head, tail;
    bool separator = true;
    SplitSectionPath("OPTIONS", head, tail, separator);
    EXPECT_EQ(head, "OPTIONS");
    EXPECT_EQ(tail, "OPTIONS");
    EXPECT_FALSE(separator);

    SplitSectionPath("a////b", head, tail, separator);
    EXPECT_EQ(head, "a");
    EXPECT_EQ(tail, "b");
    EXPECT_TRUE(separator);

    SplitSectionPath("a\\\\\\b//c", head, tail, separator);
    EXPECT_EQ(head, "a");
    EXPECT_EQ(tail, "b/c");

    SplitSectionPath("a\\b/c", head, tail, separator);
    EXPECT_EQ(head, "a");
    EXPECT_EQ(tail, "b/c");
    SplitSectionPath("a/b\\c", head, tail, separator);
    EXPECT_EQ(head, "a");
    EXPECT_EQ(tail, "b\\c");

    SplitSectionPath("a/", head, tail, separator);
    EXPECT_EQ(head, "a");
    EXPECT_EQ(tail, "");
    EXPECT_TRUE(separator);

    SplitSectionPath("", head, tail, separator);
    EXPECT_EQ(head, "");
    EXPECT_EQ(tail, "");
    EXPECT_FALSE(separator);
}

TEST(IniPaths, FindSectionCreatesNothing) {
    CIniFile doc;
    EXPECT_EQ(doc.FindSection(""), &doc);
    EXPECT_EQ(doc.FindSection("OPTIONS"), nullptr);
    EXPECT_EQ(doc.FindSection("A/B"), nullptr);
    EXPECT_TRUE(doc.Sections().empty());
}

TEST(IniPaths, AddSectionKeepsTheCallersCaseAndFilesItUnderUpperCase) {
    CIniFile doc;
    CIniFile* options = doc.AddSection("Options");
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(options->GetSectionName(), "Options");
    EXPECT_EQ(options->GetParent(), &doc);
    ASSERT_EQ(doc.Sections().count("OPTIONS"), 1u);
    EXPECT_EQ(doc.Sections().at("OPTIONS").get(), options);

    EXPECT_EQ(doc.AddSection("OPTIONS"), options);
    EXPECT_EQ(doc.FindSection("options"), options);
    EXPECT_EQ(doc.Sections().size(), 1u);
}

TEST(IniPaths, AddSectionBuildsEveryMissingLevel) {
    CIniFile doc;
    CIniFile* leaf = doc.AddSection("a/b\\c");
    ASSERT_NE(leaf, nullptr);
    EXPECT_EQ(leaf->GetSectionName(), "c");
    CIniFile* b = leaf->GetParent();
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->GetSectionName(), "b");
    EXPECT_EQ(b->GetParent(), doc.FindSection("A"));
    EXPECT_EQ(doc.FindSection("A//B\\\\C"), leaf);
    EXPECT_EQ(doc.FindSection("a\\b/c"), leaf);
    EXPECT_EQ(SectionCount(doc), 3u);
}

TEST(IniPaths, APathNamingTheNodeItselfStaysThere) {
    CIniFile doc;
    CIniFile* a = doc.AddSection("A");
    EXPECT_EQ(doc.FindSection("A/A"), a);
    EXPECT_EQ(doc.AddSection("A/A"), a);
    EXPECT_EQ(a->FindSection("a"), a);
    EXPECT_EQ(a->FindSection(""), a);
    EXPECT_EQ(SectionCount(doc), 1u);
}

TEST(IniPaths, EmptyComponentsAddNothing) {
    CIniFile doc;
    EXPECT_EQ(doc.AddSection(""), &doc);
    EXPECT_EQ(doc.AddSection("/"), &doc);
    CIniFile* a = doc.AddSection("A/");
    EXPECT_EQ(a, doc.FindSection("A"));
    EXPECT_EQ(SectionCount(doc), 1u);
}

TEST(IniPaths, NestingStopsAtTheDepthLimit) {
    std::string path;
    for (int i = 0; i < kIniMaxDepth + 40; ++i)
        path += (i % 2 ? "B/" : "A/");
    CIniFile doc;
    CIniFile* deepest = doc.AddSection(path);
    int depth = 0;
    for (CIniFile* node = deepest; node->GetParent(); node = node->GetParent())
        ++depth;
    EXPECT_EQ(depth, kIniMaxDepth);
    EXPECT_EQ(SectionCount(doc), static_cast<size_t>(kIniMaxDepth));
    EXPECT_EQ(doc.AddSection(path), deepest);
}

TEST(IniPaths, AMillionComponentPathIsWalkedWithoutRecursion) {
    std::string path;
    path.reserve(2000000);
    for (int i = 0; i < 1000000; ++i)
        path += "A/";
    CIniFile doc;
    CIniFile* a = doc.AddSection(path);
    EXPECT_EQ(a, doc.FindSection("A"));
    // Below A, FindSection looks "A/A/..." up as a child named A, which does not exist.
    EXPECT_EQ(doc.FindSection(path), nullptr);
    EXPECT_EQ(SectionCount(doc), 1u);
}
