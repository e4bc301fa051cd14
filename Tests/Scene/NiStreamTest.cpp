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

#include <cstdio>
#include <map>
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

// The top-level list in words: each object as 'label (a TestLinkNode) or its class name, then
// /its reference count, d if its update flags were derived, u if its subtree changes over time,
// (its children), !the children it refused and >the object its further link names, objects
// being numbered from 0 in the order they are written.
std::string Describe(NiObject* object, std::map<const NiObject*, size_t>& numbers) {
    if (!object)
        return "-";
    numbers.emplace(object, numbers.size());
    auto* node =
        object->IsKindOf(TestLinkNode::ms_RTTI) ? static_cast<TestLinkNode*>(object) : nullptr;
    auto* av = static_cast<NiAVObject*>(object->IsKindOf(NiAVObject::ms_RTTI) ? object : nullptr);
    std::string text = (node ? "'" + node->label : object->GetRTTI()->GetName()) + "/" +
                       std::to_string(object->GetRefCount());
    if (av)
        text += std::string(av->HasDerivedUpdateFlags() ? "d" : "") +
                (av->GetSubtreeUpdate() ? "u" : "");
    for (unsigned i = 0; av && i < av->GetChildCount(); ++i) {
        EXPECT_EQ(av, av->GetChildAt(i)->GetParent());
        text += (i ? " " : "(") + Describe(av->GetChildAt(i), numbers) +
                (i + 1 == av->GetChildCount() ? ")" : "");
    }
    if (node && node->refusedChildren)
        text += "!" + std::to_string(node->refusedChildren);
    if (node && node->target)
        text += ">" + (numbers.count(node->target) ? std::to_string(numbers[node->target]) : "?");
    return text;
}

std::string TopLevel(const NiStream& stream) {
    std::map<const NiObject*, size_t> numbers;
    std::string text;
    for (unsigned i = 0; i < stream.GetObjectCount(); ++i)
        text += Describe(stream.GetObjectAt(i), numbers) + " ";
    return text;
}

class SceneStream : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterTestSceneClasses();
        liveBefore = SceneLog::live;
    }
    void TearDown() override { EXPECT_EQ(liveBefore, SceneLog::live) << "objects leaked"; }

    // Loads in place and from an istream with `mask`, each in a stream of its own that is gone
    // afterwards; both must end alike. Returns "code|message|events|top level loaded:N live:L",
    // N the objects the loaded list keeps and L the test objects alive while the stream is.
    static std::string Load(const std::string& bytes, std::ios::iostate mask = std::ios::goodbit) {
        std::string outcomes[2];
        for (int viaIstream = 0; viaIstream < 2; ++viaIstream) {
            long live = SceneLog::live;
            NiStream stream;
            std::istringstream input(bytes);
            input.exceptions(mask);
            SceneLog::events.clear();
            SceneLog::recording = true;
            bool loaded =
                viaIstream ? stream.Load(&input) : stream.Load(bytes.data(), bytes.size());
            SceneLog::recording = false;
            EXPECT_EQ(loaded, NiStream::GetLastError() == 0);
            uint32_t word = 7;
            EXPECT_FALSE(stream.ReadUInt32(word)) << "the finished load is still read";
            EXPECT_EQ(nullptr, stream.GetObjectAt(stream.GetObjectCount()));
            outcomes[viaIstream] = std::to_string(NiStream::GetLastError()) + "|" +
                                   NiStream::GetLastErrorMessage() + "|" + SceneLog::events + "|" +
                                   TopLevel(stream) +
                                   "loaded:" + std::to_string(stream.GetLoadedObjectCount()) +
                                   " live:" + std::to_string(SceneLog::live - live);
        }
        EXPECT_EQ(outcomes[0], outcomes[1]) << "in place, then through the istream";
        return outcomes[0];
    }

    long liveBefore = 0;
};

const char smallTree[] = "M 0x04020200 4 'TestLinkNode 'root 2 1 2 2 'TestLeaf 0 'TestLeaf 1 "
                         "'TestLeaf 0 2 0 0xFFFFFFFF";

} // namespace

TEST(SceneVersion, TextsEncodeAsFourBytesAndBadTextsAsZero) {
    EXPECT_EQ(0x0303000Bu, NI_OLDEST_READABLE_VERSION);
    EXPECT_EQ(0x04020200u, NI_CURRENT_VERSION);
    EXPECT_EQ(0x0401000Cu, NI_UPDATE_FLAGS_VERSION);
    ExpectEachRow(SCENE_TEST_DATA "/versions.txt", [](const Row& row) {
        char hex[9];
        std::snprintf(hex, sizeof hex, "%08X", NiParseVersion(row[0].c_str()));
        return std::string(hex);
    });
}

TEST_F(SceneStream, EachFileOfTheTableLoadsOrEndsWithItsErrorAndText) {
    ExpectEachRow(SCENE_TEST_DATA "/cases.txt", [](const Row& row) { return Load(File(row[1])); });
}

TEST_F(SceneStream, EveryCutFailsCleanlyWhateverTheExceptionMask) {
    const std::string whole = File(smallTree);
    ASSERT_EQ("0|", Load(whole).substr(0, 2));
    // Cut inside the magic, the line no longer starts with it; elsewhere the file ends too soon.
    for (auto mask : {std::ios::goodbit, std::ios::failbit, std::ios::badbit, std::ios::eofbit})
        for (size_t length = 0; length < whole.size(); ++length)
            ASSERT_EQ(length < 22 ? "2|" : "6|", Load(whole.substr(0, length), mask).substr(0, 2))
                << length;
}

TEST_F(SceneStream, DeepAndWideTreeNeedsNoDeepStack) {
    // A chain of nodes far deeper than a recursive walk or release could go, the last one
    // holding more leaves than one window of the istream has ids.
    const uint32_t depth = 200000, width = 30000;
    std::string items = "M 0x04000000 " + std::to_string(depth + width);
    for (uint32_t i = 1; i < depth; ++i)
        items += " 'TestLinkNode 0 1 " + std::to_string(i) + " 0xFFFFFFFF";
    items += " 'TestLinkNode 0 " + std::to_string(width);
    for (uint32_t i = depth; i < depth + width; ++i)
        items += " " + std::to_string(i) + (i + 1 < depth + width ? "" : " 0xFFFFFFFF");
    for (uint32_t i = 0; i < width; ++i)
        items += " 'TestLeaf 0";
    NiStream stream;
    std::istringstream input(File(items + " 1 0"));
    ASSERT_TRUE(stream.Load(&input));
    auto* node = static_cast<NiAVObject*>(stream.GetObjectAt(0));
    EXPECT_TRUE(node->HasDerivedUpdateFlags());
    uint32_t level = 1;
    for (; level < depth && node->GetChildCount() == 1; ++level)
        node = node->GetChildAt(0);
    EXPECT_EQ(depth, level);
    EXPECT_EQ(width, node->GetChildCount());
}

TEST_F(SceneStream, LoadByNameReadsTheFileOrNamesItInTheMessage) {
    TempDir dir;
    TempDir::WriteFile("tree.nif", File(smallTree));
    NiStream stream;
    ASSERT_TRUE(stream.Load("tree.nif"));
    EXPECT_EQ("tree.nif", stream.GetFileName());
    EXPECT_EQ("'root/1(TestLeaf/1 TestLeaf/1)>2 - ", TopLevel(stream));
    // Too long for the 255-character message: "..." and the name's last 235 characters.
    const std::string longName = std::string(300, 'd') + "/end.nif";
    for (const std::string& name : {std::string("missing.nif"), longName}) {
        EXPECT_FALSE(NiStream().Load(name.c_str()));
        EXPECT_EQ(1, NiStream::GetLastError());
        EXPECT_EQ((name.size() > 235 ? "..." + name.substr(name.size() - 235) : name) +
                      " cannot load file",
                  NiStream::GetLastErrorMessage());
    }
}

TEST_F(SceneStream, MissingOrBadInputAndAFreshStreamSetTheError) {
    EXPECT_EQ("2|is not a NIF file||loaded:0 live:0", Load("junk"));
    NiStream stream;
    EXPECT_EQ(0, NiStream::GetLastError());
    EXPECT_STREQ("", NiStream::GetLastErrorMessage());
    EXPECT_FALSE(NiStream().Load(static_cast<std::istream*>(nullptr)));
    EXPECT_EQ(1, NiStream::GetLastError());
    // An input already in a bad state fails without an error of its own; no block: code 1, the
    // message as it was.
    std::istringstream input(File("M 0x04020200 0 0"));
    input.setstate(std::ios::failbit);
    Load("junk");
    EXPECT_FALSE(stream.Load(&input));
    EXPECT_EQ(2, NiStream::GetLastError());
    EXPECT_FALSE(stream.Load(nullptr, 4));
    EXPECT_EQ(1, NiStream::GetLastError());
    EXPECT_STREQ("is not a NIF file", NiStream::GetLastErrorMessage());
    // Nothing is read outside a load.
    EXPECT_EQ(nullptr, stream.ReadSizedString());
    uint32_t word = 7;
    EXPECT_FALSE(stream.ReadUInt32(word));
    EXPECT_EQ(0u, word);
}

TEST_F(SceneStream, ReusedStreamLoadsAfterAFailure) {
    NiStream stream;
    std::istringstream bad(File("M 0x04020200 2 'TestLinkNode 'x 1 0 0xFFFFFFFF 'NiMissing"));
    std::istringstream good(File(smallTree));
    EXPECT_FALSE(stream.Load(&bad));
    ASSERT_TRUE(stream.Load(&good));
    EXPECT_EQ("'root/1(TestLeaf/1 TestLeaf/1)>2 - ", TopLevel(stream));
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
    std::string capacities = std::to_string(queue.GetCapacity());
    for (uint32_t i = 0; i < 9; ++i) {
        ASSERT_TRUE(queue.Add(i));
        capacities += " " + std::to_string(queue.GetCapacity());
    }
    EXPECT_EQ("1 1 2 4 4 8 8 8 8 16", capacities);
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
