// The written form: exact bytes, order, alignment, and reading it back.
#include <gtest/gtest.h>

#include "IniTestSupport.h"

TEST(IniWriter, DocumentsAreWrittenByteForByte) {
    const struct {
        std::string text, expected;
    } rows[] = {
        {"[OPTIONS]\nLOD = 1\nBITDEPTH = 32\n",
         "\r\n[OPTIONS]\r\n\r\n\tBITDEPTH = \"32\"\r\n\tLOD      = \"1\"\r\n"},
        // Document keys first; nested headers carry their path, one tab per level.
        {"[OPTIONS]\nLOD = 1\n[OPTIONS/SUB]\nK = v\n[OPTIONS/SUB/DEEP]\nZ = z\n[]\nTOP = t\n",
         "\r\nTOP = \"t\"\r\n\r\n[OPTIONS]\r\n\r\n\tLOD = \"1\"\r\n\r\n\t[OPTIONS/SUB]\r\n\r\n"
         "\t\tK = \"v\"\r\n\r\n\t\t[OPTIONS/SUB/DEEP]\r\n\r\n\t\t\tZ = \"z\"\r\n"},
        {"[EMPTY]\n", "\r\n[EMPTY]\r\n"},
        {"", ""},
        // Alignment is per section.
        {"[A]\nX = 1\nLONGER = 2\n[B]\nY = 3\n",
         "\r\n[A]\r\n\r\n\tLONGER = \"2\"\r\n\tX      = \"1\"\r\n\r\n[B]\r\n\r\n\tY = \"3\"\r\n"},
        // Keys in unsigned byte order.
        {"_U = 3\n\xE9T\xC9 = 4\nAB = 2\nA = 1\n",
         "\r\nA   = \"1\"\r\nAB  = \"2\"\r\n_U  = \"3\"\r\n\xE9T\xC9 = \"4\"\r\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(Parsed(row.text)->Serialize(), row.expected);
    }
}

TEST(IniWriter, NamesAndValuesAreWrittenAsStored) {
    CIniFile doc;
    doc.SetString("", "Q", "say \"hi\"; ok", true);
    doc.SetString("", "N", "two\nlines", true);
    doc.AddSection("zeta");
    doc.AddSection("Alpha");
    EXPECT_EQ(doc.Serialize(), "\r\nN = \"two\nlines\"\r\nQ = \"say \"hi\"; ok\"\r\n"
                               "\r\n[Alpha]\r\n\r\n[zeta]\r\n");
    // A section saved alone uses its own name as the prefix.
    doc.SetString("zeta/Sub", "K", "v", true);
    EXPECT_EQ(doc.FindSection("ZETA")->Serialize(), "\r\n[zeta/Sub]\r\n\r\n\tK = \"v\"\r\n");
}

TEST(IniWriter, WrittenTextReadsBackToTheSameDocument) {
    auto doc = Parsed("top = 1\n"
                      "[Options]\nLOD = 1\nname =  \"  padded  \"\nPath = C:\\Games\\V; x\n"
                      "[a/b]\nk = v=w\n[]\n= empty key\n[EMPTY]\n");
    doc->SetString("Player/Profile", "Name", "Bob", true);
    const std::string text = doc->Serialize();
    EXPECT_EQ(Describe(*Parsed(text)), "=empty key|TOP=1|[A]{[B]{K=v=w|}}[EMPTY]{}"
                                       "[OPTIONS]{LOD=1|NAME=  padded  |PATH=C:\\Games\\V|}"
                                       "[PLAYER]{[PROFILE]{NAME=Bob|}}");
}
