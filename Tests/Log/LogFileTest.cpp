#include "App/LogFile.h"

#include <ctime>
#include <filesystem>
#include <gtest/gtest.h>
#include <string>

#include "BoxCapture.h"
#include "TempDir.h"

namespace {

void ReplaceAll(std::string& text, const std::string& what, const std::string& with) {
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at))
        text.replace(at, what.size(), with), at += with.size();
}

// The file with every date and time since `started` as "<date>" (asctime's form: day of the
// month padded with a blank) or "<stamp>" (an entry's: month before day).
std::string Read(const std::string& name, std::time_t started) {
    std::string bytes = TempDir::ReadFile(name);
    for (std::time_t t = started; t <= std::time(nullptr); ++t) {
        char date[64], stamp[64];
        std::strftime(date, sizeof date, "%a %b %d %H:%M:%S %Y", std::localtime(&t));
        std::strftime(stamp, sizeof stamp, "%m/%d %H:%M:%S ", std::localtime(&t));
        if (date[8] == '0')
            date[8] = ' ';
        ReplaceAll(bytes, date, "<date>");
        ReplaceAll(bytes, stamp, "<stamp>");
    }
    return bytes;
}

} // namespace

TEST(LogFile, SessionWritesBannersAndTaggedEntries) {
    TempDir dir;
    BoxCapture boxes;
    const std::time_t started = std::time(nullptr);
    {
        CLogFile log;
        log.SetSource(5, "z.cpp").Write("before any open", 18);
        log.Close();
        EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
        TempDir::WriteFile("test.log", "an older log\r\n");
        log.SetTypeMask(0);
        log.Open("test.log"); // resets the source and the mask
        log.Write("after open", 18);
        log.Open("second.log");
        for (int type : {-1, 1, 2, 4, 16, 18, 20, 24, 32, 3, 64, 0})
            log.SetSource(1, "t.cpp").Write("type " + std::to_string(type), type);
        log.SetTypeMask(16);
        log.SetSource(2, "t.cpp").Write("shares bit 16", 18);
        log.SetSource(3, "t.cpp").Write("shares no bit", 4);
        log.SetTypeMask(0xFFFFFFFFu);
        log.SetSource(7, "Deep\\Folder\\ABCDEFGHIJKLMNOPQRSTUVWXYZ.cpp").Write("cut", 18);
        log.SetSource(12345, "NoFolder.cpp").Write("wide line", 18);
        log.SetSource(249, std::string(100000, 'd') + "\\" + std::string(50000, 'n')).Write("", 18);
        log.Close();
        log.Close();
        log.Open(""); // the earlier file again, without deleting it
    }
    std::string expected = TempDir::ReadFile(TEST_DATA "/session.log");
    ReplaceAll(expected, "\n", "\r\n");
    EXPECT_EQ(Read("test.log", started), expected);
    EXPECT_FALSE(TempDir::Exists("second.log"));
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST(LogFile, FailedOpenShowsItsBoxesAndThenDropsEverything) {
    const std::string failed = "MESSAGE: Erreur lors de l'ouverture du fichier de log\n";
    const std::string rows[][2] = {{"", "MESSAGE: Empty log filename\n" + failed},
                                   {"no_such_folder/test.log", failed}};
    for (const auto& row : rows) {
        TempDir dir;
        BoxCapture boxes;
        CLogFile log;
        log.Open(row[0]);
        EXPECT_TRUE(log.IsOpen()); // so later entries try the file again
        log.SetSource(1, "a.cpp").Write("dropped", 18);
        log.Close();
        EXPECT_FALSE(log.IsOpen());
        EXPECT_EQ(boxes.Shown(), row[1]);
        EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
    }
}
