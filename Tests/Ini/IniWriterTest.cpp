// The written form: exact bytes, order, alignment, and reading it back.
#include <gtest/gtest.h>

#include "IniTestSupport.h"

namespace {

// Sections and keys as a comparable text, one line per key, depth-first in map order.
void Describe(const CIniFile& node, const std::string& path, std::string& out) {
    for (const auto& pair : node.Keys())
        out += path + " " + pair.first + "=" + pair.second + "\n";
    for (const auto& entry : node.Sections()) {
        out += path + "/[" + entry.second->GetSectionName() + "]\n";
        Describe(*entry.second, path + "/" + entry.first, out);
    }
}

std::string Describe(const CIniFile& doc) {
    std::string out;
    Describe(doc, "", out);
    return out;
}

} // namespace

TEST(IniWriter, OptionsExampleIsWrittenByteForByte) {
    CIniFile doc;
    doc.SetString("OPTIONS", "LOD", "1", true);
    doc.SetString("OPTIONS", "BITDEPTH", "32", true);
    EXPECT_EQ(doc.Serialize(), "\r\n"
                               "[OPTIONS]\r\n"
                               "\r\n"
                               "\tBITDEPTH = \"32\"\r\n"
                               "\tLOD      = \"1\"\r\n");
}

TEST(IniWriter, DocumentKeysComeFirstAndNestedHeadersCarryTheirPath) {
    CIniFile doc;
    doc.SetString("", "TOP", "t", true);
    doc.SetString("OPTIONS", "LOD", "1", true);
    doc.SetString("OPTIONS/SUB", "K", "v", true);
    doc.SetString("OPTIONS/SUB/DEEP", "Z", "z", true);
    EXPECT_EQ(doc.Serialize(), "\r\n"
                               "TOP = \"t\"\r\n"
                               "\r\n"
                               "[OPTIONS]\r\n"
                               "\r\n"
                               "\tLOD = \"1\"\r\n"
                               "\r\n"
                               "\t[OPTIONS/SUB]\r\n"
                               "\r\n"
                               "\t\tK = \"v\"\r\n"
                               "\r\n"
                               "\t\t[OPTIONS/SUB/DEEP]\r\n"
                               "\r\n"
                               "\t\t\tZ = \"z\"\r\n");
}

TEST(IniWriter, KeylessSectionIsItsHeaderAlone) {
    CIniFile doc;
    doc.AddSection("EMPTY");
    EXPECT_EQ(doc.Serialize(), "\r\n[EMPTY]\r\n");
}

TEST(IniWriter, EmptyDocumentIsNoBytes) {
    CIniFile doc;
    EXPECT_EQ(doc.Serialize(), "");
}

TEST(IniWriter, AlignmentIsPerSection) {
    CIniFile doc;
    doc.SetString("A", "X", "1", true);
    doc.SetString("A", "LONGER", "2", true);
    doc.SetString("B", "Y", "3", true);
    EXPECT_EQ(doc.Serialize(), "\r\n[A]\r\n\r\n"
                               "\tLONGER = \"2\"\r\n"
                               "\tX      = \"1\"\r\n"
                               "\r\n[B]\r\n\r\n"
                               "\tY = \"3\"\r\n");
}

TEST(IniWriter, KeysAndSectionsComeInUnsignedByteOrder) {
    CIniFile doc;
    doc.SetString("", "_U", "3", true);
    doc.SetString("", "\xE9T\xC9", "4", true);
    doc.SetString("", "AB", "2", true);
    doc.SetString("", "A", "1", true);
    doc.AddSection("zeta");
    doc.AddSection("Alpha");
    EXPECT_EQ(doc.Serialize(), "\r\n"
                               "A   = \"1\"\r\n"
                               "AB  = \"2\"\r\n"
                               "_U  = \"3\"\r\n"
                               "\xE9T\xC9 = \"4\"\r\n"
                               "\r\n[Alpha]\r\n"
                               "\r\n[zeta]\r\n");
}

TEST(IniWriter, ValuesAreWrittenUnchanged) {
    CIniFile doc;
    doc.SetString("", "Q", "say \"hi\"; ok", true);
    doc.SetString("", "N", "two\nlines", true);
    EXPECT_EQ(doc.Serialize(), "\r\n"
                               "N = \"two\nlines\"\r\n"
                               "Q = \"say \"hi\"; ok\"\r\n");
}

TEST(IniWriter, SectionSavedAloneUsesItsNameAsThePrefix) {
    CIniFile doc;
    doc.SetString("OPTIONS/SUB", "K", "v", true);
    EXPECT_EQ(doc.FindSection("OPTIONS")->Serialize(), "\r\n"
                                                       "[OPTIONS/SUB]\r\n"
                                                       "\r\n"
                                                       "\tK = \"v\"\r\n");
}

TEST(IniWriter, WrittenTextReadsBackToTheSameDocument) {
    auto doc = Parsed("top = 1\n"
                      "[Options]\nLOD = 1\nname =  \"  padded  \"\nPath = C:\\Games\\V; x\n"
                      "[a/b]\nk = v=w\n[]\n= empty key\n[EMPTY]\n");
    std::string text = doc->Serialize();
    CIniFile again;
    again.Parse(text.data(), text.size());
    EXPECT_EQ(Describe(again), Describe(*doc));
    EXPECT_EQ(ValueAt(again, "OPTIONS", "NAME"), "  padded  ");
    EXPECT_EQ(ValueAt(again, "A/B", "K"), "v=w");
    EXPECT_EQ(ValueOf(&again, ""), "empty key");
}

TEST(IniWriter, MixedCaseSectionsComeBackUpperCase) {
    CIniFile doc;
    doc.SetString("Player/Profile", "Name", "Bob", true);
    std::string text = doc.Serialize();
    CIniFile again;
    again.Parse(text.data(), text.size());
    CIniFile* player = again.FindSection("PLAYER");
    ASSERT_NE(player, nullptr);
    EXPECT_EQ(player->GetSectionName(), "PLAYER");
    CIniFile* profile = again.FindSection("PLAYER/PROFILE");
    ASSERT_NE(profile, nullptr);
    EXPECT_EQ(profile->GetSectionName(), "PROFILE");
    EXPECT_EQ(ValueOf(profile, "NAME"), "Bob");
}
