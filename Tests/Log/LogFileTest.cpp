#include "App/LogFile.h"

#include <ctime>
#include <filesystem>
#include <gtest/gtest.h>
#include <regex>
#include <string>

#include "BoxCapture.h"
#include "TempDir.h"

static std::string Read(const std::string& name, std::time_t started) {
    std::string bytes = TempDir::ReadFile(name);
    for (std::time_t t = started; t <= std::time(nullptr); ++t) {
        char date[64], stamp[64];
        std::strftime(date, sizeof date, "%a %b %d %H:%M:%S %Y", std::localtime(&t));
        std::strftime(stamp, sizeof stamp, "%m/%d %H:%M:%S ", std::localtime(&t));
        if (date[8] == '0')
            date[8] = ' ';
        bytes = std::regex_replace(std::regex_replace(bytes, std::regex(date), "<date>"),
                                   std::regex(stamp), "<stamp>");
    }
    return bytes;
}

TEST(LogFile, SessionWritesBannersAndTaggedEntries) {
    TempDir dir;
    BoxCapture boxes;
    const std::time_t started = std::time(nullptr);
    {
        CLogFile log, unnamed;
        log.SetSource(5, "z.cpp").Write("before any open", 18);
        unnamed.Open(""); // no earlier name
        log.Open("no_such_folder/test.log");
        EXPECT_TRUE(log.IsOpen() && unnamed.IsOpen()); // so later entries try the file again
        for (CLogFile* failed : {&log, &unnamed}) {
            failed->Write("dropped", 18);
            failed->Close();
        }
        EXPECT_TRUE(std::filesystem::is_empty(dir.Path()));
        const std::string cannotOpen = "MESSAGE: Erreur lors de l'ouverture du fichier de log\n";
        EXPECT_EQ(boxes.Shown(), "MESSAGE: Empty log filename\n" + cannotOpen + cannotOpen);
        boxes.Clear();
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
    const std::string expected = TempDir::ReadFile(TEST_DATA "/open_write_close.log");
    EXPECT_EQ(Read("test.log", started), std::regex_replace(expected, std::regex("\n"), "\r\n"));
    EXPECT_FALSE(TempDir::Exists("second.log"));
    EXPECT_EQ(boxes.Shown(), "");
}
