// Failures of the system under the file object, injected into the POSIX layer.
#include "HarvelTestSupport.h"

#include "Platform/Posix/PosixHooks.h"

namespace {

class HarvelFaultTest : public HarvelTest {
protected:
    ~HarvelFaultTest() override { Platform::ClearFaults(); }
};

} // namespace

TEST_F(HarvelFaultTest, AFullDiskMakesWriteFailWithErrorFourAndTheSystemText) {
    FileOpenDesc desc("full.ini", FILE_ACCESS_WRITE, FILE_DISK, FILE_CREATE_ALWAYS);
    CTextFile file(desc);
    ASSERT_EQ(file.Open(&desc), 1);
    Platform::SetWriteFault(4, ERROR_DISK_FULL);
    EXPECT_FALSE(file.WriteString("KEY = \"1\"\r\n", true));
    ExpectFileErrorBox(std::string("full.ini\n") + kWriteFailed + "(full.ini)\n", ERROR_DISK_FULL,
                       "CFileHarvel.cpp");
}

TEST_F(HarvelFaultTest, AFailedFlushMakesWriteFail) {
    FileOpenDesc desc("flush.ini", FILE_ACCESS_WRITE, FILE_DISK, FILE_CREATE_ALWAYS);
    CFileHarvel file(desc);
    ASSERT_EQ(file.Open(&desc), 1);
    Platform::SetFlushFault(ERROR_IO_DEVICE);
    EXPECT_EQ(file.Write("abc", 3, nullptr, true), 1); // not flushed: the fault is not met
    EXPECT_EQ(BoxCount(), 0u);
    EXPECT_EQ(file.Write("abc", 3), 0);
    EXPECT_EQ(OnlyBoxLine(1), std::string(kWriteFailed) + "(flush.ini)");
}
