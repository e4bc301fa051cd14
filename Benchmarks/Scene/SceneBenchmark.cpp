// Loads a generated stream file of 1,000,000 small linked records from memory, next to a plain
// copy of the same bytes, so the loader's cost reads against the memory bandwidth of the run.
#include "NifBuilder.h"
#include "TestSceneClasses.h"

#include "Scene/NiStream.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <istream>
#include <streambuf>
#include <string>
#include <vector>

namespace {

const uint32_t RECORDS = 1000000;

// Record i is a node holding records 2i+1 and 2i+2: a balanced tree, 20 levels deep.
const std::string& TreeFile() {
    static const std::string bytes = [] {
        NifBuilder file;
        file.Start(0x04020200, RECORDS);
        for (uint32_t i = 0; i < RECORDS; ++i) {
            uint32_t first = 2 * i + 1;
            uint32_t children = first < RECORDS ? (first + 1 < RECORDS ? 2 : 1) : 0;
            file.Sized("TestLinkNode").Word(0).Word(children);
            for (uint32_t c = 0; c < children; ++c)
                file.Word(first + c);
            file.Word(0xFFFFFFFFu);
        }
        return file.Word(1).Word(0).Bytes();
    }();
    return bytes;
}

// An input stream over bytes in memory, without copying them.
class MemoryBuffer : public std::streambuf {
public:
    explicit MemoryBuffer(const std::string& bytes) {
        char* begin = const_cast<char*>(bytes.data());
        setg(begin, begin, begin + bytes.size());
    }
};

void LoadFromMemory(benchmark::State& state) {
    RegisterTestSceneClasses();
    const std::string& bytes = TreeFile();
    for (auto _ : state) {
        MemoryBuffer buffer(bytes);
        std::istream input(&buffer);
        NiStream stream;
        if (!stream.Load(&input) || stream.GetObjectCount() != 1)
            state.SkipWithError(NiStream::GetLastErrorMessage());
        benchmark::DoNotOptimize(stream.GetObjectAt(0));
    }
    state.SetItemsProcessed(state.iterations() * RECORDS);
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
    state.counters["file_MB"] = static_cast<double>(bytes.size()) / 1e6;
}

void CopySameBytes(benchmark::State& state) {
    const std::string& bytes = TreeFile();
    std::vector<char> copy(bytes.size());
    for (auto _ : state) {
        std::memcpy(copy.data(), bytes.data(), bytes.size());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(bytes.size()));
}

} // namespace

BENCHMARK(LoadFromMemory)->Unit(benchmark::kMillisecond);
BENCHMARK(CopySameBytes)->Unit(benchmark::kMillisecond);
