// Loading stream files from memory, from a std::istream and from disk, good, damaged and
// hostile. Files are written as item lists (see data/cases.txt). Every failure ends the load
// with its own error and leaves no object behind once the stream is gone.
#include "TempDir.h"
#include "TestSceneClasses.h"

#include "Scene/NiLinkQueue.h"
#include "Scene/NiObjectList.h"
#include "Scene/NiObjectPool.h"
#include "Scene/NiStream.h"
#include "Scene/NiVersion.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

namespace {

// The bytes of a file written as items (the list is described in data/cases.txt).
std::string File(const std::string& items) {
    std::istringstream in(items);
    std::string bytes;
    for (std::string item; in >> item;) {
        std::string text = item.substr(1);
        for (char& c : text)
            c = c == '_' ? ' ' : c == '~' ? '\r' : c == '@' ? '\0' : c;
        if (item == "M" || item[0] == '^' || item[0] == '=') {
            bytes += (item == "M" ? "NetImmerse File Format" : text) + (item[0] == '=' ? "" : "\n");
            continue;
        }
        uint32_t word = item[0] == '\'' ? static_cast<uint32_t>(text.size())
                                        : static_cast<uint32_t>(std::stoul(item, nullptr, 0));
        bytes += std::string{char(word), char(word >> 8), char(word >> 16), char(word >> 24)};
        bytes += item[0] == '\'' ? text : "";
    }
    return bytes;
}

// Root node 0 holds leaves 1 and 2 (2 changes over time) and points at 2; leaf 3 is held by
// nobody. Top level: 0, null.
std::string SmallTree(const char* version = "0x04020200") {
    return File(
        std::string("M ") + version +
        " 4 'TestLinkNode 'root 2 1 2 2 'TestLeaf 0 'TestLeaf 1 'TestLeaf 0 2 0 0xFFFFFFFF");
}

class SceneStream : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterTestSceneClasses();
        liveBefore = SceneLog::live;
    }
    void TearDown() override {
        SceneLog::recording = false;
        EXPECT_EQ(liveBefore, SceneLog::live) << "objects leaked";
    }

    static bool Load(NiStream& stream, const std::string& bytes,
                     std::ios::iostate mask = std::ios::goodbit) {
        std::istringstream input(bytes);
        input.exceptions(mask);
        return stream.Load(&input);
    }
    // Loads from an istream with `mask` and in place, each in a stream of its own that is gone
    // afterwards, and checks both end alike; returns the error code.
    static int LoadAndDrop(const std::string& bytes, std::ios::iostate mask = std::ios::goodbit) {
        NiStream inPlace;
        bool loaded = inPlace.Load(bytes.data(), bytes.size());
        int code = NiStream::GetLastError();
        NiStream stream;
        EXPECT_EQ(loaded, Load(stream, bytes, mask));
        EXPECT_EQ(code, NiStream::GetLastError());
        EXPECT_EQ(loaded, code == 0);
        if (!loaded) {
            EXPECT_EQ(0u, stream.GetObjectCount());
            uint32_t word = 7;
            EXPECT_FALSE(stream.ReadUInt32(word)) << "the finished load is still read";
        }
        return code;
    }
    static std::string Message() { return NiStream::GetLastErrorMessage(); }
    template <class T = TestLinkNode> static T* Top(const NiStream& stream, unsigned i) {
        return static_cast<T*>(stream.GetObjectAt(i));
    }

    long liveBefore = 0;
};

} // namespace

TEST(SceneVersion, TextsEncodeAsFourBytesAndBadTextsAsZero) {
    EXPECT_EQ(0x0303000Bu, NI_OLDEST_READABLE_VERSION);
    EXPECT_EQ(0x04020200u, NI_CURRENT_VERSION);
    EXPECT_EQ(0x0401000Cu, NI_UPDATE_FLAGS_VERSION);
    const std::pair<const char*, uint32_t> rows[] = {{"4.2", 0x04020000},
                                                     {"10", 0x0A000000},
                                                     {"255.255.255.255", 0xFFFFFFFF},
                                                     {"256.0.0.0", 0},
                                                     {"1.2.3.4.5", 0},
                                                     {"4..2", 0},
                                                     {"v4", 0},
                                                     {"", 0}};
    for (const auto& row : rows)
        EXPECT_EQ(row.second, NiParseVersion(row.first)) << row.first;
}

TEST_F(SceneStream, EachFileOfTheTableEndsWithItsErrorAndText) {
    std::ifstream table(SCENE_TEST_DATA "/cases.txt");
    int rows = 0;
    for (std::string line; std::getline(table, line);) {
        if (line.empty() || line[0] == '#')
            continue;
        std::istringstream row(line);
        std::string what, items, code, message;
        std::getline(row, what, '|') && std::getline(row, items, '|') &&
            std::getline(row, code, '|') && std::getline(row, message);
        SCOPED_TRACE(what);
        ++rows;
        EXPECT_EQ(std::stoi(code), LoadAndDrop(File(items)));
        message.erase(0, message.find_first_not_of(' '));
        if (message != "*") {
            EXPECT_EQ(message, Message());
        }
    }
    EXPECT_EQ(35, rows);
}

TEST_F(SceneStream, EveryCutFailsCleanlyWhateverTheExceptionMask) {
    const std::string whole = SmallTree();
    ASSERT_EQ(0, LoadAndDrop(whole));
    // Cut inside the magic, the line no longer starts with it; elsewhere the file ends too soon.
    for (auto mask : {std::ios::goodbit, std::ios::failbit, std::ios::badbit, std::ios::eofbit})
        for (size_t length = 0; length < whole.size(); ++length)
            ASSERT_EQ(length < 22 ? 2 : 6, LoadAndDrop(whole.substr(0, length), mask)) << length;
}

TEST_F(SceneStream, ObjectsBeforeAFailingRecordStayWithTheStreamTillItGoes) {
    NiStream stream;
    EXPECT_FALSE(Load(stream, File("M 0x04020200 2 'TestLeaf 0 'NiNoSuchClass 1 0")));
    EXPECT_EQ(1u, stream.GetLoadedObjectCount());
    EXPECT_EQ(0u, stream.GetObjectCount());
}

TEST_F(SceneStream, LinksBuildTheTreeAndReferencesAreDropped) {
    NiStream stream;
    ASSERT_TRUE(Load(stream, SmallTree()));
    ASSERT_EQ(2u, stream.GetObjectCount());
    EXPECT_EQ(nullptr, stream.GetObjectAt(1));
    EXPECT_EQ(nullptr, stream.GetObjectAt(2));
    TestLinkNode* root = Top(stream, 0);
    ASSERT_TRUE(root->IsKindOf(TestLinkNode::ms_RTTI));
    EXPECT_EQ("root", root->label);
    ASSERT_EQ(2u, root->GetChildCount());
    EXPECT_EQ(root, root->GetChildAt(0)->GetParent());
    EXPECT_EQ(root->GetChildAt(1), root->target);
    EXPECT_EQ(0u, root->refusedChildren);
    // The loaded list let go; the top-level list and the parent hold one each, and the leaf
    // nobody holds is gone.
    EXPECT_EQ(0u, stream.GetLoadedObjectCount());
    EXPECT_EQ(1u, root->GetRefCount());
    EXPECT_EQ(1u, root->GetChildAt(0)->GetRefCount());
    EXPECT_EQ(liveBefore + 3, SceneLog::live);
}

TEST_F(SceneStream, EveryObjectLinksBeforeAnyPostLinks) {
    SceneLog::events.clear();
    SceneLog::recording = true;
    EXPECT_EQ(0, LoadAndDrop(File("M 0x04020200 3 'TestLinkNode 'A 1 2 0xFFFFFFFF 'TestLeaf 0 "
                                  "'TestLinkNode 'B 0 0xFFFFFFFF 0")));
    // Twice: in place, then through the istream.
    EXPECT_EQ("LAlLBPApPBLAlLBPApPB", SceneLog::events);
}

TEST_F(SceneStream, OnlyFilesBeforeTheThresholdDeriveUpdateFlags) {
    NiStream old, threshold;
    ASSERT_TRUE(Load(old, SmallTree("0x0401000B")));
    TestLinkNode* root = Top(old, 0);
    EXPECT_TRUE(root->HasDerivedUpdateFlags());
    EXPECT_TRUE(root->GetSubtreeUpdate());
    EXPECT_TRUE(root->GetChildAt(0)->HasDerivedUpdateFlags());
    EXPECT_FALSE(root->GetChildAt(0)->GetSubtreeUpdate());
    EXPECT_TRUE(root->GetChildAt(1)->GetSubtreeUpdate());
    ASSERT_TRUE(Load(threshold, SmallTree("0x0401000C")));
    EXPECT_FALSE(Top(threshold, 0)->HasDerivedUpdateFlags());
    EXPECT_FALSE(Top(threshold, 0)->GetChildAt(1)->HasDerivedUpdateFlags());
}

TEST_F(SceneStream, LoadByNameReadsTheFileOrNamesItInTheMessage) {
    TempDir dir;
    TempDir::WriteFile("tree.nif", SmallTree());
    NiStream stream;
    ASSERT_TRUE(stream.Load("tree.nif"));
    EXPECT_EQ("tree.nif", stream.GetFileName());
    EXPECT_EQ(2u, stream.GetObjectCount());
    // Too long for the 255-character message: "..." and the name's last 235 characters.
    const std::string longName = std::string(300, 'd') + "/end.nif";
    for (const std::string& name : {std::string("missing.nif"), longName}) {
        EXPECT_FALSE(NiStream().Load(name.c_str()));
        EXPECT_EQ(1, NiStream::GetLastError());
        EXPECT_EQ((name.size() > 235 ? "..." + name.substr(name.size() - 235) : name) +
                      " cannot load file",
                  Message());
    }
}

TEST_F(SceneStream, MissingOrBadInputAndAFreshStreamSetTheError) {
    EXPECT_FALSE(NiStream().Load(static_cast<std::istream*>(nullptr)));
    EXPECT_EQ(1, NiStream::GetLastError());
    EXPECT_EQ("", Message());
    NiStream stream;
    EXPECT_EQ(0, NiStream::GetLastError());
    EXPECT_EQ("", Message());
    // An input already in a bad state fails without an error of its own.
    EXPECT_EQ(2, LoadAndDrop("junk"));
    std::istringstream input(File("M 0x04020200 0 0"));
    input.setstate(std::ios::failbit);
    EXPECT_FALSE(stream.Load(&input));
    EXPECT_EQ(2, NiStream::GetLastError());
    // No block: code 1, the message as it was.
    EXPECT_FALSE(stream.Load(nullptr, 4));
    EXPECT_EQ(1, NiStream::GetLastError());
    EXPECT_EQ("is not a NIF file", Message());
}

TEST_F(SceneStream, ChildrenThatWouldMakeACycleAreRefused) {
    // 0 holds 1, 1 holds 0 and itself: only the first attachment is taken. 2 then takes 0,
    // subtree and all.
    NiStream stream;
    ASSERT_TRUE(Load(stream, File("M 0x04020200 3 'TestLinkNode 'a 1 1 0xFFFFFFFF 'TestLinkNode "
                                  "'b 2 0 1 0xFFFFFFFF 'TestLinkNode 'c 1 0 0xFFFFFFFF 1 2")));
    ASSERT_EQ(1u, Top(stream, 0)->GetChildCount());
    auto* a = static_cast<TestLinkNode*>(Top(stream, 0)->GetChildAt(0));
    ASSERT_EQ(1u, a->GetChildCount());
    auto* b = static_cast<TestLinkNode*>(a->GetChildAt(0));
    EXPECT_EQ(0u, b->GetChildCount());
    EXPECT_EQ(2u, b->refusedChildren);
}

TEST_F(SceneStream, DeepTreeNeedsNoDeepStack) {
    // Each node holds the next: far deeper than a recursive walk or release could go.
    const uint32_t depth = 200000;
    std::string items = "M 0x04000000 " + std::to_string(depth);
    for (uint32_t i = 1; i < depth; ++i)
        items += " 'TestLinkNode 0 1 " + std::to_string(i) + " 0xFFFFFFFF";
    NiStream stream;
    ASSERT_TRUE(Load(stream, File(items + " 'TestLinkNode 0 0 0xFFFFFFFF 1 0")));
    EXPECT_TRUE(Top<NiAVObject>(stream, 0)->HasDerivedUpdateFlags());
}

TEST_F(SceneStream, IdListAcrossTheInputWindowIsQueuedWhole) {
    const uint32_t leaves = 30000; // 120 000 bytes of ids: more than one window of the istream
    std::string items = "M 0x04020200 " + std::to_string(leaves + 1) + " 'TestLinkNode 'r " +
                        std::to_string(leaves);
    for (uint32_t i = 1; i <= leaves; ++i)
        items += " " + std::to_string(i);
    items += " 0xFFFFFFFF";
    for (uint32_t i = 0; i < leaves; ++i)
        items += " 'TestLeaf 0";
    NiStream stream;
    ASSERT_TRUE(Load(stream, File(items + " 1 0")));
    EXPECT_EQ(leaves, Top(stream, 0)->GetChildCount());
}

TEST_F(SceneStream, ReusedStreamLoadsAfterAFailure) {
    NiStream stream;
    EXPECT_FALSE(Load(stream, File("M 0x04020200 2 'TestLinkNode 'x 1 0 0xFFFFFFFF 'NiMissing")));
    ASSERT_TRUE(Load(stream, SmallTree()));
    EXPECT_EQ("root", Top(stream, 0)->label);
    EXPECT_EQ(2u, Top(stream, 0)->GetChildCount());
}

TEST_F(SceneStream, SizedStringsOfNoOrNegativeLengthReadOnlyTheirLength) {
    NiStream stream;
    ASSERT_TRUE(
        Load(stream, File("M 0x04020200 3 'TestLinkNode 0 0 0xFFFFFFFF 'TestLinkNode "
                          "0x80000000 0 0xFFFFFFFF 'TestLinkNode 'abc 0 0xFFFFFFFF 3 0 1 2")));
    const char* labels[] = {"", "", "abc"};
    for (unsigned i = 0; i < 3; ++i)
        EXPECT_EQ(labels[i], Top(stream, i)->label);
}

TEST(SceneStreamPrimitives, NothingIsReadOutsideALoad) {
    NiStream stream;
    EXPECT_EQ(nullptr, stream.ReadSizedString());
    uint32_t word = 7;
    EXPECT_FALSE(stream.ReadUInt32(word));
    EXPECT_EQ(0u, word);
}

TEST(SceneStreamPrimitives, PoolsHandReleasedBlocksOutAgain) {
    void* kept = NiObjectPool::Allocate(40);
    void* released = NiObjectPool::Allocate(40);
    NiObjectPool::Release(released, 40);
    EXPECT_EQ(released, NiObjectPool::Allocate(40));
    NiObjectPool::Release(released, 40);
    NiObjectPool::Release(kept, 40);
}

TEST(SceneStreamPrimitives, QueuesStartSmallAndGrow) {
    NiLinkQueue queue;
    EXPECT_EQ(1u, queue.GetCapacity());
    const size_t capacities[] = {1, 2, 4, 4, 8, 8, 8, 8, 16};
    for (uint32_t i = 0; i < 9; ++i) {
        ASSERT_TRUE(queue.Add(i));
        EXPECT_EQ(capacities[i], queue.GetCapacity()) << i;
    }
    uint32_t value = 99;
    for (uint32_t i = 0; i < 9; ++i) {
        ASSERT_TRUE(queue.Take(value));
        EXPECT_EQ(i, value);
    }
    EXPECT_FALSE(queue.Take(value));
    NiObjectList list(1024, 1024);
    for (int i = 0; i < 1025; ++i)
        ASSERT_TRUE(list.Append(nullptr));
    EXPECT_EQ(2048u, list.GetCapacity());
    EXPECT_EQ(nullptr, list.At(5000));
}
