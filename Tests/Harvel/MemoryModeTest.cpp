// The file object over a caller's buffer, and in size-determination mode.
#include "HarvelTestSupport.h"

#include <cstring>

namespace {

// Six usable bytes "abcdef" between guard bytes that no operation may touch.
struct GuardedBuffer {
    unsigned char bytes[16];
    GuardedBuffer() {
        std::memset(bytes, '#', sizeof bytes);
        std::memcpy(bytes + 5, "abcdef", 6);
    }
    unsigned char* Data() { return bytes + 5; }
    static const DWORD kSize = 6;
    bool GuardsIntact() const {
        for (int i = 0; i < 5; ++i)
            if (bytes[i] != '#' || bytes[11 + i] != '#')
                return false;
        return true;
    }
};

FileOpenDesc MemoryDesc(GuardedBuffer& buffer) {
    FileOpenDesc desc;
    desc.flags = FILE_MEMORY;
    desc.memBuffer = buffer.Data();
    desc.memSize = GuardedBuffer::kSize;
    return desc;
}

FileOpenDesc SizeOnlyDesc() {
    FileOpenDesc desc;
    desc.flags = 0;
    desc.name = "counted.bin";
    return desc;
}

} // namespace

TEST_F(HarvelTest, MemoryReadIsClampedToTheBuffer) {
    GuardedBuffer buffer;
    FileOpenDesc desc = MemoryDesc(buffer);
    CFileHarvel file(desc);
    ASSERT_EQ(file.Open(&desc), 1);
    EXPECT_EQ(file.SetPosition(4, FILE_POS_BEGIN), 4u);
    char out[8] = {};
    DWORD got = 99;
    EXPECT_EQ(file.Read(out, 5, &got), 1);
    EXPECT_EQ(got, 2u);
    EXPECT_EQ(std::string(out, 2), "ef");
    EXPECT_EQ(out[2], '\0');
    EXPECT_EQ(file.GetPosition(), 6u);
    EXPECT_EQ(BoxCount(), 0u);
}

TEST_F(HarvelTest, MemoryReadAtTheEndReturnsZeroWithoutABox) {
    GuardedBuffer buffer;
    FileOpenDesc desc = MemoryDesc(buffer);
    CFileHarvel file(desc);
    ASSERT_EQ(file.Open(&desc), 1);
    char out[8] = {};
    DWORD got = 0;
    EXPECT_EQ(file.Read(out, 6, &got), 1);
    EXPECT_EQ(got, 6u);
    got = 99;
    EXPECT_EQ(file.Read(out, 1, &got), 0);
    EXPECT_EQ(got, 0u);
    EXPECT_EQ(BoxCount(), 0u);
}

TEST_F(HarvelTest, MemoryWriteStoresWhatFitsAndFails) {
    GuardedBuffer buffer;
    FileOpenDesc desc = MemoryDesc(buffer);
    CFileHarvel file(desc);
    ASSERT_EQ(file.Open(&desc), 1);
    file.SetPosition(3, FILE_POS_BEGIN);
    DWORD written = 99;
    EXPECT_EQ(file.Write("XYZUVW", 6, &written), 0);
    EXPECT_EQ(written, 3u);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer.Data()), 6), "abcXYZ");
    EXPECT_TRUE(buffer.GuardsIntact());
    ASSERT_EQ(BoxCount(), 1u);
    EXPECT_EQ(Lines(Box(0).text).at(1), std::string(kWriteFailed) + "()");
    // At the end nothing more fits.
    EXPECT_EQ(file.Write("Q", 1, &written), 0);
    EXPECT_EQ(written, 0u);
    EXPECT_TRUE(buffer.GuardsIntact());
}

TEST_F(HarvelTest, MemoryWriteThatFitsSucceeds) {
    GuardedBuffer buffer;
    FileOpenDesc desc = MemoryDesc(buffer);
    CFileHarvel file(desc);
    ASSERT_EQ(file.Open(&desc), 1);
    DWORD written = 0;
    EXPECT_EQ(file.Write("123456", 6, &written), 1);
    EXPECT_EQ(written, 6u);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(buffer.Data()), 6), "123456");
    EXPECT_TRUE(buffer.GuardsIntact());
    EXPECT_EQ(BoxCount(), 0u);
}

TEST_F(HarvelTest, MemoryPositionStaysInsideTheBuffer) {
    GuardedBuffer buffer;
    FileOpenDesc desc = MemoryDesc(buffer);
    CFileHarvel file(desc);
    ASSERT_EQ(file.Open(&desc), 1);
    EXPECT_EQ(file.SetPosition(100, FILE_POS_BEGIN), 6u);
    EXPECT_EQ(file.SetPosition(-100, FILE_POS_CURRENT), 0u);
    EXPECT_EQ(file.SetPosition(-5, FILE_POS_BEGIN), 0u);
    EXPECT_EQ(file.SetPosition(5, FILE_POS_END), 6u);
    EXPECT_EQ(file.SetPosition(-100, FILE_POS_END), 0u);
    char out[8] = {};
    DWORD got = 0;
    EXPECT_EQ(file.Read(out, 8, &got), 1);
    EXPECT_EQ(got, 6u);
    EXPECT_EQ(BoxCount(), 0u);
}

TEST_F(HarvelTest, MemorySeekFromTheEndAddsTheOffsetAsOnDisk) {
    GuardedBuffer buffer;
    FileOpenDesc desc = MemoryDesc(buffer);
    CFileHarvel file(desc);
    ASSERT_EQ(file.Open(&desc), 1);
    EXPECT_EQ(file.SetPosition(0, FILE_POS_END), 6u);
    EXPECT_EQ(file.SetPosition(-2, FILE_POS_END), 4u);
    char out[4] = {};
    DWORD got = 0;
    file.Read(out, 4, &got);
    EXPECT_EQ(std::string(out, got), "ef");
}

TEST_F(HarvelTest, GetSizeKeepsTheMemoryPosition) {
    GuardedBuffer buffer;
    FileOpenDesc desc = MemoryDesc(buffer);
    CFileHarvel file(desc);
    ASSERT_EQ(file.Open(&desc), 1);
    file.SetPosition(2, FILE_POS_BEGIN);
    EXPECT_EQ(file.GetSize(), 6u);
    EXPECT_EQ(file.GetPosition(), 2u);
}

TEST_F(HarvelTest, MemoryModeWithoutABufferIsRefused) {
    FileOpenDesc desc;
    desc.flags = FILE_MEMORY;
    desc.memSize = 100;
    CFileHarvel file(desc);
    EXPECT_EQ(file.Open(&desc), 0);
    ASSERT_EQ(BoxCount(), 1u);
    EXPECT_EQ(Lines(Box(0).text).at(1), "Probleme: Pointeur memoire non valide!()");
    DWORD written = 9;
    EXPECT_EQ(file.Write("x", 1, &written), 0);
    EXPECT_EQ(written, 0u);
}

TEST_F(HarvelTest, SizeDeterminationCountsTheBytesOfTheWrites) {
    FileOpenDesc desc = SizeOnlyDesc();
    CFileHarvel file(desc);
    ASSERT_EQ(file.Open(&desc), 1);
    char ten[10] = {};
    DWORD written = 0;
    EXPECT_EQ(file.Write(ten, 10, &written), 1);
    EXPECT_EQ(written, 10u);
    EXPECT_EQ(file.Write(ten, 5), 1);
    EXPECT_EQ(file.GetPosition(), 15u);
    EXPECT_EQ(file.SetPosition(3, FILE_POS_CURRENT), 18u);
    EXPECT_EQ(file.SetPosition(4, FILE_POS_BEGIN), 4u);
    EXPECT_FALSE(TempDir::Exists("counted.bin"));
    EXPECT_EQ(BoxCount(), 0u);
}

TEST_F(HarvelTest, SizeDeterminationReadsNothing) {
    FileOpenDesc desc = SizeOnlyDesc();
    CFileHarvel file(desc);
    ASSERT_EQ(file.Open(&desc), 1);
    char out[4] = {'k', 'k', 'k', 'k'};
    DWORD got = 99;
    EXPECT_EQ(file.Read(out, 4, &got), 1);
    EXPECT_EQ(got, 0u);
    EXPECT_EQ(out[0], 'k');
    EXPECT_EQ(file.GetPosition(), 4u);
}

TEST_F(HarvelTest, SizeDeterminationSeekFromTheEndShowsErrorElevenNamingNoFile) {
    FileOpenDesc desc = SizeOnlyDesc();
    CFileHarvel file(desc);
    ASSERT_EQ(file.Open(&desc), 1);
    file.Write("abc", 3);
    EXPECT_EQ(file.SetPosition(0, FILE_POS_END), 0xFFFFFFFFu);
    EXPECT_EQ(file.GetPosition(), 0xFFFFFFFFu);
    ASSERT_EQ(BoxCount(), 1u);
    EXPECT_EQ(Box(0).caption, kCaption);
    std::vector<std::string> lines = Lines(Box(0).text);
    ASSERT_GE(lines.size(), 2u);
    EXPECT_EQ(lines[0], kSeekEndInSizeMode);
    EXPECT_TRUE(StartsWith(lines[1], "WIN ERROR MESSAGE: ")) << lines[1];
    EXPECT_EQ(Box(0).text.find("counted.bin"), std::string::npos);
    EXPECT_TRUE(EndsWithSourcePosition(Box(0).text, "CFileHarvel.cpp"));
}
