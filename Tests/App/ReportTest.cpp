#include "App/Report.h"

#include <string>

#include <gtest/gtest.h>

#include "BoxCapture.h"
#include "FatalExitCode.h"

namespace {

// MB_OK | MB_ICONEXCLAMATION | MB_SYSTEMMODAL.
const unsigned kBoxStyle = 0x1030;

} // namespace

TEST(Report, ShowMessageShowsOneSystemModalExclamationBox) {
    BoxCapture boxes;
    ShowMessage("Some text", "Some caption");
    ASSERT_EQ(boxes.Boxes().size(), 1u);
    EXPECT_EQ(boxes.Boxes()[0].caption, "Some caption");
    EXPECT_EQ(boxes.Boxes()[0].text, "Some text");
    EXPECT_EQ(boxes.Boxes()[0].style, kBoxStyle);
}

TEST(Report, WarningsShowOneBoxEachAndReturn) {
    BoxCapture boxes;
    ReportWarning("Missing language pack");
    ReportWarning("%s has %d keys", "OPTIONS", 92);
    ReportWarning("first\nsecond");
    ReportWarning("%s", "100% sure %d %s");
    // "<%s>" is 4 characters: room for 1028, and "<" + 1026 + ">" is exactly that.
    ReportWarning("<%s>", std::string(1026, 'x').c_str());
    ReportWarning("<%s>", std::string(5000, 'y').c_str());
    const std::string expected[] = {"Missing language pack",
                                    "OPTIONS has 92 keys",
                                    "first\nsecond",
                                    "100% sure %d %s",
                                    "<" + std::string(1026, 'x') + ">",
                                    "<" + std::string(1027, 'y')};
    ASSERT_EQ(boxes.Boxes().size(), 6u);
    for (size_t i = 0; i < 6; ++i) {
        SCOPED_TRACE(expected[i].substr(0, 40));
        EXPECT_EQ(boxes.Boxes()[i].caption, "WARNING");
        EXPECT_EQ(boxes.Boxes()[i].text, expected[i]);
        EXPECT_EQ(boxes.Boxes()[i].style, kBoxStyle);
    }
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
