#include "App/Report.h"

#include <string>

#include <gtest/gtest.h>

#include "BoxCapture.h"

namespace {

// MB_OK | MB_ICONEXCLAMATION | MB_SYSTEMMODAL.
const unsigned kBoxStyle = 0x1030;

// ReportError ends the process with -1: the Linux shell sees 255, while the Windows parent
// reads the whole 32-bit code 0xFFFFFFFF, which GoogleTest holds as -1.
#if defined(_WIN32)
const int kFatalExitCode = -1;
#else
const int kFatalExitCode = 255;
#endif

} // namespace

TEST(Report, ShowMessageShowsOneSystemModalExclamationBox) {
    BoxCapture boxes;
    ShowMessage("Some text", "Some caption");
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].caption, "Some caption");
    EXPECT_EQ(boxes.Boxes()[0].text, "Some text");
    EXPECT_EQ(boxes.Boxes()[0].style, kBoxStyle);
}

TEST(Report, WarningShowsOneBoxAndReturns) {
    BoxCapture boxes;
    bool returned = false;
    ReportWarning("Missing language pack");
    returned = true;
    EXPECT_TRUE(returned);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].caption, "WARNING");
    EXPECT_EQ(boxes.Boxes()[0].text, "Missing language pack");
    EXPECT_EQ(boxes.Boxes()[0].style, kBoxStyle);
}

TEST(Report, WarningExpandsItsArguments) {
    BoxCapture boxes;
    ReportWarning("%s has %d keys", "OPTIONS", 92);
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, "OPTIONS has 92 keys");
}

TEST(Report, WarningKeepsALineBreak) {
    BoxCapture boxes;
    ReportWarning("first\nsecond");
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, "first\nsecond");
}

TEST(Report, TextPassedThroughPercentSIsShownAsItIs) {
    BoxCapture boxes;
    ReportWarning("%s", "100% sure %d %s");
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, "100% sure %d %s");
}

TEST(Report, ExpansionUpToFormatLengthPlus1024IsShownWhole) {
    BoxCapture boxes;
    // "<%s>" is 4 characters: room for 1028, and "<" + 1026 + ">" is exactly that.
    std::string filler(1026, 'x');
    ReportWarning("<%s>", filler.c_str());
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, "<" + filler + ">");
}

TEST(Report, LongerExpansionIsCutAtFormatLengthPlus1024) {
    BoxCapture boxes;
    std::string filler(5000, 'y');
    ReportWarning("<%s>", filler.c_str());
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].text, "<" + std::string(1027, 'y'));
}

TEST(Report, ErrorShowsOneBoxThenEndsTheProcessWithMinusOne) {
    // The whole standard error of the dying process must be the one box: nothing after the
    // report runs, and no second box appears.
    EXPECT_EXIT(
        {
            BoxCapture boxes(true);
            ReportError("Fatal %d", 7);
            ShowMessage("never shown", "AFTER");
        },
        testing::ExitedWithCode(kFatalExitCode), "^box 1 ERROR: Fatal 7\n$");
}

TEST(Report, ErrorCutsALongExpansionToo) {
    std::string filler(3000, 'z');
    EXPECT_EXIT(
        {
            BoxCapture boxes(true);
            ReportError("%s", filler.c_str());
        },
        testing::ExitedWithCode(kFatalExitCode), "^box 1 ERROR: z+\n$");
}
