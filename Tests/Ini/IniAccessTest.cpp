// Typed getters and setters, their sentinels and the missing-key warning.
#include <gtest/gtest.h>

#include "BoxCapture.h"
#include "IniTestSupport.h"
#include "TempDir.h"

TEST(IniAccess, SettersStoreTheirPrintfFormsUnderUpperCaseKeysAndCreateOnlyWhenAsked) {
    CIniFile doc;
    CIniFile& section = *doc.AddSection("Options");
    section.SetInt("a", -5, true);
    section.SetBool("b", true, true);
    section.SetBool("c", false, true);
    section.SetFloat("d", 6.6f, true);
    section.SetFloat("f", -3.40282347e38f, true);
    EXPECT_TRUE(section.SetString("lod", "1", true));
    EXPECT_FALSE(section.SetString("NEW", "x", false));
    EXPECT_TRUE(section.SetInt("lOd", 2147483647, false));
    EXPECT_FALSE(doc.SetString("Other", "lod", "1", false) ||
                 doc.SetInt("OPTIONS", "NEW", 1, false));
    doc.SetInt("Other", "i", 1, true);
    doc.SetBool("OTHER", "b", true, true);
    doc.SetFloat("other", "f", 0.5f, true);
    doc.SetString("", "TOP", "v", true);
    EXPECT_EQ(Describe(doc), "TOP=v|[Options]{A=-5|B=1|C=0|D=6.600000|"
                             "F=-340282346638528859811704183484516925440.000000|LOD=2147483647|}"
                             "[Other]{B=1|F=0.500000|I=1|}");
}

TEST(IniAccess, GettersReadTheseNumbersFromTheseValues) {
    const std::string warning = "WARNING: Error: Unable to locate specified key\n";
    for (const Row& row : ReadTable(TEST_DATA "/values.txt")) {
        SCOPED_TRACE(row[0]);
        CIniFile doc;
        CIniFile& section = *doc.AddSection("S");
        const bool missing = row[0] == "<missing>";
        if (!missing)
            section.SetString("KEY", row[0], true);
        BoxCapture boxes;
        EXPECT_EQ(section.GetInt("key"), std::stoi(row[1]));
        EXPECT_EQ(section.GetBool("Key"), row[2] == "1");
        EXPECT_EQ(section.GetFloat("kEY"), std::strtof(row[3].c_str(), nullptr));
        EXPECT_EQ(section.GetStringOr("key", "-"),
                  row[0] == "__INI_ERROR__" || missing ? "-" : row[0]);
        EXPECT_EQ(boxes.Shown(), missing ? warning + warning + warning : "");
    }
    // The text getters: a missing key warns, a missing section does not.
    CIniFile doc;
    doc.AddSection("S");
    BoxCapture boxes;
    EXPECT_EQ(doc.FindSection("S")->GetString("NOPE") + doc.GetString("S", "NOPE") +
                  doc.GetString("NOWHERE", "K") + doc.GetStringOr("NOWHERE", "K", "d"),
              "__INI_ERROR____INI_ERROR____INI_ERROR__d");
    EXPECT_EQ(boxes.Shown() + Describe(doc), warning + warning + "[S]{}");
}
