// Feeds arbitrary bytes to the resume file's reader; whatever it accepts must be a game the
// rules allow and must read back the same after writing it again.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "game/ResumeFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    std::vector<brx::ResumeSection> extra;
    const std::optional<brx::GameSnapshot> game = brx::ResumeFile::decode(bytes, nullptr, &extra);
    // The game section alone, as a history entry would hold it.
    brx::ResumeFile::decodeSnapshot(bytes, nullptr);
    if (!game) return 0;
    if (!game->check(nullptr)) __builtin_trap();
    const std::optional<brx::GameSnapshot> again =
        brx::ResumeFile::decode(brx::ResumeFile::encode(*game, extra), nullptr);
    if (!again || !(*again == *game)) __builtin_trap();
    return 0;
}
