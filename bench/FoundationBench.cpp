// The foundation's hot paths: pulling a big file out of the archive (against a plain read of
// the same bytes), reading a large directory, and parsing a large .Cfg.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "core/ConfigFile.h"
#include "core/ResourceArchive.h"
#include "tests/support/TempDir.h"
#include "tools/pack/ArchiveWriter.h"

namespace {

constexpr size_t kBigFileBytes = 4 << 20;
constexpr int kDirectoryEntries = 1000;
constexpr int kConfigKeys = 1000;

std::string patternBytes(size_t length) {
    std::string bytes(length, '\0');
    for (size_t i = 0; i < length; ++i) bytes[i] = char(i * 2654435761u >> 13);
    return bytes;
}

// One folder for the whole run: the 4 MB archive, the same bytes as a plain file, and an
// archive of many small files.
const testsupport::TempDir& benchFolder() {
    static const std::unique_ptr<testsupport::TempDir> folder = [] {
        auto dir = std::make_unique<testsupport::TempDir>();
        const std::string big = patternBytes(kBigFileBytes);
        dir->writeFile("Big.Kvr", brx::tools::buildArchive({{"Data/Music/Big.Ogg", big}}));
        dir->writeFile("Big.Ogg", big);
        std::vector<brx::tools::ArchiveFile> files;
        for (int i = 0; i < kDirectoryEntries; ++i) {
            files.push_back({"Data/Textures/Tile" + std::to_string(i) + ".Tga", "x"});
        }
        dir->writeFile("Many.Kvr", brx::tools::buildArchive(files));
        return dir;
    }();
    return *folder;
}

std::string pathOf(const char* name) {
    return (benchFolder().path() / name).string();
}

void BM_ArchiveReadFile4MB(benchmark::State& state) {
    brx::ResourceArchive archive;
    archive.open(pathOf("Big.Kvr"));
    for (auto _ : state) {
        brx::ResourceBuffer buffer = archive.readFile("Data/Music/Big.Ogg");
        benchmark::DoNotOptimize(buffer.bytes.get());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kBigFileBytes));
}
BENCHMARK(BM_ArchiveReadFile4MB);

// The floor: the same bytes read plainly into a fresh buffer of size + 1.
void BM_PlainRead4MB(benchmark::State& state) {
    const std::string path = pathOf("Big.Ogg");
    for (auto _ : state) {
        std::FILE* file = std::fopen(path.c_str(), "rb");
        std::unique_ptr<uint8_t[]> bytes(new uint8_t[kBigFileBytes + 1]);
        bytes[kBigFileBytes] = 0;
        const size_t got = std::fread(bytes.get(), 1, kBigFileBytes, file);
        std::fclose(file);
        benchmark::DoNotOptimize(bytes.get());
        benchmark::DoNotOptimize(got);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(kBigFileBytes));
}
BENCHMARK(BM_PlainRead4MB);

void BM_ArchiveOpen1000Entries(benchmark::State& state) {
    const std::string path = pathOf("Many.Kvr");
    for (auto _ : state) {
        brx::ResourceArchive archive;
        archive.open(path);
        benchmark::DoNotOptimize(archive.entryCount());
    }
}
BENCHMARK(BM_ArchiveOpen1000Entries);

void BM_ConfigParse1000Keys(benchmark::State& state) {
    std::string text;
    for (int section = 0; section < kConfigKeys / 10; ++section) {
        text += "Level" + std::to_string(section) + " = {\r\n";
        for (int key = 0; key < 10; ++key) {
            text += "\tValue" + std::to_string(key) + " = " + std::to_string(section * key) +
                    " // tuning\r\n";
        }
        text += "}\r\n";
    }
    for (auto _ : state) {
        brx::ConfigFile file;
        file.loadBuffer(text.data(), text.size());
        benchmark::DoNotOptimize(file.values.size());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(text.size()));
}
BENCHMARK(BM_ConfigParse1000Keys);

}  // namespace
