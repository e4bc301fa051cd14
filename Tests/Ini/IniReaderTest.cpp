// The lenient grammar, read from bytes in memory, and the section tree it builds.
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
    for (const auto& row : ReadTable(TEST_DATA "/reader.txt")) {
        SCOPED_TRACE(row[0]);
        EXPECT_EQ(Describe(*Parsed(row[0])), row[1]);
    }
    auto doc = Parsed("[OLD]\nA = 1\n");
    doc->Parse("B=2", 3); // parsing again replaces the content
    EXPECT_EQ(Describe(*doc), "B=2|");
    doc->Parse(nullptr, 0);
    EXPECT_EQ(Describe(*doc), "");
}

TEST(IniPaths, NamesAndPathsGiveTheseResults) {
    CIniFile doc; // the add and find rows work on one document in turn
    for (const auto& row : ReadTable(TEST_DATA "/paths.txt")) {
        SCOPED_TRACE(row[0] + " " + row[1]);
        std::string result, head, tail;
        bool found = false;
        if (row[0] == "upper") {
            result = ToUpperCopy(row[1]);
        } else if (row[0] == "compare") {
            const int sign = CompareNoCase(row[1].c_str(), row[2].c_str());
            result = std::to_string((sign > 0) - (sign < 0));
        } else if (row[0] == "split") {
            SplitSectionPath(row[1], head, tail, found);
            result = head + "|" + tail + "|" + (found ? "1" : "0");
        } else {
            result = Where(row[0] == "add" ? doc.AddSection(row[1]) : doc.FindSection(row[1]));
        }
        EXPECT_EQ(result, row.back());
    }
    EXPECT_EQ(Describe(doc), "[a]{[b]{[c]{}}}[Options]{}");
}

TEST(IniPaths, SectionsNestNoDeeperThanTheLimitAndHugeInputStaysWhole) {
    std::string path, same;
    for (int i = 0; i < 1000000; ++i) {
        path += (i % 2 ? "b/" : "a/");
        same += "A/";
    }
    auto doc = Parsed("[" + path + "]\nK = v\nL = " + std::string(10 << 20, 'x') + "\nM = \"" +
                      std::string(4 << 20, 'q'));
    EXPECT_EQ(SectionCount(*doc), static_cast<size_t>(kIniMaxDepth));
    const CIniFile* node = doc.get();
    while (!node->Sections().empty())
        node = node->Sections().begin()->second.get();
    EXPECT_EQ(node->Keys().at("K"), "v");
    EXPECT_EQ(node->Keys().at("L").size() + node->Keys().at("M").size(), 14u << 20);
    CIniFile added;
    CIniFile* deepest = added.AddSection(path);
    EXPECT_EQ(SectionCount(added), static_cast<size_t>(kIniMaxDepth));
    EXPECT_EQ(added.AddSection(path), deepest);
    // Below A, "A/A/..." is looked up as a child named A, which does not exist.
    CIniFile other;
    CIniFile* a = other.AddSection(same);
    EXPECT_EQ(a, other.FindSection("A"));
    EXPECT_EQ(other.FindSection(same), nullptr);
    EXPECT_EQ(SectionCount(other), 1u);
}
