// The lenient grammar, read from bytes in memory, and the section tree it builds.
#include <gtest/gtest.h>

#include "IniTestSupport.h"

TEST(IniReader, TextGivesTheseSectionsAndKeys) {
    const struct {
        std::string text, expected;
    } rows[] = {
        {"key=value", "KEY=value|"},
        {"[player]\r\n  Name =  \"Bob\"  ; note\r\n", "[PLAYER]{NAME=Bob|}"},
        // Comment markers cut only outside quotes.
        {"A = \"a;b//c\"\nB = a;b\nC = \"a\" ; b\nD = x // y\nE = x /* y */ z\n"
         "F = \"p/*q\" // r\n; G = x\n  // H = x\n",
         "A=a;b//c|B=a|C=a|D=x|E=x|F=p/*q|"},
        // A lone quote lets the comment cut and the value run on over lines.
        {"KEY = \"x ; y\n  second ; line\nthird\"\nOTHER = 1\n",
         "KEY=x\n  second ; line\nthird|OTHER=1|"},
        {"[S]\r\nKEY = \"one\r\n[NOT A HEADER]\r\nthree\"\r\nNEXT = 2\r\n",
         "[S]{KEY=one\n[NOT A HEADER]\nthree|NEXT=2|}"},
        {"KEY = \"abc", "KEY=abc|"},
        {"KEY = \"abc\n", "KEY=abc|"},
        {"KEY = \"abc\n\n", "KEY=abc\n|"},
        {"A = \"\"x\"\"\nB = \"a\"b\"\nC = \"\nD = plain\"\nE = \"\"\n",
         "A=x|B=a\"b|C=|D=plain|E=|"},
        {"=5\nKEY == 5\nOTHER = =5\nSUM = a=b\n", "=5|KEY= 5|OTHER=5|SUM=a=b|"},
        {"[ Options ]\nA = 1\n[OTHER]\nB = 2\n[OPTIONS]\nC = 3\n",
         "[OPTIONS]{A=1|C=3|}[OTHER]{B=2|}"},
        {"[S]\nA = 1\n[]\nB = 2\n[[ ]]\nC = 3\n", "B=2|C=3|[S]{A=1|}"},
        {"[[X]]\nA = 1\n[Y]Z]\nB = 2\n", "[X]{A=1|}[Y]Z]{B=2|}"},
        {"width = 1\nWIDTH = 2\nWidth = 3\n", "WIDTH=3|"},
        {"[A/B]\nX = 1\n[a//b]\nY = 2\n[a\\b]\nZ = 3\n", "[A]{[B]{X=1|Y=2|Z=3|}}"},
        {"[LONELY]\n[Other/Child]\n", "[LONELY]{}[OTHER]{[CHILD]{}}"},
        {"A = 1\nbare word\n[unclosed\nB = 2\n", "A=1|B=2|"},
        // CR, LF and NUL each end a line; CR LF, LF CR and NUL then CR or LF are one end.
        {Bytes("A=1\rB=2\n\rC=3\r\nD=4\0E=5\0\nF=6"), "A=1|B=2|C=3|D=4|E=5|F=6|"},
        {"K = \"a\r\rb\"", "K=a\n\nb|"},
        {Bytes("K = \"a\0b\""), "K=a\nb|"},
        {"\n   \t\n; one\n// two\n/* three\n", ""},
        {"\"", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(Describe(*Parsed(row.text)), row.expected);
    }
}

TEST(IniReader, ParsingAgainReplacesTheContentAndNullGivesNothing) {
    auto doc = Parsed("[OLD]\nA = 1\n");
    doc->Parse("B=2", 3);
    EXPECT_EQ(Describe(*doc), "B=2|");
    doc->Parse(nullptr, 0);
    EXPECT_EQ(Describe(*doc), "");
}

TEST(IniReader, HugeLinesAndPathsStayInsideTheirLimits) {
    EXPECT_EQ(ValueAt(*Parsed("KEY = " + std::string(10 << 20, 'x')), "", "KEY").size(), 10u << 20);
    EXPECT_EQ(ValueAt(*Parsed("K = \"" + std::string(4 << 20, 'q')), "", "K").size(), 4u << 20);
    std::string text = "[";
    for (int i = 0; i < 1000000; ++i)
        text += (i % 2 ? "b/" : "a/");
    auto doc = Parsed(text + "]\nK = v\n");
    EXPECT_EQ(SectionCount(*doc), static_cast<size_t>(kIniMaxDepth));
    const CIniFile* node = doc.get();
    while (!node->Sections().empty())
        node = node->Sections().begin()->second.get();
    EXPECT_EQ(Describe(*node), "K=v|");
}

TEST(IniPaths, UpperCaseAndComparisonTouchOnlyAsciiLetters) {
    EXPECT_EQ(ToUpperCopy(Bytes("abc-xyz_09 Fran\xE7"
                                "ais \xE9t\xE9\0b")),
              Bytes("ABC-XYZ_09 FRAN\xE7"
                    "AIS \xE9T\xE9\0B"));
    const struct {
        const char *a, *b;
        int sign;
    } rows[] = {{"Options", "OPTIONS", 0}, {"abc", "abd", -1}, {"b", "A", 1},
                {"ab", "abc", -1},         {"abc", "ab", 1},   {"\xE9", "z", 1},
                {"\xC9", "\xE9", -1},      {"", "A", -1}};
    for (const auto& row : rows) {
        SCOPED_TRACE(std::string(row.a) + " " + row.b);
        const int result = CompareNoCase(row.a, row.b);
        EXPECT_EQ((result > 0) - (result < 0), row.sign);
    }
}

TEST(IniPaths, SplitCollapsesDoubledSeparatorsAndSplitsAtTheEarliest) {
    const struct {
        const char *path, *head, *tail;
        bool separator;
    } rows[] = {{"OPTIONS", "OPTIONS", "OPTIONS", false},
                {"a////b", "a", "b", true},
                {"a\\\\\\b//c", "a", "b/c", true},
                {"a\\b/c", "a", "b/c", true},
                {"a/b\\c", "a", "b\\c", true},
                {"a/", "a", "", true},
                {"", "", "", false}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.path);
        std::string head, tail;
        bool separator = !row.separator;
        SplitSectionPath(row.path, head, tail, separator);
        EXPECT_EQ(head, row.head);
        EXPECT_EQ(tail, row.tail);
        EXPECT_EQ(separator, row.separator);
    }
}

TEST(IniPaths, AddSectionBuildsEachLevelOnceAndFindSectionCreatesNothing) {
    CIniFile doc;
    EXPECT_EQ(doc.FindSection(""), &doc);
    EXPECT_EQ(doc.FindSection("A/B"), nullptr);
    EXPECT_EQ(doc.AddSection(""), &doc);
    EXPECT_EQ(doc.AddSection("/"), &doc);
    EXPECT_TRUE(doc.Sections().empty());

    CIniFile* options = doc.AddSection("Options");
    EXPECT_EQ(doc.Sections().at("OPTIONS").get(), options);
    EXPECT_EQ(options->GetParent(), &doc);
    EXPECT_EQ(doc.AddSection("OPTIONS/"), options);
    EXPECT_EQ(doc.FindSection("options"), options);
    // A path naming the node itself stays there.
    EXPECT_EQ(doc.FindSection("Options/OPTIONS"), options);
    EXPECT_EQ(doc.AddSection("OPTIONS/OPTIONS"), options);

    CIniFile* leaf = doc.AddSection("a/b\\c");
    EXPECT_EQ(leaf->GetParent()->GetParent(), doc.FindSection("A"));
    EXPECT_EQ(doc.FindSection("A//B\\\\C"), leaf);
    EXPECT_EQ(doc.FindSection("a\\b/c"), leaf);
    EXPECT_EQ(Describe(doc), "[a]{[b]{[c]{}}}[Options]{}");
}

TEST(IniPaths, NestingStopsAtTheDepthLimitWithoutRecursion) {
    std::string path;
    for (int i = 0; i < kIniMaxDepth + 40; ++i)
        path += (i % 2 ? "B/" : "A/");
    CIniFile doc;
    CIniFile* deepest = doc.AddSection(path);
    EXPECT_EQ(SectionCount(doc), static_cast<size_t>(kIniMaxDepth));
    EXPECT_EQ(doc.AddSection(path), deepest);

    std::string same;
    for (int i = 0; i < 1000000; ++i)
        same += "A/";
    CIniFile other;
    CIniFile* a = other.AddSection(same);
    EXPECT_EQ(a, other.FindSection("A"));
    // Below A, "A/A/..." is looked up as a child named A, which does not exist.
    EXPECT_EQ(other.FindSection(same), nullptr);
    EXPECT_EQ(SectionCount(other), 1u);
}
