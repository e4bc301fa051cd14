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
std::string Describe(NiObject* obj, std::map<const NiObject*, size_t>& numbers) {
    if (!obj)
        return "-";
    numbers.emplace(obj, numbers.size());
    auto* node = obj->IsKindOf(TestLinkNode::ms_RTTI) ? static_cast<TestLinkNode*>(obj) : nullptr;
    auto* av = dynamic_cast<NiAVObject*>(obj);
    std::string text = (node ? "'" + node->label : obj->GetRTTI()->GetName()) + "/" +
                       std::to_string(obj->GetRefCount());
    text += av && av->HasDerivedUpdateFlags() ? "d" : "";
    text += av && av->GetSubtreeUpdate() ? "u" : "";
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
    static std::string Failure(bool loaded) { return loaded ? "loaded" : Error(); }
    static std::string Error(const char* separator = " ") {
        return std::to_string(NiStream::GetLastError()) + separator +
               NiStream::GetLastErrorMessage();
    }

    TempDir dir;
    long liveBefore = 0;
};

} // namespace

TEST(SceneVersion, TextsEncodeAsFourBytesAndBadTextsAsZero) {
    for (const Row& row : ReadTable(SCENE_TEST_DATA "/versions.txt"))
        EXPECT_EQ(std::stoul(row[1], nullptr, 16), NiParseVersion(row[0].c_str())) << row[0];
}

TEST_F(SceneStream, EachFileOfTheTableLoadsOrEndsWithItsErrorAndText) {
    ExpectEachRow(SCENE_TEST_DATA "/cases.txt", [](const Row& row) {
        const std::string file = File(row[1]);
        // Every good file cut anywhere fails, whatever the exception mask: cut inside the magic,
        // the line no longer starts with it; elsewhere the file ends too soon.
        for (auto mask : {std::ios::goodbit, std::ios::failbit, std::ios::badbit, std::ios::eofbit})
            for (size_t n = 0; row[1][0] == 'M' && row[2][0] == '0' && n < file.size(); ++n)
                EXPECT_EQ(n < 22 ? "2|" : "6|", Load(file.substr(0, n), mask).substr(0, 2)) << n;
        return Load(file);
    });
}

TEST_F(SceneStream, DeepAndWideTreeNeedsNoDeepStack) {
    // The root holds more leaves than one window of the istream has ids, and a chain of nodes
    // far deeper than a recursive walk or release could go.
    const uint32_t width = 30000, depth = 200000, count = 1 + width + depth;
    std::string root = "M 0x04000000 " + std::to_string(count) + " 'TestLinkNode 0 " +
                       std::to_string(width + 1),
                rest;
    for (uint32_t i = 1; i < count; ++i) {
        root += i <= width + 1 ? " " + std::to_string(i) : "";
        rest += i <= width      ? " 'TestLeaf 0"
                : i + 1 < count ? " 'TestLinkNode 0 1 " + std::to_string(i + 1) + " 0xFFFFFFFF"
                                : " 'TestLinkNode 0 0 0xFFFFFFFF";
    }
    NiStream stream;
    std::istringstream input(File(root + " 0xFFFFFFFF" + rest + " 1 0"));
    ASSERT_TRUE(stream.Load(&input));
    auto* top = static_cast<NiAVObject*>(stream.GetObjectAt(0));
    EXPECT_TRUE(top->HasDerivedUpdateFlags());
    EXPECT_EQ(width + 1, top->GetChildCount());
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
    EXPECT_EQ("5 cannot find create function NiMissing", Failure(stream.Load(&bad)));
    EXPECT_EQ("1 cannot find create function NiMissing", Failure(stream.Load(nullptr, 4)));
    ASSERT_TRUE(stream.Load(&good));
    EXPECT_EQ(2u, static_cast<TestLinkNode*>(stream.GetObjectAt(0))->GetChildCount());
    EXPECT_EQ("1 ", Failure(NiStream().Load(static_cast<std::istream*>(nullptr))));
    // Too long for the 255-character message: "..." and the name's last 235 characters.
    for (const std::string& name : {std::string("missing.nif"), std::string(300, 'd') + "/end"})
        EXPECT_EQ("1 " + (name.size() > 235 ? "..." + name.substr(name.size() - 235) : name) +
                      " cannot load file",
                  Failure(NiStream().Load(name.c_str())));
}

TEST(SceneStreamPrimitives, PoolsReuseBlocksAndQueuesKeepOrderAndGrow) {
    void* kept = NiObjectPool::Allocate(40);
    void* released = NiObjectPool::Allocate(40);
    NiObjectPool::Release(released, 40);
    EXPECT_EQ(released, NiObjectPool::Allocate(40));
    for (void* block : {released, kept})
        NiObjectPool::Release(block, 40);
    // A queue's capacity after each add, then what it hands out; a list's capacity past 1024.
    NiLinkQueue queue;
    std::string trace = std::to_string(queue.GetCapacity());
    for (uint32_t i = 0; i < 9; ++i)
        trace += queue.Add(i) ? " " + std::to_string(queue.GetCapacity()) : " failed";
    for (uint32_t value = 99, n = 0; n < 20 && queue.Take(value); ++n)
        trace += " " + std::to_string(value);
    NiObjectList list(1024, 1024);
    for (int i = 0; i < 1025; ++i)
        trace += list.Append(nullptr) ? "" : " failed";
    EXPECT_EQ("1 1 2 4 4 8 8 8 8 16 0 1 2 3 4 5 6 7 8 2048",
              trace + " " + std::to_string(list.GetCapacity()));
    EXPECT_EQ(nullptr, list.At(5000));
}
