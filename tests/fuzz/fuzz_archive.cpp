// Opens arbitrary bytes as Data/Resource.Kvr and reads every entry its directory admits: no
// read may leave the file, and every buffer must match the size the directory promised.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "core/ResourceArchive.h"

namespace {

// One scratch file per fuzzing process, in memory-backed /dev/shm when it exists.
const std::string& scratchPath() {
    static const std::string path =
        std::string(access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp") + "/brx-fuzz-archive-" +
        std::to_string(getpid()) + ".Kvr";
    return path;
}

bool writeScratch(const uint8_t* data, size_t size) {
    std::FILE* file = std::fopen(scratchPath().c_str(), "wb");
    if (!file) return false;
    const bool written = size == 0 || std::fwrite(data, 1, size, file) == size;
    return std::fclose(file) == 0 && written;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (!writeScratch(data, size)) return 0;
    brx::ResourceArchive archive;
    archive.open(scratchPath());
    for (const auto& [lowerName, entry] : archive.directory()) {
        const brx::ResourceBuffer buffer = archive.readFile(entry.storedName);
        if (!buffer || buffer.size != entry.size || buffer.bytes[buffer.size] != 0)
            __builtin_trap();
        if (archive.fileSize(lowerName) != entry.size) __builtin_trap();
    }
    archive.readFile("Data/Missing.Wav");
    std::remove(scratchPath().c_str());
    return 0;
}
