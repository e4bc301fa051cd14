// Typed getters and setters, their sentinels and the missing-key warning.
#include <gtest/gtest.h>

#include <cstring>

#include "BoxCapture.h"
#include "IniTestSupport.h"
#include "TempDir.h"

TEST(IniAccess, SettersStoreTheirPrintfFormsUnderUpperCaseKeys) {
    CIniFile section;
    section.SetInt("a", -5, true);
    section.SetBool("b", true, true);
    section.SetBool("c", false, true);
    section.SetFloat("d", 6.6f, true);
    section.SetInt("e", 2147483647, true);
    section.SetFloat("f", -3.40282347e38f, true);
    EXPECT_TRUE(section.SetString("lod", "1", true));
    // Without create, only existing keys change.
    EXPECT_FALSE(section.SetString("NEW", "x", false));
    EXPECT_FALSE(section.SetInt("NEW", 1, false));
    EXPECT_TRUE(section.SetInt("lOd", 2, false));
    EXPECT_EQ(Describe(section), "A=-5|B=1|C=0|D=6.600000|E=2147483647|"
                                 "F=-340282346638528859811704183484516925440.000000|LOD=2|");
    // Document level: a missing section is made only when asked.
    CIniFile doc;
    EXPECT_FALSE(doc.SetString("Options", "lod", "1", false));
    doc.SetInt("Options", "lod", 1, true);
    doc.SetBool("OPTIONS", "FLAG", true, true);
    doc.SetFloat("options", "SIZE", 0.5f, true);
    EXPECT_FALSE(doc.SetString("OPTIONS", "ABSENT", "x", false));
    doc.SetString("", "TOP", "v", true);
    EXPECT_EQ(Describe(doc), "TOP=v|[Options]{FLAG=1|LOD=1|SIZE=0.500000|}");
}

TEST(IniAccess, GettersReadTheseNumbersFromTheseValues) {
    BoxCapture boxes;
    for (const auto& row : ReadTable(TEST_DATA "/values.txt")) {
        SCOPED_TRACE(row[0]);
        CIniFile section;
        section.SetString("KEY", row[0], true);
        EXPECT_EQ(section.GetInt("key"), std::stoi(row[1]));
        EXPECT_EQ(section.GetBool("Key"), row[2] == "1");
        EXPECT_EQ(section.GetFloat("kEY"), std::strtof(row[3].c_str(), nullptr));
        EXPECT_EQ(section.GetStringOr("key", "default"),
                  row[0] == "__INI_ERROR__" ? "default" : row[0]);
    }
    EXPECT_EQ(boxes.Shown(), "");
}

TEST(IniAccess, EachMissingKeyReadWarnsOnceAndGivesTheSentinel) {
    CIniFile doc;
    CIniFile& section = *doc.AddSection("S");
    BoxCapture boxes;
    EXPECT_EQ(section.GetInt("NOPE"), 2147483647);
    EXPECT_FALSE(section.GetBool("NOPE"));
    const float missing = section.GetFloat("NOPE");
    uint32_t bits;
    std::memcpy(&bits, &missing, sizeof bits);
    EXPECT_EQ(bits, 0x7F7FFFFFu);
    EXPECT_EQ(section.GetString("NOPE"), "__INI_ERROR__");
    EXPECT_EQ(doc.GetString("S", "NOPE"), "__INI_ERROR__");
    std::string warnings;
    for (int i = 0; i < 5; ++i)
        warnings += "WARNING: Error: Unable to locate specified key\n";
    // The fallback getter and a missing section stay quiet.
    EXPECT_EQ(section.GetStringOr("NOPE", "fallback"), "fallback");
    EXPECT_EQ(doc.GetString("NOWHERE", "K"), "__INI_ERROR__");
    EXPECT_EQ(doc.GetStringOr("NOWHERE", "K", "d"), "d");
    EXPECT_EQ(boxes.Shown(), warnings);
    EXPECT_EQ(Describe(doc), "[S]{}");
}
