// Damaged and hostile stream files: each ends the load with its own error, reads nothing
// beyond the input, and leaves no object behind once the stream is gone.
#include "NifBuilder.h"
#include "TestSceneClasses.h"

#include "Scene/NiLinkQueue.h"
#include "Scene/NiObjectList.h"
#include "Scene/NiStream.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

const uint32_t V4220 = 0x04020200;
const uint32_t NULL_LINK = 0xFFFFFFFFu;

class SceneBadInput : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterTestSceneClasses();
        liveBefore = LiveTestObjects();
    }
    void TearDown() override { EXPECT_EQ(liveBefore, LiveTestObjects()) << "objects leaked"; }

    int LoadAndDrop(const std::string& bytes) {
        NiStream stream;
        std::istringstream input(bytes);
        bool loaded = stream.Load(&input);
        EXPECT_EQ(loaded, NiStream::GetLastError() == 0);
        if (!loaded) {
            EXPECT_EQ(0u, stream.GetObjectCount());
        }
        return NiStream::GetLastError();
    }
    static std::string Message() { return NiStream::GetLastErrorMessage(); }

    long liveBefore = 0;
};

// Three linked records: node 0 holds node 1 and leaf 2, node 1 points back at 0.
std::string LinkedFile() {
    NifBuilder file;
    file.Start(V4220, 3);
    file.Sized("TestLinkNode").Sized("top").Word(2).Word(1).Word(2).Word(NULL_LINK);
    file.Sized("TestLinkNode").Sized("mid").Word(0).Word(0);
    file.Sized("TestLeaf").Word(1);
    file.Word(2).Word(0).Word(NULL_LINK);
    return file.Bytes();
}

} // namespace

TEST_F(SceneBadInput, TheLinkedFileItselfLoads) {
    EXPECT_EQ(0, LoadAndDrop(LinkedFile()));
}

TEST_F(SceneBadInput, EveryTruncationFailsCleanly) {
    std::string whole = LinkedFile();
    size_t headerEnd = whole.find('\n');
    for (size_t length = 0; length < whole.size(); ++length) {
        int code = LoadAndDrop(whole.substr(0, length));
        // Cut inside the magic, the line no longer starts with it; anywhere else the file
        // simply ends too soon.
        int expected = length < 22 ? 2 : 6;
        EXPECT_EQ(expected, code) << "prefix of " << length << " of " << headerEnd;
    }
}

TEST_F(SceneBadInput, BillionsOfRecordsInATinyFileEndAtItsEnd) {
    std::string file =
        NifBuilder().Line("NetImmerse File Format").Word(V4220).Word(3000000000u).Bytes();
    EXPECT_EQ(6, LoadAndDrop(file));
    EXPECT_EQ("unexpected end of file", Message());
}

TEST_F(SceneBadInput, BillionsOfTopLevelEntriesEndAtTheEnd) {
    EXPECT_EQ(6,
              LoadAndDrop(NifBuilder().Start(V4220, 0).Word(4000000000u).Word(NULL_LINK).Bytes()));
}

TEST_F(SceneBadInput, HugeLinkListAndStringLengthsEndAtTheEnd) {
    NifBuilder list;
    list.Start(V4220, 1).Sized("TestLinkNode").Sized("x").Word(0xFFFFFFF0u).Word(0).Word(0);
    EXPECT_EQ(6, LoadAndDrop(list.Bytes()));
    NifBuilder text;
    text.Start(V4220, 1).Sized("TestLinkNode").Word(0x7FFFFFFF).Bytes();
    EXPECT_EQ(6, LoadAndDrop(text.Word(0).Bytes() + "abc"));
}

TEST_F(SceneBadInput, ClassNameLongerThan255IsRejected) {
    NifBuilder file;
    file.Start(V4220, 1).Sized(std::string(256, 'N')).Word(0);
    EXPECT_EQ(7, LoadAndDrop(file.Bytes()));
    EXPECT_EQ("class name is too long", Message());
    NifBuilder huge;
    huge.Start(V4220, 1).Word(0xFFFFFFFFu).Bytes();
    EXPECT_EQ(7, LoadAndDrop(huge.Bytes()));
}

TEST_F(SceneBadInput, LongUnknownClassNameKeepsTheMessageWithinLimits) {
    std::string name = "A" + std::string(253, 'b') + "Z";
    NifBuilder file;
    file.Start(V4220, 1).Sized(name).Word(0);
    EXPECT_EQ(5, LoadAndDrop(file.Bytes()));
    std::string message = Message();
    ASSERT_EQ(255u, message.size());
    // "cannot find create function " is 28 characters; "..." and the name's last 224 follow.
    EXPECT_EQ("cannot find create function ..." + name.substr(255 - 224), message);
}

TEST_F(SceneBadInput, LinkIdBeyondTheLoadedObjectsIsRejected) {
    NifBuilder child;
    child.Start(V4220, 1).Sized("TestLinkNode").Sized("n").Word(1).Word(1).Word(NULL_LINK);
    EXPECT_EQ(9, LoadAndDrop(child.Word(0).Bytes()));
    EXPECT_EQ("link id out of range", Message());

    NifBuilder target;
    target.Start(V4220, 1).Sized("TestLinkNode").Sized("n").Word(0).Word(0xFFFFFFFEu);
    EXPECT_EQ(9, LoadAndDrop(target.Word(0).Bytes()));

    NifBuilder top;
    top.Start(V4220, 1).Sized("TestLeaf").Word(0).Word(2).Word(0).Word(1);
    EXPECT_EQ(9, LoadAndDrop(top.Bytes()));
}

TEST_F(SceneBadInput, TakingMoreLinksThanQueuedIsRejected) {
    NifBuilder file;
    file.Start(V4220, 1).Sized("TestGreedy").Word(0);
    EXPECT_EQ(10, LoadAndDrop(file.Bytes()));
    EXPECT_EQ("link queue read past its end", Message());
}

TEST_F(SceneBadInput, CreateFunctionWithoutObjectIsRejected) {
    NifBuilder file;
    file.Start(V4220, 1).Sized("TestNoObject").Word(0);
    EXPECT_EQ(11, LoadAndDrop(file.Bytes()));
    EXPECT_EQ("create function returned no object TestNoObject", Message());
}

TEST_F(SceneBadInput, ObjectThatDoesNotAddItselfIsRejected) {
    NifBuilder file;
    file.Start(V4220, 1).Sized("TestForgetful").Word(0);
    EXPECT_EQ(13, LoadAndDrop(file.Bytes()));
}

TEST_F(SceneBadInput, ChildrenThatWouldMakeACycleAreRefused) {
    // 0 holds 1, 1 holds 0 and itself: only the first attachment is taken.
    NifBuilder file;
    file.Start(V4220, 2);
    file.Sized("TestLinkNode").Sized("a").Word(1).Word(1).Word(NULL_LINK);
    file.Sized("TestLinkNode").Sized("b").Word(2).Word(0).Word(1).Word(NULL_LINK);
    file.Word(1).Word(0);
    NiStream stream;
    std::istringstream input(file.Bytes());
    ASSERT_TRUE(stream.Load(&input));
    auto* a = static_cast<TestLinkNode*>(stream.GetObjectAt(0));
    ASSERT_EQ(1u, a->GetChildCount());
    auto* b = static_cast<TestLinkNode*>(a->GetChildAt(0));
    EXPECT_EQ(0u, b->GetChildCount());
    EXPECT_EQ(2u, b->refusedChildren);
}

TEST_F(SceneBadInput, DeepTreeNeedsNoDeepStack) {
    // Each node holds the next: far deeper than a recursive walk or release could go.
    const uint32_t depth = 200000;
    NifBuilder deep;
    deep.Start(0x04000000, depth);
    for (uint32_t i = 0; i < depth; ++i) {
        deep.Sized("TestLinkNode").Word(0);
        if (i + 1 < depth)
            deep.Word(1).Word(i + 1);
        else
            deep.Word(0);
        deep.Word(NULL_LINK);
    }
    std::string bytes = deep.Word(1).Word(0).Bytes();
    NiStream stream;
    std::istringstream input(bytes);
    ASSERT_TRUE(stream.Load(&input));
    EXPECT_TRUE(static_cast<NiAVObject*>(stream.GetObjectAt(0))->HasDerivedUpdateFlags());
}

TEST_F(SceneBadInput, ReusedStreamLoadsAfterAFailure) {
    NiStream stream;
    NifBuilder bad;
    bad.Start(V4220, 2).Sized("TestLinkNode").Sized("x").Word(1).Word(0).Word(NULL_LINK);
    bad.Sized("NiMissing");
    std::istringstream first(bad.Bytes());
    EXPECT_FALSE(stream.Load(&first));
    std::istringstream second(LinkedFile());
    ASSERT_TRUE(stream.Load(&second));
    auto* top = static_cast<TestLinkNode*>(stream.GetObjectAt(0));
    EXPECT_EQ("top", top->label);
    EXPECT_EQ(2u, top->GetChildCount());
}

TEST_F(SceneBadInput, SizedStringsOfNoOrNegativeLengthReadOnlyTheirLength) {
    NifBuilder file;
    file.Start(V4220, 3);
    file.Sized("TestLinkNode").Word(0).Word(0).Word(NULL_LINK);
    file.Sized("TestLinkNode").Word(0x80000000u).Word(0).Word(NULL_LINK);
    file.Sized("TestLinkNode").Sized("abc").Word(0).Word(NULL_LINK);
    file.Word(3).Word(0).Word(1).Word(2);
    NiStream stream;
    std::istringstream input(file.Bytes());
    ASSERT_TRUE(stream.Load(&input));
    EXPECT_EQ("", static_cast<TestLinkNode*>(stream.GetObjectAt(0))->label);
    EXPECT_EQ("", static_cast<TestLinkNode*>(stream.GetObjectAt(1))->label);
    EXPECT_EQ("abc", static_cast<TestLinkNode*>(stream.GetObjectAt(2))->label);
}

TEST(SceneStreamPrimitives, NothingIsReadOutsideALoad) {
    NiStream stream;
    EXPECT_EQ(nullptr, stream.ReadSizedString());
    uint32_t word = 7;
    EXPECT_FALSE(stream.ReadUInt32(word));
    EXPECT_EQ(0u, word);
}

TEST(SceneStreamPrimitives, LinkQueueStartsAtOneAndDoubles) {
    NiLinkQueue queue;
    EXPECT_EQ(1u, queue.GetCapacity());
    const size_t expected[] = {1, 2, 4, 4, 8, 8, 8, 8, 16};
    for (uint32_t i = 0; i < 9; ++i) {
        ASSERT_TRUE(queue.Add(i));
        EXPECT_EQ(expected[i], queue.GetCapacity()) << i;
    }
    uint32_t value = 99;
    for (uint32_t i = 0; i < 9; ++i) {
        ASSERT_TRUE(queue.Take(value));
        EXPECT_EQ(i, value);
    }
    EXPECT_FALSE(queue.Take(value));
}

TEST(SceneStreamPrimitives, LoadedListGrowsByBlocksOf1024) {
    NiObjectList list(1024, 1024);
    EXPECT_EQ(1024u, list.GetCapacity());
    for (int i = 0; i < 1025; ++i)
        ASSERT_TRUE(list.Append(nullptr));
    EXPECT_EQ(2048u, list.GetCapacity());
    EXPECT_EQ(nullptr, list.At(5000));
}
