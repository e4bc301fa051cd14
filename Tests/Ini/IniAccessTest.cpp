// Typed getters and setters, their sentinels and the missing-key warning.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "BoxCapture.h"
#include "IniTestSupport.h"

namespace {

// Runs `read` and checks it showed `count` missing-key warnings and nothing else.
template <typename Read> void ExpectWarnings(size_t count, Read read) {
    BoxCapture boxes;
    read();
    ASSERT_EQ(boxes.Boxes().size(), count);
    for (const CapturedBox& box : boxes.Boxes()) {
        EXPECT_EQ(box.caption, "WARNING");
        EXPECT_EQ(box.text, "Error: Unable to locate specified key");
    }
}

} // namespace

TEST(IniAccess, SettersStoreTheirPrintfFormsUnderUpperCaseKeys) {
    CIniFile section;
    EXPECT_TRUE(section.SetInt("a", -5, true));
    EXPECT_TRUE(section.SetBool("b", true, true));
    EXPECT_TRUE(section.SetBool("c", false, true));
    EXPECT_TRUE(section.SetFloat("d", 6.6f, true));
    EXPECT_TRUE(section.SetInt("e", 2147483647, true));
    EXPECT_TRUE(section.SetFloat("f", -3.40282347e38f, true));
    EXPECT_TRUE(section.SetString("lod", "1", true));
    EXPECT_EQ(Describe(section), "A=-5|B=1|C=0|D=6.600000|E=2147483647|"
                                 "F=-340282346638528859811704183484516925440.000000|LOD=1|");
    EXPECT_EQ(section.GetString("Lod"), "1");
    // Without create, only existing keys change.
    EXPECT_FALSE(section.SetString("NEW", "x", false));
    EXPECT_FALSE(section.SetInt("NEW", 1, false));
    EXPECT_TRUE(section.SetInt("lOd", 2, false));
    EXPECT_EQ(ValueAt(section, "", "NEW"), "<missing>");
    EXPECT_EQ(ValueAt(section, "", "LOD"), "2");
}

TEST(IniAccess, GettersConvertAsAtoiAndAtofAndSaturate) {
    auto doc = Parsed("RES = 800x600\nBLANK =   42\nWORD = Low\nF = 6.600000\nG = 1.5abc\n"
                      "TWO = 2\nMINUS = -1\nHIGH = High\nBIG = 99999999999\n"
                      "SMALL = -99999999999\nHUGE = 1e300\nTINY = -1e300\n");
    const struct {
        const char* key;
        int asInt;
        bool asBool;
    } rows[] = {{"RES", 800, true},        {"BLANK", 42, true},
                {"WORD", 0, false},        {"HIGH", 0, false},
                {"TWO", 2, true},          {"MINUS", -1, true},
                {"BIG", 2147483647, true}, {"SMALL", -2147483647 - 1, true}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.key);
        EXPECT_EQ(doc->GetInt(row.key), row.asInt);
        EXPECT_EQ(doc->GetBool(row.key), row.asBool);
    }
    EXPECT_EQ(doc->GetFloat("F"), 6.6f);
    EXPECT_EQ(doc->GetFloat("G"), 1.5f);
    EXPECT_TRUE(std::isinf(doc->GetFloat("HUGE")) && doc->GetFloat("HUGE") > 0);
    EXPECT_TRUE(std::isinf(doc->GetFloat("TINY")) && doc->GetFloat("TINY") < 0);
}

TEST(IniAccess, EachMissingReadGivesTheSentinelAfterOneWarning) {
    CIniFile section;
    ExpectWarnings(1, [&] { EXPECT_EQ(section.GetInt("NOPE"), 2147483647); });
    ExpectWarnings(1, [&] { EXPECT_FALSE(section.GetBool("NOPE")); });
    ExpectWarnings(1, [&] {
        float value = section.GetFloat("NOPE");
        uint32_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        EXPECT_EQ(bits, 0x7F7FFFFFu);
    });
    ExpectWarnings(1, [&] { EXPECT_EQ(section.GetString("NOPE"), "__INI_ERROR__"); });
    ExpectWarnings(2, [&] {
        section.GetString("A");
        section.GetInt("A");
    });
    EXPECT_TRUE(section.Keys().empty());
}

TEST(IniAccess, FallbackReadsStoredErrorTextAndMissingSectionsStayQuiet) {
    CIniFile doc;
    CIniFile& section = *doc.AddSection("S");
    section.SetString("HERE", "yes", true);
    section.SetString("K", "__INI_ERROR__", true);
    ExpectWarnings(0, [&] {
        EXPECT_EQ(section.GetStringOr("NOPE", "fallback"), "fallback");
        EXPECT_EQ(section.GetStringOr("here", "fallback"), "yes");
        EXPECT_EQ(section.GetInt("K"), 2147483647);
        EXPECT_FALSE(section.GetBool("K"));
        EXPECT_EQ(section.GetFloat("K"), 3.40282347e38f);
        EXPECT_EQ(section.GetStringOr("K", "d"), "d");
        EXPECT_EQ(doc.GetString("NOWHERE", "K"), "__INI_ERROR__");
        EXPECT_EQ(doc.GetStringOr("NOWHERE", "K", "d"), "d");
    });
    EXPECT_EQ(doc.FindSection("NOWHERE"), nullptr);
    ExpectWarnings(1, [&] { EXPECT_EQ(doc.GetString("S", "NOPE"), "__INI_ERROR__"); });
}

TEST(IniAccess, DocumentLevelSetterCreatesTheSectionOnlyWhenAsked) {
    CIniFile doc;
    EXPECT_FALSE(doc.SetString("Options", "lod", "1", false));
    EXPECT_TRUE(doc.Sections().empty());
    EXPECT_TRUE(doc.SetInt("Options", "lod", 1, true));
    EXPECT_TRUE(doc.SetBool("OPTIONS", "FLAG", true, true));
    EXPECT_TRUE(doc.SetFloat("options", "SIZE", 0.5f, true));
    EXPECT_FALSE(doc.SetString("OPTIONS", "ABSENT", "x", false));
    EXPECT_TRUE(doc.SetString("", "TOP", "v", true));
    EXPECT_EQ(doc.GetString("", "top"), "v");
    EXPECT_EQ(Describe(doc), "TOP=v|[Options]{FLAG=1|LOD=1|SIZE=0.500000|}");
}
