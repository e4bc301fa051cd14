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
        std::string text = item == "M" ? "NetImmerse File Format" : item.substr(1);
        for (char& c : text)
            c = c == '_' ? ' ' : c == '~' ? '\r' : c == '@' ? '\0' : c;
        bool line = item == "M" || item[0] == '^', raw = item[0] == '=', sized = item[0] == '\'';
        uint32_t word = sized ? text.size() : line || raw ? 0 : std::stoul(item, nullptr, 0);
        if (!line && !raw)
            bytes += std::string{char(word), char(word >> 8), char(word >> 16), char(word >> 24)};
        bytes += line ? text + "\n" : raw || sized ? text : "";
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
    auto* av = dynamic_cast<NiAVObject*>(object);
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

class SceneStream : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterTestSceneClasses();
        SceneLog::recording = true;
        liveBefore = SceneLog::live;
    }
    void TearDown() override { EXPECT_EQ(liveBefore, SceneLog::live) << "objects leaked"; }

    // Loads in place, from an istream with `mask` and by name, each in a stream of its own that
    // is gone afterwards; all must end alike. Returns "code|message|events|top level loaded:N
    // live:L", N the objects the loaded list keeps and L the test objects alive while the stream
    // is.
    static std::string Load(const std::string& bytes, std::ios::iostate mask = std::ios::goodbit) {
        TempDir::WriteFile("case.nif", bytes);
        std::string outcomes[3];
        for (int way = 0; way < 3; ++way) {
            long live = SceneLog::live;
            NiStream stream;
            std::istringstream input(bytes);
            input.exceptions(mask);
            uint32_t word = 7;
            EXPECT_EQ(nullptr, stream.ReadSizedString()) << "nothing is read outside a load";
            SceneLog::events.clear();
            bool loaded = way == 0   ? stream.Load(bytes.data(), bytes.size())
                          : way == 1 ? stream.Load(&input)
                                     : stream.Load("case.nif");
            EXPECT_EQ(loaded, NiStream::GetLastError() == 0);
            EXPECT_TRUE(!stream.ReadUInt32(word) && word == 0) << "the finished load is read";
            EXPECT_EQ(nullptr, stream.GetObjectAt(stream.GetObjectCount()));
            EXPECT_EQ(way == 2 ? "case.nif" : "", stream.GetFileName());
            std::map<const NiObject*, size_t> numbers;
            outcomes[way] = Error("|") + "|" + SceneLog::events + "|";
            for (unsigned i = 0; i < stream.GetObjectCount(); ++i)
                outcomes[way] += Describe(stream.GetObjectAt(i), numbers) + " ";
            outcomes[way] += "loaded:" + std::to_string(stream.GetLoadedObjectCount()) +
                             " live:" + std::to_string(SceneLog::live - live);
        }
        EXPECT_EQ(outcomes[0], outcomes[1]) << "in place, then through the istream";
        EXPECT_EQ(outcomes[0], outcomes[2]) << "in place, then by name";
        return outcomes[0];
    }
    static std::string Error(const char* separator = " ") {
        return std::to_string(NiStream::GetLastError()) + separator +
               NiStream::GetLastErrorMessage();
    }

    TempDir dir;
    long liveBefore = 0;
};

} // namespace

TEST(SceneVersion, TextsEncodeAsFourBytesAndBadTextsAsZero) {
    ExpectEachRow(SCENE_TEST_DATA "/versions.txt", [](const Row& row) {
        char hex[9];
        std::snprintf(hex, sizeof hex, "%08X", NiParseVersion(row[0].c_str()));
        return std::string(hex);
    });
}

TEST_F(SceneStream, EachFileOfTheTableLoadsOrEndsWithItsErrorAndText) {
    ExpectEachRow(SCENE_TEST_DATA "/cases.txt", [](const Row& row) {
        const std::string file = File(row[1]);
        // Every good file cut anywhere fails, whatever the exception mask: cut inside the magic,
        // the line no longer starts with it; elsewhere the file ends too soon.
        for (auto mask : {std::ios::goodbit, std::ios::failbit, std::ios::badbit, std::ios::eofbit})
            for (size_t cut = 0; row[1][0] == 'M' && row[2][0] == '0' && cut < file.size(); ++cut)
                EXPECT_EQ(cut < 22 ? "2|" : "6|", Load(file.substr(0, cut), mask).substr(0, 2))
                    << cut;
        return Load(file);
    });
}

TEST_F(SceneStream, DeepAndWideTreeNeedsNoDeepStack) {
    // The root holds more leaves than one window of the istream has ids, and a chain of nodes
    // far deeper than a recursive walk or release could go.
    const uint32_t width = 30000, depth = 200000;
    std::string items = "M 0x04000000 " + std::to_string(1 + width + depth) + " 'TestLinkNode 0 " +
                        std::to_string(width + 1);
    for (uint32_t i = 1; i <= width + 1; ++i)
        items += " " + std::to_string(i);
    items += " 0xFFFFFFFF";
    for (uint32_t i = 0; i < width; ++i)
        items += " 'TestLeaf 0";
    for (uint32_t i = width + 2; i <= width + depth; ++i)
        items += " 'TestLinkNode 0 1 " + std::to_string(i) + " 0xFFFFFFFF";
    NiStream stream;
    std::istringstream input(File(items + " 'TestLinkNode 0 0 0xFFFFFFFF 1 0"));
    ASSERT_TRUE(stream.Load(&input));
    auto* root = static_cast<NiAVObject*>(stream.GetObjectAt(0));
    EXPECT_TRUE(root->HasDerivedUpdateFlags());
    EXPECT_EQ(width + 1, root->GetChildCount());
}

TEST_F(SceneStream, BadInputsSetTheirErrorsAndAStreamThatFailedStillLoads) {
    NiStream stream;
    EXPECT_EQ("0 ", Error()) << "a fresh stream clears the error";
    std::istringstream bad(File("M 0x04020200 2 'TestLinkNode 'x 1 0 0xFFFFFFFF 'NiMissing"));
    std::istringstream good(File("M 0x04020200 4 'TestLinkNode 'root 2 1 2 2 'TestLeaf 0 "
                                 "'TestLeaf 1 'TestLeaf 0 2 0 0xFFFFFFFF"));
    EXPECT_FALSE(stream.Load(&bad));
    // An input already in a bad state fails without an error of its own; no block: code 1, the
    // message as it was.
    bad.setstate(std::ios::failbit);
    EXPECT_FALSE(stream.Load(&bad));
    EXPECT_EQ("5 cannot find create function NiMissing", Error());
    EXPECT_FALSE(stream.Load(nullptr, 4));
    EXPECT_EQ("1 cannot find create function NiMissing", Error());
    ASSERT_TRUE(stream.Load(&good));
    EXPECT_EQ(2u, static_cast<TestLinkNode*>(stream.GetObjectAt(0))->GetChildCount());
    EXPECT_FALSE(NiStream().Load(static_cast<std::istream*>(nullptr)));
    EXPECT_EQ("1 ", Error());
    // Too long for the 255-character message: "..." and the name's last 235 characters.
    for (const std::string& name : {std::string("missing.nif"), std::string(300, 'd') + "/end"}) {
        EXPECT_FALSE(NiStream().Load(name.c_str()));
        EXPECT_EQ("1 " + (name.size() > 235 ? "..." + name.substr(name.size() - 235) : name) +
                      " cannot load file",
                  Error());
    }
}

TEST(SceneStreamPrimitives, PoolsReuseBlocksAndQueuesKeepOrderAndGrow) {
    void* kept = NiObjectPool::Allocate(40);
    void* released = NiObjectPool::Allocate(40);
    NiObjectPool::Release(released, 40);
    EXPECT_EQ(released, NiObjectPool::Allocate(40));
    for (void* block : {released, kept})
        NiObjectPool::Release(block, 40);
    NiLinkQueue queue;
    std::string capacities = std::to_string(queue.GetCapacity()), taken;
    for (uint32_t i = 0; i < 9; ++i) // the capacity after each add
        capacities += queue.Add(i) ? " " + std::to_string(queue.GetCapacity()) : " failed";
    EXPECT_EQ("1 1 2 4 4 8 8 8 8 16", capacities);
    for (uint32_t value = 99, n = 0; n < 20 && queue.Take(value); ++n)
        taken += std::to_string(value);
    EXPECT_EQ("012345678", taken);
    NiObjectList list(1024, 1024);
    for (int i = 0; i < 1025; ++i)
        ASSERT_TRUE(list.Append(nullptr));
    EXPECT_EQ(2048u, list.GetCapacity());
    EXPECT_EQ(nullptr, list.At(5000));
}
