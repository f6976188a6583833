// Feeds arbitrary text to the .Cfg parser, asks every typed look-up of every key it found and
// parses its own written form again.
#include <cstddef>
#include <cstdint>
#include <string>

#include "core/ConfigFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    brx::ConfigFile file;
    file.loadBuffer(reinterpret_cast<const char*>(data), size);
    for (const std::string& key : file.keys) {
        file.getInt(key, 0);
        file.getFloat(key, 0.0f);
        file.getIntList(key, ',');
        file.getFloatList(key, ' ');
        file.getString(key, "");
    }
    const std::string written = file.serialize();
    brx::ConfigFile again;
    again.loadBuffer(written.data(), written.size());
    std::string scrambled = written;
    brx::scrambleRolling(scrambled);
    brx::scrambleRolling(scrambled);
    if (scrambled != written) __builtin_trap();
    return 0;
}
