// Typed getters and setters, their sentinels and the missing-key warning.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "BoxCapture.h"
#include "IniTestSupport.h"

namespace {

const char* const kWarning = "Error: Unable to locate specified key";

void ExpectOneWarning(const BoxCapture& boxes) {
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].caption, "WARNING");
    EXPECT_EQ(boxes.Boxes()[0].text, kWarning);
}

} // namespace

TEST(IniAccess, SettersStoreTheirPrintfForms) {
    CIniFile section;
    EXPECT_TRUE(section.SetInt("a", -5, true));
    EXPECT_TRUE(section.SetBool("b", true, true));
    EXPECT_TRUE(section.SetBool("c", false, true));
    EXPECT_TRUE(section.SetFloat("d", 6.6f, true));
    EXPECT_TRUE(section.SetInt("e", 2147483647, true));
    EXPECT_EQ(ValueOf(&section, "A"), "-5");
    EXPECT_EQ(ValueOf(&section, "B"), "1");
    EXPECT_EQ(ValueOf(&section, "C"), "0");
    EXPECT_EQ(ValueOf(&section, "D"), "6.600000");
    EXPECT_EQ(ValueOf(&section, "E"), "2147483647");
}

TEST(IniAccess, LargestFloatIsWrittenInFull) {
    CIniFile section;
    section.SetFloat("F", -3.40282347e38f, true);
    EXPECT_EQ(ValueOf(&section, "F"), "-340282346638528859811704183484516925440.000000");
}

TEST(IniAccess, KeysAreCaseInsensitiveAndStoredUpperCase) {
    CIniFile section;
    section.SetString("lod", "1", true);
    EXPECT_EQ(section.GetString("LOD"), "1");
    EXPECT_EQ(section.GetString("Lod"), "1");
    ASSERT_EQ(section.Keys().size(), 1u);
    EXPECT_EQ(section.Keys().begin()->first, "LOD");
}

TEST(IniAccess, GettersConvertAsAtoiAndAtof) {
    auto doc = Parsed("RES = 800x600\nBLANK =   42\nWORD = Low\nF = 6.600000\nG = 1.5abc\n"
                      "TWO = 2\nMINUS = -1\nHIGH = High\n");
    EXPECT_EQ(doc->GetInt("RES"), 800);
    EXPECT_EQ(doc->GetInt("BLANK"), 42);
    EXPECT_EQ(doc->GetInt("WORD"), 0);
    EXPECT_EQ(doc->GetFloat("F"), 6.6f);
    EXPECT_EQ(doc->GetFloat("G"), 1.5f);
    EXPECT_FALSE(doc->GetBool("WORD"));
    EXPECT_FALSE(doc->GetBool("HIGH"));
    EXPECT_TRUE(doc->GetBool("TWO"));
    EXPECT_TRUE(doc->GetBool("MINUS"));
}

TEST(IniAccess, NumbersOutOfRangeSaturate) {
    auto doc = Parsed("BIG = 99999999999\nSMALL = -99999999999\nHUGE = 1e300\nTINY = -1e300\n");
    EXPECT_EQ(doc->GetInt("BIG"), 2147483647);
    EXPECT_EQ(doc->GetInt("SMALL"), -2147483647 - 1);
    EXPECT_TRUE(doc->GetBool("BIG"));
    float huge = doc->GetFloat("HUGE");
    EXPECT_TRUE(std::isinf(huge) && huge > 0);
    float tiny = doc->GetFloat("TINY");
    EXPECT_TRUE(std::isinf(tiny) && tiny < 0);
}

TEST(IniAccess, MissingKeyGivesTheSentinelAfterOneWarning) {
    CIniFile section;
    {
        BoxCapture boxes;
        EXPECT_EQ(section.GetInt("NOPE"), 2147483647);
        ExpectOneWarning(boxes);
    }
    {
        BoxCapture boxes;
        EXPECT_FALSE(section.GetBool("NOPE"));
        ExpectOneWarning(boxes);
    }
    {
        BoxCapture boxes;
        float value = section.GetFloat("NOPE");
        uint32_t bits;
        std::memcpy(&bits, &value, sizeof bits);
        EXPECT_EQ(bits, 0x7F7FFFFFu);
        ExpectOneWarning(boxes);
    }
    {
        BoxCapture boxes;
        EXPECT_EQ(section.GetString("NOPE"), "__INI_ERROR__");
        ExpectOneWarning(boxes);
    }
    EXPECT_TRUE(section.Keys().empty());
}

TEST(IniAccess, EachMissingReadWarnsAgain) {
    CIniFile section;
    BoxCapture boxes;
    section.GetString("A");
    section.GetInt("A");
    EXPECT_EQ(boxes.Boxes().size(), 2u);
}

TEST(IniAccess, GetStringOrNeverWarns) {
    CIniFile section;
    section.SetString("HERE", "yes", true);
    BoxCapture boxes;
    EXPECT_EQ(section.GetStringOr("NOPE", "fallback"), "fallback");
    EXPECT_EQ(section.GetStringOr("here", "fallback"), "yes");
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST(IniAccess, StoredErrorTextReadsAsMissingWithoutWarning) {
    CIniFile section;
    section.SetString("K", "__INI_ERROR__", true);
    BoxCapture boxes;
    EXPECT_EQ(section.GetInt("K"), 2147483647);
    EXPECT_FALSE(section.GetBool("K"));
    EXPECT_EQ(section.GetFloat("K"), 3.40282347e38f);
    EXPECT_EQ(section.GetStringOr("K", "d"), "d");
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST(IniAccess, SetterWithoutCreateChangesOnlyExistingKeys) {
    CIniFile section;
    EXPECT_FALSE(section.SetString("NEW", "x", false));
    EXPECT_FALSE(section.SetInt("NEW", 1, false));
    EXPECT_TRUE(section.Keys().empty());
    section.SetString("OLD", "1", true);
    EXPECT_TRUE(section.SetInt("old", 2, false));
    EXPECT_EQ(ValueOf(&section, "OLD"), "2");
}

TEST(IniAccess, DocumentLevelReadOfAMissingSectionIsQuiet) {
    CIniFile doc;
    BoxCapture boxes;
    EXPECT_EQ(doc.GetString("NOWHERE", "K"), "__INI_ERROR__");
    EXPECT_EQ(doc.GetStringOr("NOWHERE", "K", "d"), "d");
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_TRUE(doc.Sections().empty());
}

TEST(IniAccess, DocumentLevelReadOfAMissingKeyWarns) {
    CIniFile doc;
    doc.AddSection("S");
    BoxCapture boxes;
    EXPECT_EQ(doc.GetString("S", "K"), "__INI_ERROR__");
    ExpectOneWarning(boxes);
}

TEST(IniAccess, DocumentLevelSetterCreatesTheSectionOnlyWhenAsked) {
    CIniFile doc;
    EXPECT_FALSE(doc.SetString("Options", "lod", "1", false));
    EXPECT_TRUE(doc.Sections().empty());

    EXPECT_TRUE(doc.SetInt("Options", "lod", 1, true));
    CIniFile* options = doc.FindSection("OPTIONS");
    ASSERT_NE(options, nullptr);
    EXPECT_EQ(options->GetSectionName(), "Options");
    EXPECT_EQ(ValueOf(options, "LOD"), "1");

    EXPECT_TRUE(doc.SetBool("OPTIONS", "FLAG", true, true));
    EXPECT_TRUE(doc.SetFloat("options", "SIZE", 0.5f, true));
    EXPECT_FALSE(doc.SetString("OPTIONS", "ABSENT", "x", false));
    EXPECT_EQ(ValueOf(options, "FLAG"), "1");
    EXPECT_EQ(ValueOf(options, "SIZE"), "0.500000");
    EXPECT_EQ(options->Keys().size(), 3u);
}

TEST(IniAccess, EmptySectionPathNamesTheDocument) {
    CIniFile doc;
    EXPECT_TRUE(doc.SetString("", "TOP", "v", true));
    EXPECT_EQ(ValueOf(&doc, "TOP"), "v");
    EXPECT_EQ(doc.GetString("", "top"), "v");
}
