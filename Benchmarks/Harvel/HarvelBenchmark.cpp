#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <unistd.h>

#include "Harvel/CTextFile.h"

namespace {

// Lines of the settings file's shape: "\tKEY_NAME = \"value\"\r\n".
std::string MakeText(size_t bytes) {
    std::string text;
    for (int i = 0; text.size() < bytes; ++i)
        text += "\tSOME_SETTING_" + std::to_string(i) + " = \"" + std::to_string(i * 7) + "\"\r\n";
    return text;
}

std::string WriteTempFile(const std::string& text) {
    char name[] = "/tmp/velmark-harvel-benchXXXXXX";
    int fd = mkstemp(name);
    if (fd < 0 || write(fd, text.data(), text.size()) != static_cast<ssize_t>(text.size()))
        std::abort();
    close(fd);
    return name;
}

size_t CountLines(CTextFile& file) {
    std::string line;
    size_t lines = 0;
    while (file.ReadLine(line, false))
        ++lines;
    return lines;
}

// Every reader goes through a dump (FILE_DUMP); from the disk (FILE_DISK) each byte is one
// system call.
template <DWORD kMode> void ReadLines(benchmark::State& state) {
    std::string path = WriteTempFile(MakeText(static_cast<size_t>(state.range(0))));
    for (auto _ : state) {
        FileOpenDesc desc(path, FILE_ACCESS_READ, kMode, FILE_OPEN_EXISTING);
        CTextFile file(desc);
        if (!file.Open(&desc))
            state.SkipWithError("open failed");
        benchmark::DoNotOptimize(CountLines(file));
    }
    state.SetBytesProcessed(state.iterations() * state.range(0));
    std::remove(path.c_str());
}
BENCHMARK_TEMPLATE(ReadLines, FILE_DUMP)->Arg(64 << 10)->Arg(1 << 20);
BENCHMARK_TEMPLATE(ReadLines, FILE_DISK)->Arg(64 << 10);

// Writing the 92-key settings file line by line, flushed after each line or once at the end.
void WriteSettingsFile(benchmark::State& state) {
    const bool flushEachLine = state.range(0) != 0;
    const std::string line = "\tSOUND_STRM_QUALITY = \"1\"\r\n";
    std::string path = WriteTempFile("");
    for (auto _ : state) {
        FileOpenDesc desc(path, FILE_ACCESS_WRITE, FILE_DISK, FILE_CREATE_ALWAYS);
        CTextFile file(desc);
        if (!file.Open(&desc))
            state.SkipWithError("open failed");
        for (int i = 0; i < 92; ++i)
            file.WriteString(line, !flushEachLine);
        file.Write("", 0); // the one flush
    }
    state.SetLabel(flushEachLine ? "flush per line" : "one flush");
    std::remove(path.c_str());
}
BENCHMARK(WriteSettingsFile)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace
