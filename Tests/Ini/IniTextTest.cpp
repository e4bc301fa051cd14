// The lenient grammar, the section tree it builds, and the written form.
#include <gtest/gtest.h>

#include "IniTestSupport.h"
#include "TempDir.h"

// "" for the document, "/A/B" for a section (the names of the node and its parents), "null".
static std::string Where(const CIniFile* node) {
    std::string path = node ? "" : "null";
    for (; node && node->GetParent(); node = node->GetParent())
        path = "/" + node->GetSectionName() + path;
    return path;
}

TEST(IniReader, TextGivesTheseSectionsAndKeys) {
    ExpectEachRow(TEST_DATA "/reader.txt",
                  [](const Row& row) { return Describe(*Parsed(row[0])); });
    auto doc = Parsed("[OLD]\nA = 1\n");
    doc->Parse(nullptr, 0); // no bytes: nothing, not even what was there
    EXPECT_EQ(Describe(*doc), "");
}

TEST(IniPaths, NamesAndPathsGiveTheseResults) {
    CIniFile doc; // the add and find rows work on one document in turn
    ExpectEachRow(TEST_DATA "/paths.txt", [&doc](const Row& row) {
        std::string head, tail;
        bool found = false;
        if (row[0] == "upper")
            return ToUpperCopy(row[1]);
        if (row[0] == "compare") {
            const int sign = CompareNoCase(row[1].c_str(), row[2].c_str());
            return std::to_string((sign > 0) - (sign < 0));
        }
        if (row[0] == "split") {
            SplitSectionPath(row[1], head, tail, found);
            return head + "|" + tail + "|" + (found ? "1" : "0");
        }
        return Where(row[0] == "add" ? doc.AddSection(row[1]) : doc.FindSection(row[1]));
    });
    // Headers keep the letter case of AddSection; a section written alone starts its paths.
    EXPECT_EQ(doc.Serialize(), "\r\n[a]\r\n\r\n\t[a/b]\r\n\r\n\t\t[a/b/c]\r\n\r\n[Options]\r\n");
    EXPECT_EQ(doc.FindSection("A")->Serialize(), "\r\n[a/b]\r\n\r\n\t[a/b/c]\r\n");
}

TEST(IniPaths, SectionsNestNoDeeperThanTheLimitAndHugeInputStaysWhole) {
    std::string path, same;
    for (int i = 0; i < 1000000; ++i) {
        path += (i % 2 ? "b/" : "a/");
        same += "A/";
    }
    auto doc = Parsed("[" + path + "]\nK = " + std::string(10 << 20, 'x') + "\nL = \"" +
                      std::string(4 << 20, 'q'));
    const CIniFile* deepest = doc->AddSection(path);     // finds the section the keys went to
    EXPECT_EQ(Where(deepest).size(), 2u * kIniMaxDepth); // "/a/b/..."
    EXPECT_EQ(deepest->Keys().at("K").size() + deepest->Keys().at("L").size(), 14u << 20);
    // At the limit, the quote that shields a ";" may stand in a name the reader dropped.
    auto shielded = Parsed("[\"/" + path.substr(0, 124) + ";x/\"]\nK = 1\n");
    EXPECT_EQ(Describe(*Parsed(shielded->Serialize())), Describe(*shielded));
    // Below A, "A/A/..." is looked up as a child named A, which does not exist.
    CIniFile other;
    const CIniFile* a = other.AddSection(same);
    EXPECT_EQ(a, other.FindSection("A"));
    EXPECT_EQ(other.FindSection(same), nullptr);
    EXPECT_EQ(other.Serialize(), "\r\n[A]\r\n");
}

TEST(IniWriter, DocumentsAreWrittenByteForByteAndReadBack) {
    ExpectEachRow(TEST_DATA "/writer.txt", [](const Row& row) {
        EXPECT_EQ(Describe(*Parsed(Parsed(row[0])->Serialize())), Describe(*Parsed(row[0])));
        return Parsed(row[0])->Serialize();
    });
}
