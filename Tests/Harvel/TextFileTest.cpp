// Lines through CTextFile, read from memory.
#include "HarvelTestSupport.h"

namespace {

// Every line ReadLine returns from `text` in memory, each followed by "|", until it says false.
std::string ReadLines(std::string text, bool keepEol) {
    text.push_back('#'); // so that even an empty text has a buffer to point at
    FileOpenDesc desc;
    desc.flags = FILE_MEMORY;
    desc.memBuffer = reinterpret_cast<unsigned char*>(&text[0]);
    desc.memSize = static_cast<DWORD>(text.size() - 1);
    CTextFile file(desc);
    if (!file.Open(&desc))
        return "<open failed>";
    std::string lines, line;
    for (int n = 0; n < 100 && file.ReadLine(line, keepEol); ++n)
        lines += line + "|";
    return lines;
}

} // namespace

TEST(TextFile, ReadLineTakesEachLineEndPairAsOneAndKeepsTheLastLine) {
    ExpectEachRow(TEST_DATA "/lines.txt", [](const Row& row) {
        return ReadLines(row[0], false) + "/" + ReadLines(row[0], true);
    });
}
