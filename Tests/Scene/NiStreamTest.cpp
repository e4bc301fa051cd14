// Loading stream files from memory and from disk, good, damaged and hostile. Every failure ends
// the load with its own error and leaves no object behind once the stream is gone.
#include "NifBuilder.h"
#include "TempDir.h"
#include "TestSceneClasses.h"

#include "Scene/NiLinkQueue.h"
#include "Scene/NiObjectList.h"
#include "Scene/NiStream.h"
#include "Scene/NiVersion.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

const uint32_t V4220 = 0x04020200;
const uint32_t NULL_LINK = 0xFFFFFFFFu;

std::string EmptyFile(uint32_t version, const std::string& header = "NetImmerse File Format") {
    return NifBuilder().Line(header).Word(version).Word(0).Word(0).Bytes();
}
void Leaf(NifBuilder& file, uint32_t changes = 0) {
    file.Sized("TestLeaf").Word(changes);
}
void Node(NifBuilder& file, const std::string& label, std::initializer_list<uint32_t> children,
          uint32_t target = NULL_LINK) {
    file.Sized("TestLinkNode").Sized(label).Word(static_cast<uint32_t>(children.size()));
    for (uint32_t id : children)
        file.Word(id);
    file.Word(target);
}
// Root node 0 holds leaves 1 and 2 (2 changes over time) and points at 2; top level: 0, null.
std::string SmallTree(uint32_t version = V4220) {
    NifBuilder file;
    file.Start(version, 3);
    Node(file, "root", {1, 2}, 2);
    Leaf(file, 0);
    Leaf(file, 1);
    return file.Word(2).Word(0).Word(NULL_LINK).Bytes();
}

struct Case {
    const char* what;
    std::string bytes;
    int code;
    const char* message; // null: not checked
};

class SceneStream : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterTestSceneClasses();
        liveBefore = LiveTestObjects();
    }
    void TearDown() override {
        StopSceneEvents();
        EXPECT_EQ(liveBefore, LiveTestObjects()) << "objects leaked";
    }

    static bool Load(NiStream& stream, const std::string& bytes) {
        std::istringstream input(bytes);
        return stream.Load(&input);
    }
    // Loads in a stream of its own that is gone afterwards; returns the error code.
    static int LoadAndDrop(const std::string& bytes) {
        NiStream stream;
        bool loaded = Load(stream, bytes);
        EXPECT_EQ(loaded, NiStream::GetLastError() == 0);
        if (!loaded) {
            EXPECT_EQ(0u, stream.GetObjectCount());
        }
        return NiStream::GetLastError();
    }
    static std::string Message() { return NiStream::GetLastErrorMessage(); }
    static void Expect(const Case& row) {
        SCOPED_TRACE(row.what);
        EXPECT_EQ(row.code, LoadAndDrop(row.bytes));
        if (row.message) {
            EXPECT_EQ(row.message, Message());
        }
    }

    long liveBefore = 0;
};

} // namespace

TEST(SceneVersion, TextsEncodeAsFourBytesAndBadTextsAsZero) {
    EXPECT_EQ(0x0303000Bu, NI_OLDEST_READABLE_VERSION);
    EXPECT_EQ(0x04020200u, NI_CURRENT_VERSION);
    EXPECT_EQ(0x0401000Cu, NI_UPDATE_FLAGS_VERSION);
    const struct {
        const char* text;
        uint32_t version;
    } rows[] = {{"4.2", 0x04020000},
                {"10", 0x0A000000},
                {"255.255.255.255", 0xFFFFFFFF},
                {"256.0.0.0", 0},
                {"1.2.3.4.5", 0},
                {"4..2", 0},
                {"v4", 0},
                {"", 0}};
    for (const auto& row : rows)
        EXPECT_EQ(row.version, NiParseVersion(row.text)) << row.text;
}

TEST_F(SceneStream, EmptyFileLoadsWithNoTopLevelObjects) {
    NiStream stream;
    ASSERT_TRUE(Load(stream, EmptyFile(V4220, "NetImmerse File Format, Version 9.9.9 whatever")));
    EXPECT_EQ(0u, stream.GetObjectCount());
    EXPECT_EQ(nullptr, stream.GetObjectAt(0));
    EXPECT_EQ(V4220, stream.GetFileVersion());
    EXPECT_EQ(0, NiStream::GetLastError());
    EXPECT_EQ("", Message());
}

TEST_F(SceneStream, HeaderLineAndVersionRules) {
    const std::string magic = "NetImmerse File Format";
    const std::string fits = magic + std::string(127 - magic.size(), 'x');
    const Case rows[] = {
        {"below oldest", EmptyFile(0x0303000A), 3, "NIF version is too old"},
        {"oldest", EmptyFile(0x0303000B), 0, ""},
        {"current", EmptyFile(0x04020200), 0, ""},
        {"above current", EmptyFile(0x04020201), 4, "unknown NIF version"},
        {"magic not at start", EmptyFile(V4220, " " + magic), 2, "is not a NIF file"},
        {"magic cut", EmptyFile(V4220, "NetImmerse File"), 2, "is not a NIF file"},
        {"magic in lower case", EmptyFile(V4220, "netimmerse file format"), 2, nullptr},
        {"nothing", "", 2, nullptr},
        {"CR LF", EmptyFile(V4220, magic + ", Version 4.2.2.0\r"), 0, ""},
        // Dropped anywhere in the line, even inside the magic.
        {"CR inside magic", EmptyFile(V4220, "Net\rImmerse File Format"), 0, ""},
        {"127 characters", EmptyFile(V4220, fits), 0, ""},
        {"127 and CR", EmptyFile(V4220, fits + "\r"), 0, ""},
        {"128 characters", EmptyFile(V4220, fits + "x"), 8, "header line is too long"},
        {"no line feed", magic, 6, "unexpected end of file"},
    };
    for (const Case& row : rows)
        Expect(row);
}

TEST_F(SceneStream, VersionIsCheckedBeforeAnyObjectIsMade) {
    NifBuilder file;
    file.Start(0x04020201, 1);
    Leaf(file);
    EXPECT_EQ(4, LoadAndDrop(file.Word(0).Bytes()));
    EXPECT_EQ(liveBefore, LiveTestObjects());
}

TEST_F(SceneStream, UnregisteredClassFailsWithItsName) {
    NiStream stream;
    NifBuilder file;
    file.Start(V4220, 2);
    Leaf(file);
    EXPECT_FALSE(Load(stream, file.Sized("NiNoSuchClass").Word(1).Word(0).Bytes()));
    EXPECT_EQ(5, NiStream::GetLastError());
    EXPECT_EQ("cannot find create function NiNoSuchClass", Message());
    // The object made before the failing record stays with the stream until it goes.
    EXPECT_EQ(1u, stream.GetLoadedObjectCount());
    EXPECT_EQ(0u, stream.GetObjectCount());
}

TEST_F(SceneStream, DamagedFilesFailWithTheirOwnError) {
    const std::string longName = "A" + std::string(253, 'b') + "Z";
    // "cannot find create function " is 28 characters; "..." and the name's last 224 follow.
    const std::string longMessage = "cannot find create function ..." + longName.substr(31);
    auto one = [](const std::string& name) { return NifBuilder().Start(V4220, 1).Sized(name); };
    const Case rows[] = {
        {"abstract class", one("NiAVObject").Word(0).Bytes(), 5,
         "cannot find create function NiAVObject"},
        {"base class", one("NiObject").Word(0).Bytes(), 5, nullptr},
        {"lower case", one("ninode").Word(0).Bytes(), 5, nullptr},
        {"cut by NUL", one(std::string("NiNode\0x", 8)).Word(0).Bytes(), 5, nullptr},
        {"long unknown name", one(longName).Word(0).Bytes(), 5, longMessage.c_str()},
        {"class name of 256", one(std::string(256, 'N')).Word(0).Bytes(), 7,
         "class name is too long"},
        {"class name of 2^32-1", NifBuilder().Start(V4220, 1).Word(NULL_LINK).Bytes(), 7, nullptr},
        {"billions of records",
         NifBuilder().Line("NetImmerse File Format").Word(V4220).Word(3000000000u).Bytes(), 6,
         "unexpected end of file"},
        {"billions of top-level entries",
         NifBuilder().Start(V4220, 0).Word(4000000000u).Word(NULL_LINK).Bytes(), 6, nullptr},
        {"huge link list", one("TestLinkNode").Sized("x").Word(0xFFFFFFF0u).Word(0).Word(0).Bytes(),
         6, nullptr},
        {"huge string", one("TestLinkNode").Word(0x7FFFFFFF).Word(0).Bytes() + "abc", 6, nullptr},
        {"child beyond the objects",
         one("TestLinkNode").Sized("n").Word(1).Word(1).Word(NULL_LINK).Word(0).Bytes(), 9,
         "link id out of range"},
        {"target beyond the objects",
         one("TestLinkNode").Sized("n").Word(0).Word(0xFFFFFFFEu).Word(0).Bytes(), 9, nullptr},
        {"top level beyond the objects", one("TestLeaf").Word(0).Word(2).Word(0).Word(1).Bytes(), 9,
         nullptr},
        {"link taken but never queued", one("TestGreedy").Word(0).Bytes(), 10,
         "link queue read past its end"},
        {"create function without object", one("TestNoObject").Word(0).Bytes(), 11,
         "create function returned no object TestNoObject"},
        {"object not added to the loaded list", one("TestForgetful").Word(0).Bytes(), 13, nullptr},
    };
    for (const Case& row : rows)
        Expect(row);
}

TEST_F(SceneStream, EveryTruncationFailsCleanly) {
    const std::string whole = SmallTree();
    ASSERT_EQ(0, LoadAndDrop(whole));
    // Cut inside the magic, the line no longer starts with it; elsewhere the file ends too soon.
    for (size_t length = 0; length < whole.size(); ++length)
        EXPECT_EQ(length < 22 ? 2 : 6, LoadAndDrop(whole.substr(0, length))) << length;
}

TEST_F(SceneStream, LinksBuildTheTreeAndReferencesAreDropped) {
    NiStream stream;
    ASSERT_TRUE(Load(stream, SmallTree()));
    ASSERT_EQ(2u, stream.GetObjectCount());
    EXPECT_EQ(nullptr, stream.GetObjectAt(1));
    EXPECT_EQ(nullptr, stream.GetObjectAt(2));
    auto* root = static_cast<TestLinkNode*>(stream.GetObjectAt(0));
    ASSERT_TRUE(root->IsKindOf(TestLinkNode::ms_RTTI));
    EXPECT_EQ("root", root->label);
    ASSERT_EQ(2u, root->GetChildCount());
    EXPECT_EQ(root, root->GetChildAt(0)->GetParent());
    EXPECT_EQ(root->GetChildAt(1), root->target);
    EXPECT_EQ(0u, root->refusedChildren);
    // The loaded list let go; the top-level list and the parent hold one each.
    EXPECT_EQ(0u, stream.GetLoadedObjectCount());
    EXPECT_EQ(1u, root->GetRefCount());
    EXPECT_EQ(1u, root->GetChildAt(0)->GetRefCount());
    EXPECT_EQ(liveBefore + 3, LiveTestObjects());
}

TEST_F(SceneStream, ObjectsNobodyHoldsAreDestroyedAfterTheLoad) {
    NiStream stream;
    NifBuilder file;
    file.Start(V4220, 2);
    Leaf(file);
    Leaf(file);
    ASSERT_TRUE(Load(stream, file.Word(1).Word(1).Bytes()));
    EXPECT_EQ(liveBefore + 1, LiveTestObjects());
}

TEST_F(SceneStream, EveryObjectLinksBeforeAnyPostLinks) {
    NifBuilder file;
    file.Start(V4220, 3);
    Node(file, "A", {2});
    Leaf(file);
    Node(file, "B", {});
    StartSceneEvents();
    EXPECT_EQ(0, LoadAndDrop(file.Word(0).Bytes()));
    EXPECT_EQ("LAlLBPApPB", SceneEvents());
}

TEST_F(SceneStream, OnlyFilesBeforeTheThresholdDeriveUpdateFlags) {
    NiStream old, threshold;
    ASSERT_TRUE(Load(old, SmallTree(0x0401000B)));
    auto* root = static_cast<TestLinkNode*>(old.GetObjectAt(0));
    EXPECT_TRUE(root->HasDerivedUpdateFlags());
    EXPECT_TRUE(root->GetSubtreeUpdate());
    EXPECT_TRUE(root->GetChildAt(0)->HasDerivedUpdateFlags());
    EXPECT_FALSE(root->GetChildAt(0)->GetSubtreeUpdate());
    EXPECT_TRUE(root->GetChildAt(1)->GetSubtreeUpdate());

    ASSERT_TRUE(Load(threshold, SmallTree(0x0401000C)));
    root = static_cast<TestLinkNode*>(threshold.GetObjectAt(0));
    EXPECT_FALSE(root->HasDerivedUpdateFlags());
    EXPECT_FALSE(root->GetChildAt(1)->HasDerivedUpdateFlags());
}

TEST_F(SceneStream, LoadByNameReadsTheFileOrNamesItInTheMessage) {
    TempDir dir;
    TempDir::WriteFile("tree.nif", SmallTree());
    NiStream stream;
    ASSERT_TRUE(stream.Load("tree.nif"));
    EXPECT_EQ("tree.nif", stream.GetFileName());
    EXPECT_EQ(2u, stream.GetObjectCount());

    EXPECT_FALSE(NiStream().Load("missing.nif"));
    EXPECT_EQ(1, NiStream::GetLastError());
    EXPECT_EQ("missing.nif cannot load file", Message());

    // Too long for the 255-character message: "..." and the name's last 235 characters.
    std::string name = std::string(300, 'd') + "/end.nif";
    EXPECT_FALSE(NiStream().Load(name.c_str()));
    EXPECT_EQ(1, NiStream::GetLastError());
    EXPECT_EQ("..." + name.substr(name.size() - 235) + " cannot load file", Message());
}

TEST_F(SceneStream, MissingOrBadInputAndAFreshStreamSetTheError) {
    EXPECT_FALSE(NiStream().Load(static_cast<std::istream*>(nullptr)));
    EXPECT_EQ(1, NiStream::GetLastError());
    EXPECT_EQ("", Message());

    EXPECT_EQ(2, LoadAndDrop("junk"));
    NiStream stream;
    EXPECT_EQ(0, NiStream::GetLastError());
    EXPECT_EQ("", Message());
    // An input already in a bad state fails without an error of its own.
    EXPECT_EQ(2, LoadAndDrop("junk"));
    std::istringstream input(EmptyFile(V4220));
    input.setstate(std::ios::failbit);
    EXPECT_FALSE(stream.Load(&input));
    EXPECT_EQ(2, NiStream::GetLastError());
}

TEST_F(SceneStream, ChildrenThatWouldMakeACycleAreRefused) {
    // 0 holds 1, 1 holds 0 and itself: only the first attachment is taken.
    NifBuilder file;
    file.Start(V4220, 2);
    Node(file, "a", {1});
    Node(file, "b", {0, 1});
    NiStream stream;
    ASSERT_TRUE(Load(stream, file.Word(1).Word(0).Bytes()));
    auto* a = static_cast<TestLinkNode*>(stream.GetObjectAt(0));
    ASSERT_EQ(1u, a->GetChildCount());
    auto* b = static_cast<TestLinkNode*>(a->GetChildAt(0));
    EXPECT_EQ(0u, b->GetChildCount());
    EXPECT_EQ(2u, b->refusedChildren);
}

TEST_F(SceneStream, DeepTreeNeedsNoDeepStack) {
    // Each node holds the next: far deeper than a recursive walk or release could go.
    const uint32_t depth = 200000;
    NifBuilder deep;
    deep.Start(0x04000000, depth);
    for (uint32_t i = 0; i < depth; ++i) {
        deep.Sized("TestLinkNode").Word(0);
        (i + 1 < depth ? deep.Word(1).Word(i + 1) : deep.Word(0)).Word(NULL_LINK);
    }
    NiStream stream;
    ASSERT_TRUE(Load(stream, deep.Word(1).Word(0).Bytes()));
    EXPECT_TRUE(static_cast<NiAVObject*>(stream.GetObjectAt(0))->HasDerivedUpdateFlags());
}

TEST_F(SceneStream, ReusedStreamLoadsAfterAFailure) {
    NiStream stream;
    NifBuilder bad;
    bad.Start(V4220, 2);
    Node(bad, "x", {0});
    EXPECT_FALSE(Load(stream, bad.Sized("NiMissing").Bytes()));
    ASSERT_TRUE(Load(stream, SmallTree()));
    auto* top = static_cast<TestLinkNode*>(stream.GetObjectAt(0));
    EXPECT_EQ("root", top->label);
    EXPECT_EQ(2u, top->GetChildCount());
}

TEST_F(SceneStream, SizedStringsOfNoOrNegativeLengthReadOnlyTheirLength) {
    NifBuilder file;
    file.Start(V4220, 3);
    file.Sized("TestLinkNode").Word(0).Word(0).Word(NULL_LINK);
    file.Sized("TestLinkNode").Word(0x80000000u).Word(0).Word(NULL_LINK);
    Node(file, "abc", {});
    NiStream stream;
    ASSERT_TRUE(Load(stream, file.Word(3).Word(0).Word(1).Word(2).Bytes()));
    const char* labels[] = {"", "", "abc"};
    for (unsigned i = 0; i < 3; ++i)
        EXPECT_EQ(labels[i], static_cast<TestLinkNode*>(stream.GetObjectAt(i))->label);
}

TEST(SceneStreamPrimitives, NothingIsReadOutsideALoad) {
    NiStream stream;
    EXPECT_EQ(nullptr, stream.ReadSizedString());
    uint32_t word = 7;
    EXPECT_FALSE(stream.ReadUInt32(word));
    EXPECT_EQ(0u, word);
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

TEST_F(SceneStream, CutFileFailsCleanlyWhateverTheExceptionMask) {
    const std::string cut = SmallTree().substr(0, 40);
    for (auto mask : {std::ios::failbit, std::ios::badbit, std::ios::eofbit}) {
        NiStream stream;
        std::istringstream input(cut);
        input.exceptions(mask);
        EXPECT_FALSE(stream.Load(&input));
        EXPECT_EQ(6, NiStream::GetLastError());
        // Nothing of the finished load is left to read through.
        uint32_t word = 7;
        EXPECT_FALSE(stream.ReadUInt32(word));
    }
}
