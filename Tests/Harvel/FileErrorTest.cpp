// The French error table, byte for byte.
#include <fstream>

#include "HarvelTestSupport.h"

TEST(FileError, TableHoldsTheSeventeenTextsInWindows1252) {
    std::ifstream expected(HARVEL_FILE_ERRORS, std::ios::binary);
    ASSERT_TRUE(expected.is_open()) << HARVEL_FILE_ERRORS;
    std::string text;
    for (int code = 0; code < 17; ++code) {
        text.clear();
        std::getline(expected, text);
        EXPECT_EQ(FileErrorText(code), text) << "code " << code;
    }
    for (int code : {-1, 17, 1000})
        EXPECT_EQ(FileErrorText(code), "") << "code " << code;
}
