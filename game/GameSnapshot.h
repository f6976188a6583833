// The whole state of a running game as a plain value: everything its rules need to go on
// exactly as they would have, and nothing that only shows (positions in flight, effects, the
// camera). One snapshot serves resuming a game after the program ended, taking a move back,
// and the tests that compare two games.
//
// Design note: a snapshot is only well defined once the game has been settled
// (Game::settleForSnapshot): nothing flies, falls or slides, no effect runs, so every block
// rests on its cell and the board is a list of (cell, kind, colour). The kind is the prototype
// key the block was cloned from, so a block is rebuilt from the same prototype. The
// process-wide state that feeds the rules (the random generator, the trail's timer and path
// order, the game variables) travels with it, so a seeded game played on after a restore draws
// the very same numbers.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace brx {

struct GameSnapshot {
    // Block kinds: the prototype keys of the block and bonus maps.
    static constexpr int32_t kPlainKind = 1;
    static constexpr int32_t kFixedKind = 7;
    static constexpr int32_t kScoreKind = 32;
    static constexpr int32_t kFirstBonusKind = 10;  // big bomb
    static constexpr int32_t kLastBonusKind = 19;   // unmovable block

    // A block on the board (column, row) or in the next line (column = slot, row = 0).
    struct Block {
        int32_t column = 0;
        int32_t row = 0;
        int32_t kind = kPlainKind;
        int32_t colour = 0;
        bool operator==(const Block&) const = default;
    };

    // What the game was built with.
    int32_t mode = -1;  // GameMode
    int32_t difficulty = 0;
    int32_t startLevel = 1;
    int32_t columns = 12;
    int32_t rows = 16;

    // Progress.
    int32_t levelIndex = 0;  // Puzzle: the puzzle number
    int32_t score = 0;
    int32_t linesLeft = 0;
    int32_t linesTotal = 0;
    int32_t gameState = 0;
    int32_t linePhase = 0;
    int32_t resumeState = 0;
    int32_t puzzleNumber = 0;  // Puzzle only, else 0

    // The board, column by column, top row first; the next line of the line modes, by slot.
    std::vector<Block> blocks;
    std::vector<Block> nextLine;
    // Advanced: the shuffled layout order and the position the random phase picked last.
    std::vector<int32_t> layoutOrder;
    int32_t lastPick = 0;
    // Strategy: the next line has been completed for the coming push.
    bool linePrepared = false;

    // Timers (ms) and counters of the rules.
    int32_t nextBlockTimer = 0;
    int32_t speedPick = 0;
    int32_t blocksSinceBonus = 0;
    int32_t nextBonusAfter = 0;
    int32_t lastBonusKind = 0;
    int32_t spinTimer = 0;
    int32_t fillTimer = 0;
    int32_t gameOverTimer = 0;

    // Process-wide state the rules draw from.
    int32_t trailElapsedMs = 0;
    int32_t trailIntervalMs = -1;    // -1: not drawn yet this run
    std::vector<int32_t> pathOrder;  // the trail's shuffled flight paths
    int32_t pathCursor = 0;
    uint32_t randomState = 0;

    // A practice game (moves may be taken back); its results are not filed.
    bool practice = false;

    bool operator==(const GameSnapshot&) const = default;

    // Largest values a snapshot may hold: beyond them it is refused as impossible.
    static constexpr int32_t kMaxScore = 999999999;
    static constexpr int32_t kMaxLevel = 100000;
    static constexpr int32_t kMaxLines = 1000000;
    static constexpr int32_t kMaxTimerMs = 86400000;  // a day
    static constexpr int32_t kMaxCounter = 1000000;
    static constexpr int32_t kMaxLayouts = 1000;
    static constexpr int32_t kPathCount = 23;
    static constexpr int32_t kMaxStartLevel = 10;

    // True when the snapshot describes a game this program can play on: known mode, the board
    // size its mode and difficulty build, every block inside the board, one per cell, of a known
    // kind and a colour that kind can have, counters and timers in range. Otherwise false,
    // with the first reason found in why (when given).
    bool check(std::string* why) const;
    // True for a known block kind with a colour that kind can have.
    static bool kindFits(int32_t kind, int32_t colour);
    // The board a mode builds on a difficulty (Puzzle is always 12 x 16); false for an
    // unknown mode or difficulty.
    static bool boardSizeFor(int32_t mode, int32_t difficulty, int32_t* columns, int32_t* rows);
};

}  // namespace brx
