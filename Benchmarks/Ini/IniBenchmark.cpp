// Reading and writing INI documents: (a) a localization-style file of 2,000 sections with 8
// language keys each (about 1 MB) and (b) the 92-key settings file. Our reader is timed on
// the file (Load) and on the bytes (Parse); inih and SimpleIni parse the same bytes. Save is
// split into Serialize, the writes without flush, the flush alone, and the whole Save.
#include <benchmark/benchmark.h>

// Bytes as they are, as our reader treats them; Debian ships the header-only form behind
// SI_IMPLEMENTATION.
#define SI_NO_CONVERSION
#define SI_IMPLEMENTATION
#include <SimpleIni.h>
#include <ini.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>
#include <string>

#include "Harvel/CTextFile.h"
#include "Ini/CIniFile.h"

namespace {

namespace fs = std::filesystem;

const char* const kLanguages[8] = {"ENGLISH", "FRENCH", "GERMAN",  "ITALIAN",
                                   "SPANISH", "POLISH", "RUSSIAN", "CZECH"};

// The written form of 2,000 text identifiers with a text in each of 8 languages.
std::string LocalizationText() {
    CIniFile doc;
    for (int i = 0; i < 2000; ++i) {
        char id[32];
        std::snprintf(id, sizeof id, "E_SETUP_TEXT_%04d", i);
        CIniFile* section = doc.AddSection(id);
        for (int l = 0; l < 8; ++l)
            section->SetString(kLanguages[l],
                               std::string("Text ") + id + " in " + kLanguages[l] +
                                   " with some words around it",
                               true);
    }
    return doc.Serialize();
}

std::string SettingsText() {
    std::ifstream in(VELMARK_SOURCE_ROOT "/Tests/Setup/data/default_config.ini", std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

const std::string& Text(int which) {
    static const std::string texts[2] = {LocalizationText(), SettingsText()};
    return texts[which];
}

// A working folder holding both files, as the program works with relative paths.
class BenchFolder {
public:
    BenchFolder() {
        path = fs::temp_directory_path() / ("velmark-ini-bench-" + std::to_string(::getpid()));
        fs::create_directories(path);
        previous = fs::current_path();
        fs::current_path(path);
        for (int which = 0; which < 2; ++which) {
            std::ofstream out(FileName(which), std::ios::binary);
            out << Text(which);
        }
    }
    ~BenchFolder() {
        fs::current_path(previous);
        std::error_code ignored;
        fs::remove_all(path, ignored);
    }
    static std::string FileName(int which) { return which == 0 ? "texts.ini" : "config.ini"; }

private:
    fs::path path;
    fs::path previous;
};

BenchFolder& Folder() {
    static BenchFolder folder;
    return folder;
}

void SetBytes(benchmark::State& state, int which) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(Text(which).size()));
}

void OurLoad(benchmark::State& state) {
    const int which = static_cast<int>(state.range(0));
    Folder();
    for (auto _ : state) {
        CIniFile doc;
        benchmark::DoNotOptimize(doc.Load(BenchFolder::FileName(which)));
    }
    SetBytes(state, which);
}

void OurParse(benchmark::State& state) {
    const int which = static_cast<int>(state.range(0));
    const std::string& text = Text(which);
    for (auto _ : state) {
        CIniFile doc;
        doc.Parse(text.data(), text.size());
        benchmark::DoNotOptimize(doc.Sections().size());
    }
    SetBytes(state, which);
}

using SectionMap = std::map<std::string, std::map<std::string, std::string>>;

int StorePair(void* user, const char* section, const char* name, const char* value) {
    (*static_cast<SectionMap*>(user))[section][name] = value;
    return 1;
}

void InihParse(benchmark::State& state) {
    const int which = static_cast<int>(state.range(0));
    const std::string& text = Text(which);
    for (auto _ : state) {
        SectionMap data;
        ini_parse_string(text.c_str(), &StorePair, &data);
        benchmark::DoNotOptimize(data.size());
    }
    SetBytes(state, which);
}

void SimpleIniParse(benchmark::State& state) {
    const int which = static_cast<int>(state.range(0));
    const std::string& text = Text(which);
    for (auto _ : state) {
        CSimpleIniA ini;
        benchmark::DoNotOptimize(ini.LoadData(text.data(), text.size()));
    }
    SetBytes(state, which);
}

void OurSerialize(benchmark::State& state) {
    const int which = static_cast<int>(state.range(0));
    CIniFile doc;
    doc.Parse(Text(which).data(), Text(which).size());
    for (auto _ : state)
        benchmark::DoNotOptimize(doc.Serialize());
    SetBytes(state, which);
}

// Save without its flush and replace: Serialize, create the file, write, close.
void OurSerializeAndWrite(benchmark::State& state) {
    const int which = static_cast<int>(state.range(0));
    Folder();
    CIniFile doc;
    doc.Parse(Text(which).data(), Text(which).size());
    for (auto _ : state) {
        std::string text = doc.Serialize();
        FileOpenDesc desc("written.ini", FILE_ACCESS_WRITE, FILE_DISK, FILE_CREATE_ALWAYS);
        std::unique_ptr<CTextFile> file(CTextFile::CreateAndOpen(&desc));
        benchmark::DoNotOptimize(file->WriteString(text, true));
    }
    SetBytes(state, which);
}

// The one flush of a save, on a file just written with the text.
void OurFlush(benchmark::State& state) {
    const int which = static_cast<int>(state.range(0));
    Folder();
    for (auto _ : state) {
        state.PauseTiming();
        FileOpenDesc desc("flushed.ini", FILE_ACCESS_WRITE, FILE_DISK, FILE_CREATE_ALWAYS);
        std::unique_ptr<CTextFile> file(CTextFile::CreateAndOpen(&desc));
        file->WriteString(Text(which), true);
        state.ResumeTiming();
        benchmark::DoNotOptimize(FlushFileBuffers(file->GetHandle()));
    }
}

void OurSave(benchmark::State& state) {
    const int which = static_cast<int>(state.range(0));
    Folder();
    CIniFile doc;
    doc.Parse(Text(which).data(), Text(which).size());
    for (auto _ : state)
        benchmark::DoNotOptimize(doc.Save("saved.ini"));
    SetBytes(state, which);
}

// Argument 0: the 2,000-section text file; 1: the 92-key settings file.
BENCHMARK(OurLoad)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(OurParse)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(InihParse)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(SimpleIniParse)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(OurSerialize)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(OurSerializeAndWrite)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(OurFlush)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(OurSave)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

} // namespace
