#include "App/Report.h"

#include <string>

#include <gtest/gtest.h>

#include "BoxCapture.h"
#include "FatalExitCode.h"

TEST(Report, BoxesShowTheExpansionCutAtFormatLengthPlus1024) {
    BoxCapture boxes;
    ShowMessage("Some text", "Some caption");
    ReportWarning("Missing language pack");
    ReportWarning("%s has %d keys", "OPTIONS", 92);
    ReportWarning("%s", "first\n100% sure %d %s");
    // "<%s>" is 4 characters: room for 1028, which "<", 1026 x and ">" just fill.
    ReportWarning("<%s>", std::string(1026, 'x').c_str());
    ReportWarning("<%s>", std::string(5000, 'y').c_str());
    EXPECT_EQ(boxes.Shown(), "Some caption: Some text\nWARNING: Missing language pack\n"
                             "WARNING: OPTIONS has 92 keys\nWARNING: first\n100% sure %d %s\n"
                             "WARNING: <" +
                                 std::string(1026, 'x') + ">\nWARNING: <" + std::string(1027, 'y') +
                                 "\n");
    for (const CapturedBox& box : boxes.Boxes())
        EXPECT_EQ(box.style, 0x1030u); // MB_OK | MB_ICONEXCLAMATION | MB_SYSTEMMODAL
}

TEST(Report, ErrorShowsOneBoxThenEndsTheProcessWithMinusOne) {
    // Nothing after the report runs: its box is the whole standard error of the dying process.
    EXPECT_EXIT(
        {
            BoxCapture boxes(true);
            ReportError("Fatal %d", 7);
            ShowMessage("never shown", "AFTER");
        },
        testing::ExitedWithCode(kFatalExitCode), "^box 1 ERROR: Fatal 7\n$");
}
