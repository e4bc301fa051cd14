// Loading stream files from memory and from disk, good and bad.
#include "NifBuilder.h"
#include "TempDir.h"
#include "TestSceneClasses.h"

#include "Scene/NiStream.h"
#include "Scene/NiVersion.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

namespace {

const uint32_t V4220 = 0x04020200;
const uint32_t NULL_LINK = 0xFFFFFFFFu;

class SceneStream : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterTestSceneClasses();
        liveBefore = LiveTestObjects();
    }
    void TearDown() override { StopSceneEvents(); }

    bool Load(NiStream& stream, const std::string& bytes) {
        std::istringstream input(bytes);
        return stream.Load(&input);
    }
    // Loads in a stream of its own that is gone afterwards; returns the error code.
    int LoadAndDrop(const std::string& bytes) {
        NiStream stream;
        Load(stream, bytes);
        return NiStream::GetLastError();
    }
    static std::string Message() { return NiStream::GetLastErrorMessage(); }

    // Leaf record: class, then its update word.
    static void Leaf(NifBuilder& file, uint32_t changes = 0) {
        file.Sized("TestLeaf").Word(changes);
    }
    // Node record: class, label, children, further link.
    static void Node(NifBuilder& file, const std::string& label,
                     std::initializer_list<uint32_t> children, uint32_t target = NULL_LINK) {
        file.Sized("TestLinkNode").Sized(label).Word(static_cast<uint32_t>(children.size()));
        for (uint32_t id : children)
            file.Word(id);
        file.Word(target);
    }
    // A root node 0 with leaves 1 and 2 (leaf 2 changes over time), root top-level.
    static std::string SmallTree(uint32_t version = V4220) {
        NifBuilder file;
        file.Start(version, 3);
        Node(file, "root", {1, 2}, 2);
        Leaf(file, 0);
        Leaf(file, 1);
        file.Word(1).Word(0);
        return file.Bytes();
    }

    long liveBefore = 0;
};

std::string EmptyFile(uint32_t version, const std::string& header = "NetImmerse File Format") {
    return NifBuilder().Line(header).Word(version).Word(0).Word(0).Bytes();
}

} // namespace

TEST(SceneVersion, ConstantsEncodeTheirTexts) {
    EXPECT_EQ(0x0303000Bu, NI_OLDEST_READABLE_VERSION);
    EXPECT_EQ(50528267u, NI_OLDEST_READABLE_VERSION);
    EXPECT_EQ(0x04020200u, NI_CURRENT_VERSION);
    EXPECT_EQ(67240448u, NI_CURRENT_VERSION);
    EXPECT_EQ(0x0401000Cu, NI_UPDATE_FLAGS_VERSION);
    EXPECT_EQ(67174412u, NI_UPDATE_FLAGS_VERSION);
}

TEST(SceneVersion, MissingPartsCountAsZeroAndBadTextsAsZero) {
    EXPECT_EQ(0x04020000u, NiParseVersion("4.2"));
    EXPECT_EQ(0x0A000000u, NiParseVersion("10"));
    EXPECT_EQ(0xFFFFFFFFu, NiParseVersion("255.255.255.255"));
    EXPECT_EQ(0u, NiParseVersion("256.0.0.0"));
    EXPECT_EQ(0u, NiParseVersion("1.2.3.4.5"));
    EXPECT_EQ(0u, NiParseVersion("4..2"));
    EXPECT_EQ(0u, NiParseVersion("v4"));
    EXPECT_EQ(0u, NiParseVersion(""));
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

TEST_F(SceneStream, VersionBoundsAreInclusive) {
    EXPECT_EQ(3, LoadAndDrop(EmptyFile(0x0303000A)));
    EXPECT_EQ("NIF version is too old", Message());
    EXPECT_EQ(4, LoadAndDrop(EmptyFile(0x04020201)));
    EXPECT_EQ("unknown NIF version", Message());
    EXPECT_EQ(0, LoadAndDrop(EmptyFile(0x0303000B)));
    EXPECT_EQ(0, LoadAndDrop(EmptyFile(0x04020200)));
}

TEST_F(SceneStream, VersionIsCheckedBeforeAnyObjectIsMade) {
    NifBuilder file;
    file.Start(0x04020201, 1);
    Leaf(file);
    file.Word(0);
    EXPECT_EQ(4, LoadAndDrop(file.Bytes()));
    EXPECT_EQ(liveBefore, LiveTestObjects());
}

TEST_F(SceneStream, MagicMustStartTheFirstLine) {
    EXPECT_EQ(2, LoadAndDrop(EmptyFile(V4220, " NetImmerse File Format")));
    EXPECT_EQ("is not a NIF file", Message());
    EXPECT_EQ(2, LoadAndDrop(EmptyFile(V4220, "NetImmerse File")));
    EXPECT_EQ(2, LoadAndDrop(EmptyFile(V4220, "netimmerse file format")));
    EXPECT_EQ(2, LoadAndDrop(""));
}

TEST_F(SceneStream, CarriageReturnLineFeedReadsLikeLineFeed) {
    EXPECT_EQ(0, LoadAndDrop(EmptyFile(V4220, "NetImmerse File Format, Version 4.2.2.0\r")));
    // Dropped anywhere in the line, even inside the magic.
    EXPECT_EQ(0, LoadAndDrop(EmptyFile(V4220, "Net\rImmerse File Format")));
}

TEST_F(SceneStream, HeaderLineOfMoreThan127CharactersIsRejected) {
    std::string magic = "NetImmerse File Format";
    std::string fits = magic + std::string(127 - magic.size(), 'x');
    EXPECT_EQ(0, LoadAndDrop(EmptyFile(V4220, fits)));
    // Carriage returns are not kept, so they do not count.
    EXPECT_EQ(0, LoadAndDrop(EmptyFile(V4220, fits + "\r")));
    EXPECT_EQ(8, LoadAndDrop(EmptyFile(V4220, fits + "x")));
    EXPECT_EQ("header line is too long", Message());
}

TEST_F(SceneStream, HeaderWithoutLineFeedIsTruncated) {
    EXPECT_EQ(6, LoadAndDrop("NetImmerse File Format"));
    EXPECT_EQ("unexpected end of file", Message());
}

TEST_F(SceneStream, UnregisteredClassFailsWithItsName) {
    NiStream stream;
    NifBuilder file;
    file.Start(V4220, 2);
    Leaf(file);
    file.Sized("NiNoSuchClass").Word(1).Word(0);
    EXPECT_FALSE(Load(stream, file.Bytes()));
    EXPECT_EQ(5, NiStream::GetLastError());
    EXPECT_EQ("cannot find create function NiNoSuchClass", Message());
    // The object made before the failing record stays with the stream until it goes.
    EXPECT_EQ(1u, stream.GetLoadedObjectCount());
    EXPECT_EQ(0u, stream.GetObjectCount());
}

TEST_F(SceneStream, AbstractMisspelledAndCutClassNamesAreNotFound) {
    const std::string names[] = {"NiAVObject", "NiObject", "ninode", std::string("NiNode\0x", 8)};
    for (const std::string& name : names) {
        NifBuilder file;
        file.Start(V4220, 1).Sized(name).Word(0);
        EXPECT_EQ(5, LoadAndDrop(file.Bytes())) << name;
    }
}

TEST_F(SceneStream, TopLevelNullLinkLeavesAnEmptyPosition) {
    NiStream stream;
    NifBuilder file;
    file.Start(V4220, 1);
    Leaf(file);
    file.Word(3).Word(NULL_LINK).Word(0).Word(NULL_LINK);
    ASSERT_TRUE(Load(stream, file.Bytes()));
    ASSERT_EQ(3u, stream.GetObjectCount());
    EXPECT_EQ(nullptr, stream.GetObjectAt(0));
    ASSERT_NE(nullptr, stream.GetObjectAt(1));
    EXPECT_STREQ("TestLeaf", stream.GetObjectAt(1)->GetRTTI()->GetName());
    EXPECT_EQ(nullptr, stream.GetObjectAt(2));
    EXPECT_EQ(nullptr, stream.GetObjectAt(3));
}

TEST_F(SceneStream, LinksBuildTheTreeAndReferencesAreDropped) {
    {
        NiStream stream;
        ASSERT_TRUE(Load(stream, SmallTree()));
        ASSERT_EQ(1u, stream.GetObjectCount());
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
    EXPECT_EQ(liveBefore, LiveTestObjects());
}

TEST_F(SceneStream, ObjectsNobodyHoldsAreDestroyedAfterTheLoad) {
    NiStream stream;
    NifBuilder file;
    file.Start(V4220, 2);
    Leaf(file);
    Leaf(file);
    file.Word(1).Word(1);
    ASSERT_TRUE(Load(stream, file.Bytes()));
    EXPECT_EQ(liveBefore + 1, LiveTestObjects());
}

TEST_F(SceneStream, EveryObjectLinksBeforeAnyPostLinks) {
    NifBuilder file;
    file.Start(V4220, 3);
    Node(file, "A", {2});
    Leaf(file);
    Node(file, "B", {});
    file.Word(0);
    StartSceneEvents();
    EXPECT_EQ(0, LoadAndDrop(file.Bytes()));
    EXPECT_EQ("LAlLBPApPB", SceneEvents());
}

TEST_F(SceneStream, OldFilesDeriveUpdateFlagsFromTheRoots) {
    NiStream stream;
    ASSERT_TRUE(Load(stream, SmallTree(0x0401000B)));
    auto* root = static_cast<TestLinkNode*>(stream.GetObjectAt(0));
    EXPECT_TRUE(root->HasDerivedUpdateFlags());
    EXPECT_TRUE(root->GetSubtreeUpdate());
    EXPECT_TRUE(root->GetChildAt(0)->HasDerivedUpdateFlags());
    EXPECT_FALSE(root->GetChildAt(0)->GetSubtreeUpdate());
    EXPECT_TRUE(root->GetChildAt(1)->GetSubtreeUpdate());
}

TEST_F(SceneStream, FilesFromTheThresholdOnKeepTheirFlags) {
    NiStream stream;
    ASSERT_TRUE(Load(stream, SmallTree(0x0401000C)));
    auto* root = static_cast<TestLinkNode*>(stream.GetObjectAt(0));
    EXPECT_FALSE(root->HasDerivedUpdateFlags());
    EXPECT_FALSE(root->GetChildAt(1)->HasDerivedUpdateFlags());
}

TEST_F(SceneStream, LoadByNameReadsTheFile) {
    TempDir dir;
    TempDir::WriteFile("tree.nif", SmallTree());
    NiStream stream;
    ASSERT_TRUE(stream.Load("tree.nif"));
    EXPECT_EQ("tree.nif", stream.GetFileName());
    EXPECT_EQ(1u, stream.GetObjectCount());
}

TEST_F(SceneStream, LoadByNameFailureNamesTheFile) {
    TempDir dir;
    NiStream stream;
    EXPECT_FALSE(stream.Load("missing.nif"));
    EXPECT_EQ(1, NiStream::GetLastError());
    EXPECT_EQ("missing.nif cannot load file", Message());
}

TEST_F(SceneStream, LongFileNameKeepsTheMessageWhole) {
    TempDir dir;
    std::string name = std::string(300, 'd') + "/end.nif";
    NiStream stream;
    EXPECT_FALSE(stream.Load(name.c_str()));
    EXPECT_EQ(1, NiStream::GetLastError());
    std::string message = Message();
    ASSERT_EQ(255u, message.size());
    // "..." + the last 235 characters of the name + " cannot load file"
    EXPECT_EQ("..." + name.substr(name.size() - 235) + " cannot load file", message);
}

TEST_F(SceneStream, MissingInputSetsCodeOneAndKeepsTheMessage) {
    NiStream stream;
    EXPECT_FALSE(stream.Load(static_cast<std::istream*>(nullptr)));
    EXPECT_EQ(1, NiStream::GetLastError());
    EXPECT_EQ("", Message());
}

TEST_F(SceneStream, InputInABadStateLeavesTheErrorAlone) {
    NiStream stream;
    std::istringstream input(EmptyFile(V4220));
    input.setstate(std::ios::failbit);
    EXPECT_FALSE(stream.Load(&input));
    EXPECT_EQ(0, NiStream::GetLastError());
}

TEST_F(SceneStream, ConstructingAStreamResetsTheError) {
    EXPECT_EQ(2, LoadAndDrop("junk"));
    NiStream fresh;
    EXPECT_EQ(0, NiStream::GetLastError());
    EXPECT_EQ("", Message());
}
