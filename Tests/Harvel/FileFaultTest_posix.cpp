// Failures of the system under the file object, injected into the POSIX layer.
#include "HarvelTestSupport.h"

#include "Platform/Posix/PosixHooks.h"

TEST_F(HarvelTest, FullDiskShortWriteOrFailedFlushMakeWriteFailWithErrorFour) {
    const struct {
        void (*inject)();
        bool noFlush;
        DWORD code;
    } rows[] = {{[] { Platform::SetWriteFault(4, ERROR_DISK_FULL); }, true, ERROR_DISK_FULL},
                {[] { Platform::SetWriteFault(4, ERROR_SUCCESS); }, true, ERROR_DISK_FULL},
                {[] { Platform::SetFlushFault(ERROR_IO_DEVICE); }, false, ERROR_IO_DEVICE}};
    for (const auto& row : rows) {
        FileOpenDesc desc("full.ini", FILE_ACCESS_WRITE, FILE_DISK, FILE_CREATE_ALWAYS);
        CTextFile file(desc);
        ASSERT_EQ(file.Open(&desc), 1);
        row.inject();
        EXPECT_EQ(Wrote(file, "KEY = 1", true), row.noFlush ? "0 4" : "1 7"); // not flushed
        if (!row.noFlush) {
            EXPECT_FALSE(file.WriteString("KEY = \"1\"\r\n", false));
        }
        Platform::ClearFaults();
        ExpectBox("full.ini\nErreur lors d'une tentative d'ecriture!(full.ini)\n", row.code,
                  "CFileHarvel.cpp");
    }
}
