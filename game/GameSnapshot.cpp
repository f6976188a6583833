#include "game/GameSnapshot.h"

#include <algorithm>
#include <set>
#include <utility>

#include "game/BonusChooser.h"
#include "game/GameVariables.h"
#include "objects/Box.h"

namespace brx {
namespace {

constexpr int32_t kBoardColumns[] = {12, 12, 14, 16};
constexpr int32_t kBoardRows[] = {16, 16, 16, 18};
constexpr int32_t kPuzzleColumns = 12;
constexpr int32_t kPuzzleRows = 16;

bool refuse(std::string* why, const std::string& reason) {
    if (why) *why = reason;
    return false;
}

bool within(int32_t value, int32_t low, int32_t high) {
    return value >= low && value <= high;
}

bool isLineMode(int32_t mode) {
    return mode == GameMode::Classic || mode == GameMode::Strategy || mode == GameMode::Advanced ||
           mode == GameMode::Modern;
}

bool knownGameState(int32_t state) {
    switch (state) {
        case GameState::Playing:
        case GameState::LevelComplete:
        case GameState::NextLevel:
        case GameState::Intro:
        case GameState::Outro:
        case GameState::CloseUp:
        case GameState::GameOver:
            return true;
        default:
            return false;
    }
}

bool knownLinePhase(int32_t phase) {
    return phase == LinePhase::Cleared || phase == LinePhase::LineReady ||
           phase == LinePhase::Finished || phase == LinePhase::MoveMade || phase == LinePhase::Idle;
}

bool knownResumeState(int32_t state) {
    return state == ResumeState::LevelComplete || state == ResumeState::GameOver ||
           state == ResumeState::Normal;
}

bool checkBoardBlocks(const GameSnapshot& s, std::string* why) {
    if (s.blocks.size() > size_t(s.columns) * size_t(s.rows))
        return refuse(why, "more blocks than cells");
    std::set<std::pair<int32_t, int32_t>> taken;
    for (const GameSnapshot::Block& block : s.blocks) {
        if (!within(block.column, 0, s.columns - 1) || !within(block.row, 0, s.rows - 1))
            return refuse(why, "a block lies outside the board");
        if (!taken.insert({block.column, block.row}).second)
            return refuse(why, "two blocks share a cell");
        if (!GameSnapshot::kindFits(block.kind, block.colour))
            return refuse(why, "a block of unknown kind or colour");
    }
    return true;
}

bool checkNextLine(const GameSnapshot& s, std::string* why) {
    if (!isLineMode(s.mode) && !s.nextLine.empty())
        return refuse(why, "a next line in a mode without one");
    if (s.nextLine.size() > size_t(s.columns))
        return refuse(why, "more next-line blocks than slots");
    std::set<int32_t> slots;
    for (const GameSnapshot::Block& block : s.nextLine) {
        if (!within(block.column, 0, s.columns - 1) || block.row != 0)
            return refuse(why, "a next-line block outside the tray");
        if (!slots.insert(block.column).second) return refuse(why, "two blocks share a slot");
        const bool bonus =
            within(block.kind, GameSnapshot::kFirstBonusKind, GameSnapshot::kLastBonusKind);
        if ((block.kind != GameSnapshot::kPlainKind && !bonus) ||
            !GameSnapshot::kindFits(block.kind, block.colour))
            return refuse(why, "a next-line block of unknown kind or colour");
    }
    return true;
}

bool checkLayouts(const GameSnapshot& s, std::string* why) {
    if (s.mode != GameMode::Advanced) {
        if (!s.layoutOrder.empty() || s.lastPick != 0)
            return refuse(why, "a layout order in a mode without layouts");
        return true;
    }
    const auto count = int32_t(s.layoutOrder.size());
    if (count > GameSnapshot::kMaxLayouts) return refuse(why, "too many layouts");
    std::vector<int32_t> sorted = s.layoutOrder;
    std::sort(sorted.begin(), sorted.end());
    for (int32_t i = 0; i < count; ++i)
        if (sorted[size_t(i)] != i + 1) return refuse(why, "the layout order is no shuffle");
    if (!within(s.lastPick, 0, std::max(count - 1, 0)))
        return refuse(why, "the last layout pick lies outside the order");
    return true;
}

bool checkProgress(const GameSnapshot& s, std::string* why) {
    if (!within(s.score, 0, GameSnapshot::kMaxScore)) return refuse(why, "score out of range");
    if (!within(s.levelIndex, 0, GameSnapshot::kMaxLevel)) return refuse(why, "level out of range");
    if (!within(s.linesTotal, 0, GameSnapshot::kMaxLines) || !within(s.linesLeft, 0, s.linesTotal))
        return refuse(why, "line counts out of range");
    if (!knownGameState(s.gameState) || !knownLinePhase(s.linePhase) ||
        !knownResumeState(s.resumeState))
        return refuse(why, "unknown game state");
    const bool puzzle = s.mode == GameMode::Puzzle;
    if (puzzle ? (s.puzzleNumber < 1 || s.puzzleNumber != s.levelIndex) : s.puzzleNumber != 0)
        return refuse(why, "puzzle number does not fit the mode");
    if (s.linePrepared && s.mode != GameMode::Strategy)
        return refuse(why, "a prepared line in a mode without one");
    return true;
}

bool checkTimers(const GameSnapshot& s, std::string* why) {
    const auto timer = [](int32_t ms) {
        return within(ms, -GameSnapshot::kMaxTimerMs, GameSnapshot::kMaxTimerMs);
    };
    const auto counter = [](int32_t n) {
        return within(n, -GameSnapshot::kMaxCounter, GameSnapshot::kMaxCounter);
    };
    if (!timer(s.nextBlockTimer) || !timer(s.spinTimer) || !timer(s.fillTimer) ||
        !timer(s.gameOverTimer) || !within(s.trailElapsedMs, 0, GameSnapshot::kMaxTimerMs) ||
        !within(s.trailIntervalMs, -1, GameSnapshot::kMaxTimerMs))
        return refuse(why, "a timer out of range");
    if (!counter(s.blocksSinceBonus) || !counter(s.nextBonusAfter) ||
        !within(s.lastBonusKind, 0, GameSnapshot::kScoreKind))
        return refuse(why, "bonus counters out of range");
    if (s.speedPick != 0 && s.speedPick != 7 && s.speedPick != 8)
        return refuse(why, "unknown speed pick");
    if (!s.pathOrder.empty() && s.pathOrder.size() != size_t(GameSnapshot::kPathCount))
        return refuse(why, "the trail's path order has the wrong length");
    for (int32_t path : s.pathOrder)
        if (!within(path, 0, GameSnapshot::kPathCount - 1))
            return refuse(why, "unknown trail path");
    if (!within(s.pathCursor, 0, GameSnapshot::kPathCount - 1))
        return refuse(why, "the trail's path cursor out of range");
    return true;
}

}  // namespace

bool GameSnapshot::boardSizeFor(int32_t mode, int32_t difficulty, int32_t* columns, int32_t* rows) {
    if (!within(mode, GameMode::Remover, GameMode::Puzzle) ||
        !within(difficulty, Difficulty::Easy, Difficulty::Impossible))
        return false;
    const bool puzzle = mode == GameMode::Puzzle;
    *columns = puzzle ? kPuzzleColumns : kBoardColumns[difficulty];
    *rows = puzzle ? kPuzzleRows : kBoardRows[difficulty];
    return true;
}

bool GameSnapshot::kindFits(int32_t kind, int32_t colour) {
    switch (kind) {
        case kPlainKind:
            return colour >= Box::kRed && colour <= Box::kYellow;
        case kFixedKind:
            return colour == Box::kFixed;
        case kScoreKind:
        case BonusChooser::kBigBomb:
        case BonusChooser::kRowRemover:
        case BonusChooser::kColumnRemover:
        case BonusChooser::kCrossRemover:
            return colour == Box::kNoColour;
        case BonusChooser::kUnmovable:
            return colour == Box::kUnmovable;
        default:
            break;
    }
    const bool colourBomb = kind >= BonusChooser::kFirstColourBomb &&
                            kind < BonusChooser::kFirstColourBomb + Box::kYellow;
    return colourBomb && colour == kind - BonusChooser::kFirstColourBomb + Box::kRed;
}

bool GameSnapshot::check(std::string* why) const {
    int32_t expectedColumns = 0;
    int32_t expectedRows = 0;
    if (!boardSizeFor(mode, difficulty, &expectedColumns, &expectedRows))
        return refuse(why, "unknown mode or difficulty");
    if (!within(startLevel, 1, kMaxStartLevel)) return refuse(why, "start level out of range");
    if (columns != expectedColumns || rows != expectedRows)
        return refuse(why, "the board size does not fit the mode and difficulty");
    return checkProgress(*this, why) && checkBoardBlocks(*this, why) && checkNextLine(*this, why) &&
           checkLayouts(*this, why) && checkTimers(*this, why);
}

}  // namespace brx
