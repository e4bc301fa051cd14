// The lenient grammar, read from bytes in memory.
#include <gtest/gtest.h>

#include "IniTestSupport.h"

TEST(IniReader, KeyBeforeAnyHeaderBelongsToTheDocument) {
    auto doc = Parsed("key=value");
    EXPECT_EQ(ValueOf(doc.get(), "KEY"), "value");
    EXPECT_EQ(doc->Keys().size(), 1u);
    EXPECT_TRUE(doc->Sections().empty());
}

TEST(IniReader, HeaderAndKeyAreTrimmedUpperCasedAndUnquoted) {
    auto doc = Parsed("[player]\r\n  Name =  \"Bob\"  ; note\r\n");
    CIniFile* player = doc->FindSection("PLAYER");
    ASSERT_NE(player, nullptr);
    EXPECT_EQ(player->GetSectionName(), "PLAYER");
    EXPECT_EQ(ValueOf(player, "NAME"), "Bob");
}

TEST(IniReader, CommentMarkersCutOnlyOutsideQuotes) {
    auto doc = Parsed("A = \"a;b//c\"\n"
                      "B = a;b\n"
                      "C = \"a\" ; b\n"
                      "D = x // y\n"
                      "E = x /* y */ z\n"
                      "F = \"p/*q\" // r\n"
                      "; G = commented out\n"
                      "  // H = commented out\n");
    EXPECT_EQ(ValueOf(doc.get(), "A"), "a;b//c");
    EXPECT_EQ(ValueOf(doc.get(), "B"), "a");
    EXPECT_EQ(ValueOf(doc.get(), "C"), "a");
    EXPECT_EQ(ValueOf(doc.get(), "D"), "x");
    EXPECT_EQ(ValueOf(doc.get(), "E"), "x");
    EXPECT_EQ(ValueOf(doc.get(), "F"), "p/*q");
    EXPECT_EQ(doc->Keys().size(), 6u);
}

TEST(IniReader, OneLoneQuoteLetsTheCommentCutAndTheValueRunOn) {
    auto doc = Parsed("KEY = \"x ; y\n"
                      "  second ; line\n"
                      "third\"\n"
                      "OTHER = 1\n");
    EXPECT_EQ(ValueOf(doc.get(), "KEY"), "x\n  second ; line\nthird");
    EXPECT_EQ(ValueOf(doc.get(), "OTHER"), "1");
}

TEST(IniReader, QuotedValueOverSeveralLinesIsJoinedWithLineFeeds) {
    auto doc = Parsed("[S]\r\nKEY = \"one\r\n[NOT A HEADER]\r\nthree\"\r\nNEXT = 2\r\n");
    EXPECT_EQ(ValueAt(*doc, "S", "KEY"), "one\n[NOT A HEADER]\nthree");
    EXPECT_EQ(ValueAt(*doc, "S", "NEXT"), "2");
    EXPECT_EQ(doc->FindSection("NOT A HEADER"), nullptr);
}

TEST(IniReader, QuoteOpenedOnTheLastLineEndsAtTheEndOfTheData) {
    EXPECT_EQ(ValueOf(Parsed("KEY = \"abc").get(), "KEY"), "abc");
    EXPECT_EQ(ValueOf(Parsed("KEY = \"abc\n").get(), "KEY"), "abc");
    // Two line feeds leave one empty line, which the value takes in.
    EXPECT_EQ(ValueOf(Parsed("KEY = \"abc\n\n").get(), "KEY"), "abc\n");
}

TEST(IniReader, OuterQuotesGoInnerQuotesStay) {
    auto doc = Parsed("A = \"\"x\"\"\n"
                      "B = \"a\"b\"\n"
                      "C = \"\n"
                      "D = plain\"\n"
                      "E = \"\"\n");
    EXPECT_EQ(ValueOf(doc.get(), "A"), "x");
    EXPECT_EQ(ValueOf(doc.get(), "B"), "a\"b");
    EXPECT_EQ(ValueOf(doc.get(), "C"), "");
    EXPECT_EQ(ValueOf(doc.get(), "D"), "plain");
    EXPECT_EQ(ValueOf(doc.get(), "E"), "");
}

TEST(IniReader, TheFirstEqualsSplitsAndLeadingEqualsLeaveTheValue) {
    auto doc = Parsed("=5\n"
                      "KEY == 5\n"
                      "OTHER = =5\n"
                      "SUM = a=b\n");
    EXPECT_EQ(ValueOf(doc.get(), ""), "5");
    EXPECT_EQ(ValueOf(doc.get(), "KEY"), " 5");
    EXPECT_EQ(ValueOf(doc.get(), "OTHER"), "5");
    EXPECT_EQ(ValueOf(doc.get(), "SUM"), "a=b");
}

TEST(IniReader, RepeatedSectionsMergeWhateverTheirCaseAndBlanks) {
    auto doc = Parsed("[ Options ]\nA = 1\n[OTHER]\nB = 2\n[OPTIONS]\nC = 3\n");
    ASSERT_EQ(doc->Sections().size(), 2u);
    CIniFile* options = doc->FindSection("OPTIONS");
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(options->GetSectionName(), "OPTIONS");
    EXPECT_EQ(ValueOf(options, "A"), "1");
    EXPECT_EQ(ValueOf(options, "C"), "3");
    EXPECT_EQ(options->Keys().size(), 2u);
}

TEST(IniReader, EmptyHeaderSendsKeysBackToTheDocument) {
    auto doc = Parsed("[S]\nA = 1\n[]\nB = 2\n[[ ]]\nC = 3\n");
    EXPECT_EQ(ValueAt(*doc, "S", "A"), "1");
    EXPECT_EQ(ValueOf(doc.get(), "B"), "2");
    EXPECT_EQ(ValueOf(doc.get(), "C"), "3");
    EXPECT_EQ(doc->Sections().size(), 1u);
}

TEST(IniReader, BracketRunsAroundAHeaderAreRemoved) {
    auto doc = Parsed("[[X]]\nA = 1\n[Y]Z]\nB = 2\n");
    EXPECT_EQ(ValueAt(*doc, "X", "A"), "1");
    EXPECT_EQ(ValueAt(*doc, "Y]Z", "B"), "2");
}

TEST(IniReader, RepeatedKeyKeepsTheLastValueWhateverItsCase) {
    auto doc = Parsed("width = 1\nWIDTH = 2\nWidth = 3\n");
    EXPECT_EQ(doc->Keys().size(), 1u);
    EXPECT_EQ(ValueOf(doc.get(), "WIDTH"), "3");
}

TEST(IniReader, PathHeadersNestAndDoubledSeparatorsNameTheSameSection) {
    auto doc = Parsed("[A/B]\nX = 1\n[a//b]\nY = 2\n[a\\b]\nZ = 3\n");
    ASSERT_EQ(doc->Sections().size(), 1u);
    CIniFile* a = doc->FindSection("A");
    ASSERT_NE(a, nullptr);
    EXPECT_TRUE(a->Keys().empty());
    ASSERT_EQ(a->Sections().size(), 1u);
    CIniFile* b = a->FindSection("B");
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->GetSectionName(), "B");
    EXPECT_EQ(ValueOf(b, "X"), "1");
    EXPECT_EQ(ValueOf(b, "Y"), "2");
    EXPECT_EQ(ValueOf(b, "Z"), "3");
    EXPECT_EQ(doc->FindSection("A/A"), a);
}

TEST(IniReader, HeaderWithoutKeysStillMakesItsSection) {
    auto doc = Parsed("[LONELY]\n[Other/Child]\n");
    EXPECT_NE(doc->FindSection("LONELY"), nullptr);
    EXPECT_NE(doc->FindSection("OTHER/CHILD"), nullptr);
    EXPECT_EQ(doc->FindSection("OTHER")->GetSectionName(), "OTHER");
    EXPECT_EQ(doc->FindSection("OTHER/CHILD")->GetSectionName(), "CHILD");
}

TEST(IniReader, LineWithoutEqualsIsSkippedAndReadingGoesOn) {
    auto doc = Parsed("A = 1\nbare word\n[unclosed\nB = 2\n");
    EXPECT_EQ(ValueOf(doc.get(), "A"), "1");
    EXPECT_EQ(ValueOf(doc.get(), "B"), "2");
    EXPECT_TRUE(doc->Sections().empty());
}

TEST(IniReader, LineEndsFollowTheTextFileRules) {
    // CR, LF and NUL each end a line; CR LF, LF CR and NUL followed by CR or LF are one end.
    auto doc = Parsed(Bytes("A=1\rB=2\n\rC=3\r\nD=4\0E=5\0\nF=6"));
    for (const char* key : {"A", "B", "C", "D", "E", "F"})
        EXPECT_NE(ValueOf(doc.get(), key), "<missing>") << key;
    EXPECT_EQ(ValueOf(doc.get(), "F"), "6");
    // Two equal line ends in a row leave an empty line, which a quoted value keeps.
    EXPECT_EQ(ValueOf(Parsed("K = \"a\r\rb\"").get(), "K"), "a\n\nb");
    EXPECT_EQ(ValueOf(Parsed(Bytes("K = \"a\0b\"")).get(), "K"), "a\nb");
}

TEST(IniReader, BlankAndCommentLinesLeaveTheDocumentEmpty) {
    auto doc = Parsed("\n   \t\n; one\n// two\n/* three\n");
    EXPECT_TRUE(doc->Keys().empty());
    EXPECT_TRUE(doc->Sections().empty());
}

TEST(IniReader, ParsingAgainReplacesTheContent) {
    auto doc = Parsed("[OLD]\nA = 1\n");
    doc->Parse("B=2", 3);
    EXPECT_EQ(doc->FindSection("OLD"), nullptr);
    EXPECT_EQ(ValueOf(doc.get(), "B"), "2");
}

TEST(IniReader, TenMegabyteLineIsReadWhole) {
    std::string line = "KEY = " + std::string(10 * 1024 * 1024, 'x');
    auto doc = Parsed(line);
    EXPECT_EQ(ValueOf(doc.get(), "KEY").size(), 10u * 1024 * 1024);
}

TEST(IniReader, DataThatIsOneUnterminatedQuoteGivesNothing) {
    EXPECT_TRUE(Parsed("\"").get()->Keys().empty());
    std::string big = "K = \"" + std::string(4 * 1024 * 1024, 'q');
    EXPECT_EQ(ValueOf(Parsed(big).get(), "K").size(), 4u * 1024 * 1024);
}

TEST(IniReader, HeaderOfAMillionComponentsStopsAtTheDepthLimit) {
    std::string text = "[";
    for (int i = 0; i < 1000000; ++i)
        text += (i % 2 ? "b/" : "a/");
    text += "]\nK = v\n";
    auto doc = Parsed(text);
    EXPECT_EQ(SectionCount(*doc), static_cast<size_t>(kIniMaxDepth));
    const CIniFile* node = doc.get();
    while (!node->Sections().empty())
        node = node->Sections().begin()->second.get();
    EXPECT_EQ(ValueOf(node, "K"), "v");
}

TEST(IniReader, NullBufferGivesAnEmptyDocument) {
    CIniFile doc;
    doc.Parse(nullptr, 0);
    EXPECT_TRUE(doc.Keys().empty());
}
