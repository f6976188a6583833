// Feeds arbitrary bytes to the undo history's reader (the history section of a saved game) and
// to the unpacking of a single step; whatever is accepted must be written back the same, and
// every step it holds must unpack into a game the rules allow.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "game/UndoHistory.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (const std::optional<brx::GameSnapshot> step = brx::UndoHistory::unpack(bytes, nullptr)) {
        if (!step->check(nullptr)) __builtin_trap();
        const std::optional<brx::GameSnapshot> again =
            brx::UndoHistory::unpack(brx::UndoHistory::pack(*step), nullptr);
        if (!again || !(*again == *step)) __builtin_trap();
    }
    std::optional<brx::UndoHistory> history = brx::UndoHistory::decode(bytes, nullptr);
    if (!history) return 0;
    if (history->encode() != bytes) __builtin_trap();
    brx::GameSnapshot current;
    while (history->canUndo())
        if (!history->undo(current)) __builtin_trap();
    return 0;
}
