#include "App/LogFile.h"

#include <ctime>
#include <gtest/gtest.h>
#include <string>

#include "BoxCapture.h"
#include "TempDir.h"

namespace {

const std::string kRule(246, '_');
const char kOpenFailed[] = "Erreur lors de l'ouverture du fichier de log";

// asctime's text: "Wed Jun 30 21:49:08 1993", the day of the month padded with a blank.
std::string AscTimeOf(std::time_t when) {
    char text[64];
    std::strftime(text, sizeof text, "%a %b %d %H:%M:%S %Y", std::localtime(&when));
    std::string result = text;
    if (result[8] == '0')
        result[8] = ' ';
    return result;
}

// The time column of an entry: month first, then the day.
std::string StampOf(std::time_t when) {
    char text[64];
    std::strftime(text, sizeof text, "%m/%d %H:%M:%S ", std::localtime(&when));
    return text;
}

void ReplaceAll(std::string& text, const std::string& what, const std::string& with) {
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at))
        text.replace(at, what.size(), with), at += with.size();
}

std::string OpeningBanner() {
    return kRule + "\r\n \r\nLog begins on <date>\r\n" + kRule + "\r\n \r\n";
}

std::string ClosingBanner() {
    return kRule + "\r\n \r\nLog ends on <date>\r\n" + kRule + "\r\n \r\n\r\n\r\n\r\n\r\n";
}

class LogFileTest : public ::testing::Test {
protected:
    // The file's raw bytes (so every line end is checked to be CR LF) with every date and time
    // of the test's run replaced by "<date>" (banner) or "<stamp>" (entry).
    std::string Read(const std::string& name) {
        std::string bytes = TempDir::ReadFile(name);
        for (std::time_t t = started; t <= std::time(nullptr); ++t) {
            ReplaceAll(bytes, AscTimeOf(t), "<date>");
            ReplaceAll(bytes, StampOf(t), "<stamp>");
        }
        return bytes;
    }

    TempDir dir;
    BoxCapture boxes;
    std::time_t started = std::time(nullptr);
    CLogFile log; // last, so its closing banner still lands in the folder
};

TEST_F(LogFileTest, NothingIsWrittenBeforeOpen) {
    EXPECT_FALSE(TheLog.IsOpen());
    log.SetSource(12, "a.cpp").Write("lost", 18);
    log.Close();
    EXPECT_FALSE(log.IsOpen());
    EXPECT_FALSE(TempDir::Exists("test.log"));
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(LogFileTest, OpenDeletesAnOlderFileAndAgainWhileOpenChangesNothing) {
    TempDir::WriteFile("test.log", "an older log\r\n");
    log.Open("test.log");
    EXPECT_TRUE(log.IsOpen());
    log.Open("second.log");
    EXPECT_EQ(log.FileName(), "test.log");
    EXPECT_FALSE(TempDir::Exists("second.log"));
    EXPECT_EQ(Read("test.log"), OpeningBanner());
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(LogFileTest, FailedOpensShowTheirBoxesAndDropEverything) {
    log.Open(""); // no earlier name
    ASSERT_EQ(boxes.Boxes().size(), 2u);
    EXPECT_EQ(boxes.Boxes()[0].caption, "MESSAGE");
    EXPECT_EQ(boxes.Boxes()[0].text, "Empty log filename");
    EXPECT_EQ(boxes.Boxes()[0].style, 4144u);
    EXPECT_EQ(boxes.Boxes()[1].caption, "MESSAGE");
    EXPECT_EQ(boxes.Boxes()[1].text, kOpenFailed);
    // It still counts as open; entries and the closing banner are dropped without a box.
    EXPECT_TRUE(log.IsOpen());
    log.SetSource(1, "a.cpp").Write("dropped", 18);
    log.Close();
    EXPECT_FALSE(log.IsOpen());
    boxes.Clear();
    log.Open("no_such_folder/test.log");
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, kOpenFailed);
    EXPECT_TRUE(log.IsOpen());
    log.SetSource(1, "a.cpp").Write("dropped", 18);
    log.Close();
    EXPECT_FALSE(TempDir::Exists("no_such_folder"));
    EXPECT_EQ(boxes.Boxes().size(), 1u);
}

TEST_F(LogFileTest, EmptyNameAfterCloseReopensTheEarlierFile) {
    log.Open("test.log");
    log.SetSource(249, "Code\\Sound\\CSoundEngine.cpp").Write("Detecting sound devices :", 18);
    log.Close();
    log.Open("");
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_EQ(Read("test.log"),
              OpeningBanner() +
                  "I     CSoundEngine.cpp(0249) <stamp>Detecting sound devices :\r\n" +
                  ClosingBanner() + OpeningBanner());
}

TEST_F(LogFileTest, TypesGetTheirTagsAndTheMaskFiltersThem) {
    log.SetTypeMask(0);
    log.Open("test.log"); // a name restores the full mask
    EXPECT_EQ(log.TypeMask(), 0xFFFFFFFFu);
    const int types[] = {-1, 1, 2, 4, 16, 18, 20, 24, 32, 3, 64, 0};
    for (int type : types)
        log.SetSource(1, "t.cpp").Write("x", type);
    log.SetTypeMask(16);
    log.SetSource(2, "t.cpp").Write("info", 18); // 18 shares bit 16
    log.SetSource(3, "t.cpp").Write("warning", 4);
    const char* tags[] = {"A ", "> ", "< ", "F ", "D ", "I ", "W ", "E ", "! ", "  ", "  "};
    std::string expected = OpeningBanner(); // nothing for type 0
    for (const char* tag : tags)
        expected += std::string(tag) + "               t.cpp(0001) <stamp>x\r\n";
    EXPECT_EQ(Read("test.log"), expected + "I                t.cpp(0002) <stamp>info\r\n");
}

TEST_F(LogFileTest, BaseNameIsCutToTwentyCharactersAndHugeTextsAreSafe) {
    log.Open("test.log");
    log.SetSource(7, "Deep\\Folder\\ABCDEFGHIJKLMNOPQRSTUVWXYZ.cpp").Write("cut", 18);
    log.SetSource(12345, "NoFolder.cpp").Write("wide line", 18);
    const std::string source = std::string(100000, 'd') + "\\" + std::string(50000, 'n');
    const std::string message(200000, 'm');
    log.SetSource(1, source).Write(message, 18);
    EXPECT_EQ(Read("test.log"), OpeningBanner() +
                                    "I ABCDEFGHIJKLMNOPQRST(0007) <stamp>cut\r\n"
                                    "I         NoFolder.cpp(12345) <stamp>wide line\r\n"
                                    "I " +
                                    std::string(20, 'n') + "(0001) <stamp>" + message + "\r\n");
}

TEST_F(LogFileTest, CloseWritesTheClosingBannerOnceAndSoDoesTheDestructor) {
    log.Open("test.log");
    log.Close();
    log.Close();
    EXPECT_FALSE(log.IsOpen());
    EXPECT_EQ(Read("test.log"), OpeningBanner() + ClosingBanner());
    {
        CLogFile scoped;
        scoped.Open("scoped.log");
    }
    EXPECT_EQ(Read("scoped.log"), OpeningBanner() + ClosingBanner());
}

} // namespace
