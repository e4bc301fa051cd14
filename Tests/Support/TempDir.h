// A fresh temporary folder that is the working folder while the object lives, as the program
// works only with paths relative to its working folder. Removed afterwards.
#pragma once

#include <gtest/gtest.h>
#include <string>
#include <vector>

class TempDir {
public:
    TempDir();
    ~TempDir();
    const std::string& Path() const { return path; }

    // Paths below are relative to the folder and use "/" (both builds accept it).
    static void WriteFile(const std::string& relPath, const std::string& bytes);
    static std::string ReadFile(const std::string& relPath);
    static bool Exists(const std::string& relPath);
    static void MakeDir(const std::string& relPath);
    // Removes or restores every write permission (the read-only attribute on Windows).
    static void SetReadOnly(const std::string& relPath, bool readOnly);
    static bool IsReadOnly(const std::string& relPath);

private:
    std::string path;
    std::string previous;
};

// The rows of a table file that stands next to a test (TEST_DATA "/name.txt"): one row a line,
// fields separated by tabs; empty lines and lines starting with "#" are skipped. Fields take
// the escapes \r \n \t \0 \\ and \xHH, so that any bytes can be written in a readable file.
using Row = std::vector<std::string>;
std::vector<Row> ReadTable(const std::string& path);
// A field's escapes turned into their bytes; any other backslash stays.
std::string Unescape(const std::string& text);

// The wide characters of UTF-8 `text`, as table files write any character.
std::wstring Wide(const std::string& text);

// Expects `result` of every row of the table file to be the row's last field.
template <typename Result> void ExpectEachRow(const std::string& path, Result result) {
    for (const Row& row : ReadTable(path)) {
        SCOPED_TRACE(row[0] + (row.size() > 2 ? " " + row[1] : ""));
        EXPECT_EQ(result(row), row.back());
    }
}
