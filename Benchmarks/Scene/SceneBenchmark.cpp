// Loads a generated stream file of 1,000,000 small linked records from memory, next to a plain
// copy of the same bytes, so the loader's cost reads against the memory bandwidth of the run:
// load_per_copy is the figure to watch.
#include "NifBuilder.h"
#include "TestSceneClasses.h"

#include "Scene/NiStream.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <ctime>
#include <istream>
#include <memory>
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

const int COPIES = 10;

// The thread's processor time: on a machine shared with other work, wall time would count
// whatever else ran meanwhile.
double CpuSeconds() {
    timespec now;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// Each iteration copies the file's bytes COPIES times, loads them, and tears the loaded tree
// down; only the load is the iteration's time. Copy and load run side by side, in processor
// time, so their ratio holds however busy the machine is.
template <class LoadFunction> void LoadAgainstCopy(benchmark::State& state, LoadFunction load) {
    RegisterTestSceneClasses();
    const std::string& bytes = TreeFile();
    std::vector<char> copy(bytes.size());
    // One load before timing, so no iteration pays for the process's first touch of memory.
    {
        NiStream warmUp;
        load(warmUp, bytes);
    }
    double loadTime = 0, copyTime = 0, teardownTime = 0;
    for (auto _ : state) {
        double start = CpuSeconds();
        for (int i = 0; i < COPIES; ++i) {
            std::memcpy(copy.data(), bytes.data(), bytes.size());
            benchmark::ClobberMemory();
        }
        copyTime += (CpuSeconds() - start) / COPIES;

        start = CpuSeconds();
        auto stream = std::make_unique<NiStream>();
        if (!load(*stream, bytes) || stream->GetObjectCount() != 1)
            state.SkipWithError(NiStream::GetLastErrorMessage());
        benchmark::DoNotOptimize(stream->GetObjectAt(0));
        double loaded = CpuSeconds() - start;
        loadTime += loaded;
        state.SetIterationTime(loaded);

        start = CpuSeconds();
        stream.reset();
        teardownTime += CpuSeconds() - start;
    }
    using benchmark::Counter;
    state.counters["load_ms"] = Counter(loadTime * 1e3, Counter::kAvgIterations);
    state.counters["copy_ms"] = Counter(copyTime * 1e3, Counter::kAvgIterations);
    state.counters["teardown_ms"] = Counter(teardownTime * 1e3, Counter::kAvgIterations);
    state.counters["load_per_copy"] = copyTime > 0 ? loadTime / copyTime : 0;
    state.SetItemsProcessed(state.iterations() * RECORDS);
    state.counters["file_MB"] = static_cast<double>(bytes.size()) / 1e6;
}

void LoadFromMemoryBlock(benchmark::State& state) {
    LoadAgainstCopy(state, [](NiStream& stream, const std::string& bytes) {
        return stream.Load(bytes.data(), bytes.size());
    });
}

void LoadFromIstream(benchmark::State& state) {
    LoadAgainstCopy(state, [](NiStream& stream, const std::string& bytes) {
        MemoryBuffer buffer(bytes);
        std::istream input(&buffer);
        return stream.Load(&input);
    });
}

} // namespace

BENCHMARK(LoadFromMemoryBlock)->Unit(benchmark::kMillisecond)->UseManualTime();
BENCHMARK(LoadFromIstream)->Unit(benchmark::kMillisecond)->UseManualTime();
