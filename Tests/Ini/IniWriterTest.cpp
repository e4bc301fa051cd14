// The written form: exact bytes, order, alignment, and reading it back.
#include <gtest/gtest.h>

#include "IniTestSupport.h"
#include "TempDir.h"

TEST(IniWriter, DocumentsAreWrittenByteForByte) {
    for (const auto& row : ReadTable(TEST_DATA "/writer.txt")) {
        SCOPED_TRACE(row[0]);
        EXPECT_EQ(Parsed(row[0])->Serialize(), row[1]);
    }
    // Names as created, values as stored, without escapes.
    CIniFile doc;
    doc.SetString("", "Q", "say \"hi\"; ok", true);
    doc.SetString("", "N", "two\nlines", true);
    doc.AddSection("zeta");
    doc.AddSection("Alpha");
    EXPECT_EQ(doc.Serialize(), "\r\nN = \"two\nlines\"\r\nQ = \"say \"hi\"; ok\"\r\n"
                               "\r\n[Alpha]\r\n\r\n[zeta]\r\n");
    // A section written alone uses its own name as the prefix.
    doc.SetString("zeta/Sub", "K", "v", true);
    EXPECT_EQ(doc.FindSection("ZETA")->Serialize(), "\r\n[zeta/Sub]\r\n\r\n\tK = \"v\"\r\n");
}

TEST(IniWriter, WrittenTextReadsBackToTheSameDocument) {
    auto doc = Parsed("top = 1\n"
                      "[Options]\nLOD = 1\nname =  \"  padded  \"\nPath = C:\\Games\\V; x\n"
                      "[a/b]\nk = v=w\n[]\n= empty key\n[EMPTY]\n");
    doc->SetString("Player/Profile", "Name", "Bob", true);
    EXPECT_EQ(Describe(*Parsed(doc->Serialize())),
              "=empty key|TOP=1|[A]{[B]{K=v=w|}}[EMPTY]{}"
              "[OPTIONS]{LOD=1|NAME=  padded  |PATH=C:\\Games\\V|}"
              "[PLAYER]{[PROFILE]{NAME=Bob|}}");
}
