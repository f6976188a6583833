// The moves of a game that can be taken back and done again. Every step is the game's whole
// state (a GameSnapshot) just before a move: undo puts it back and keeps the state it leaves
// for redo; a new move after an undo drops the steps that could have been redone.
//
// Design note: a long game makes thousands of steps, so a step is stored packed rather than
// as a snapshot: the board as one byte a cell (an index into the few kinds of block the step
// holds), the rest as the resume file writes a snapshot, and the whole with its runs of zero
// bytes shortened (little numbers and the empty upper board are mostly zeros). A step of a
// 12 x 16 board takes about 300 bytes. Unpacking checks every length and the resulting game
// as the resume file does, so a damaged history is refused, never played with.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "game/GameSnapshot.h"

namespace brx {

class UndoHistory {
public:
    // Steps one side of the history may hold when it is read back (a guard, not a limit of
    // play: a game of ten thousand moves stays far below it).
    static constexpr size_t kMaxSteps = 1000000;
    // The tag of the history's section in the resume file.
    static constexpr const char* kResumeTag = "UNDO";

    // Remembers the state before a move; the redo steps are dropped.
    void record(const GameSnapshot& before);
    bool canUndo() const { return !undo_.empty(); }
    bool canRedo() const { return !redo_.empty(); }
    // The state to go back to; `current` (the state now) becomes the first redo step. Nothing
    // when there is no step, or when the step cannot be unpacked (it is then dropped).
    std::optional<GameSnapshot> undo(const GameSnapshot& current);
    // The state to go forward to; `current` becomes the last undo step. Nothing when there is
    // no step (or it cannot be unpacked).
    std::optional<GameSnapshot> redo(const GameSnapshot& current);
    void clear();

    size_t undoCount() const { return undo_.size(); }
    size_t redoCount() const { return redo_.size(); }
    // Bytes the packed steps take (their contents, not the bookkeeping of the lists).
    size_t packedBytes() const;

    // The whole history as bytes, for the resume file; and back (nothing, with the reason in
    // why, for bytes that are cut short, overlong or hold a step that does not unpack).
    std::string encode() const;
    static std::optional<UndoHistory> decode(std::string_view bytes, std::string* why);

    // One snapshot packed as a step, and back (nothing for damaged bytes).
    static std::string pack(const GameSnapshot& snapshot);
    static std::optional<GameSnapshot> unpack(std::string_view packed, std::string* why);

private:
    std::vector<std::string> undo_;  // oldest first
    std::vector<std::string> redo_;  // the next redo last
};

}  // namespace brx
