// The lenient grammar, the section tree it builds, and the written form.
#include <gtest/gtest.h>

#include "IniTestSupport.h"
#include "TempDir.h"

namespace {

// "" for the document, "/A/B" for a section (the names of the node and its parents), "null".
std::string Where(const CIniFile* node) {
    std::string path = node ? "" : "null";
    for (; node && node->GetParent(); node = node->GetParent())
        path = "/" + node->GetSectionName() + path;
    return path;
}

size_t SectionCount(const CIniFile& node) {
    size_t count = node.Sections().size();
    for (const auto& entry : node.Sections())
        count += SectionCount(*entry.second);
    return count;
}

} // namespace

TEST(IniReader, TextGivesTheseSectionsAndKeys) {
    ExpectEachRow(TEST_DATA "/reader.txt",
                  [](const Row& row) { return Describe(*Parsed(row[0])); });
    auto doc = Parsed("[OLD]\nA = 1\n");
    doc->Parse("B=2", 3); // parsing again replaces the content
    EXPECT_EQ(Describe(*doc), "B=2|");
    doc->Parse(nullptr, 0);
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
    EXPECT_EQ(Describe(doc), "[a]{[b]{[c]{}}}[Options]{}");
}

TEST(IniPaths, SectionsNestNoDeeperThanTheLimitAndHugeInputStaysWhole) {
    std::string path, same;
    for (int i = 0; i < 1000000; ++i) {
        path += (i % 2 ? "b/" : "a/");
        same += "A/";
    }
    auto doc = Parsed("[" + path + "]\nK = " + std::string(10 << 20, 'x') + "\nL = \"" +
                      std::string(4 << 20, 'q'));
    const CIniFile* deepest = doc->AddSection(path); // finds the section the keys went to
    EXPECT_EQ(SectionCount(*doc), static_cast<size_t>(kIniMaxDepth));
    EXPECT_EQ(deepest->Keys().at("K").size() + deepest->Keys().at("L").size(), 14u << 20);
    // Below A, "A/A/..." is looked up as a child named A, which does not exist.
    CIniFile other;
    const CIniFile* a = other.AddSection(same);
    EXPECT_EQ(a, other.FindSection("A"));
    EXPECT_EQ(other.FindSection(same), nullptr);
    EXPECT_EQ(SectionCount(other), 1u);
}

TEST(IniWriter, DocumentsAreWrittenByteForByteAndReadBack) {
    ExpectEachRow(TEST_DATA "/writer.txt", [](const Row& row) {
        EXPECT_EQ(Describe(*Parsed(Parsed(row[0])->Serialize())), Describe(*Parsed(row[0])));
        return Parsed(row[0])->Serialize();
    });
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
    EXPECT_EQ(Describe(*Parsed(doc.Serialize())),
              "N=two\nlines|Q=say \"hi\"; ok|[ALPHA]{}[ZETA]{[SUB]{K=v|}}");
}
