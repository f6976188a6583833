#include "game/AdvancedPuzzle.h"

#include <utility>

#include "core/DataManifest.h"
#include "core/Random.h"
#include "game/LevelFiles.h"
#include "sound/SoundManager.h"

namespace brx {

AdvancedPuzzle::AdvancedPuzzle() {
    minGroup = 3;
    resetNextLine();
    linePhase = LinePhase::Idle;
    levelIndex = startLevel - 1;
    linesLeft = linesTotal = linesForLevel(0);
    fillStep = kFillStepMs;
    gameState = GameState::Playing;
    order_ = shuffledOrder(LevelFiles::readCounts().advanced);
    lastPick_ = 0;
}

int AdvancedPuzzle::modeNumber() const {
    return GameMode::Advanced;
}

// --- layouts -----------------------------------------------------------------------------------

std::vector<int> AdvancedPuzzle::shuffledOrder(int count) {
    std::vector<int> order;
    for (int i = 1; i <= count; ++i) order.push_back(i);
    for (int k = count - 1; k >= 1; --k) std::swap(order[random(0, count - 1)], order[k]);
    return order;
}

int AdvancedPuzzle::layoutPosition(int count, int d, int& lastPick) {
    if (count <= 0) return -1;
    if (d >= 0 && d < count) return d;
    // The random phase draws from positions 1 to count - 1; a single layout is all there is.
    if (count == 1) return 0;
    int p = random(1, count - 1);
    if (p == lastPick) p += 1;
    if (p > count - 1) p = 1;
    lastPick = p;
    return p;
}

int AdvancedPuzzle::chooseLayout(int d) {
    const int position = layoutPosition(static_cast<int>(order_.size()), d, lastPick_);
    return position < 0 ? 0 : order_[position];
}

int AdvancedPuzzle::layoutOffset() {
    if (difficulty == Difficulty::Hard) return 1;
    if (difficulty >= Difficulty::Impossible) return 2;
    return 0;
}

void AdvancedPuzzle::addLayout(int number) {
    if (number <= 0) return;
    const LevelFiles::Layout layout =
        LevelFiles::readLayout(DataManifest::advancedLevelFile(number));
    const int offset = layoutOffset();
    for (int r = 0; r < LevelFiles::kRows && r < rows; ++r) {
        for (int c = 0; c < LevelFiles::kColumns && c + offset < columns; ++c) {
            if (layout.at(c, r) != kLayoutValueFixed) continue;
            placeBlock(c + offset, r, prototypes().cloneBlock(BlockPrototypes::kFixedKey));
        }
    }
}

void AdvancedPuzzle::newBoard() {
    if (levelIndex + 1 == startLevel) BrixelGame::newBoard();
    addLayout(chooseLayout(levelIndex - startLevel + 1));
}

void AdvancedPuzzle::startNextLevel() {
    newBoard();
}

// --- snapshot ----------------------------------------------------------------------------------

bool AdvancedPuzzle::fitsSnapshot(const GameSnapshot& snapshot, std::string* why) const {
    if (!BrixelGame::fitsSnapshot(snapshot, why)) return false;
    if (snapshot.layoutOrder.size() == order_.size()) return true;
    if (why) *why = "its layout count differs from the installed levels";
    return false;
}

void AdvancedPuzzle::captureModeState(GameSnapshot& snapshot) const {
    BrixelGame::captureModeState(snapshot);
    snapshot.layoutOrder.assign(order_.begin(), order_.end());
    snapshot.lastPick = lastPick_;
}

void AdvancedPuzzle::restoreModeState(const GameSnapshot& snapshot) {
    BrixelGame::restoreModeState(snapshot);
    order_.assign(snapshot.layoutOrder.begin(), snapshot.layoutOrder.end());
    lastPick_ = snapshot.lastPick;
}

// --- the push ----------------------------------------------------------------------------------

bool AdvancedPuzzle::isFixed(int column, int row) const {
    const Box* block = blockAt(column, row);
    return block && block->colour == Box::kFixed;
}

// Every free cell of the column (one without a fixed block) takes the block of the next free
// cell below it, jumping the whole run of fixed blocks in between; the lowest free cell is
// left empty for the next line. When the topmost free cell is occupied (a fixed block above it
// keeps it from rising), only the blocks below the first empty free cell move up, so no block
// is ever overwritten.
void AdvancedPuzzle::shiftColumn(int column) {
    std::vector<int> free;
    for (int r = 0; r < rows; ++r)
        if (!isFixed(column, r)) free.push_back(r);
    size_t first = 0;
    while (first < free.size() && blockAt(column, free[first])) ++first;
    if (first == free.size()) return;  // a full column has nowhere to rise
    for (size_t i = first; i + 1 < free.size(); ++i) {
        std::unique_ptr<Box> block = board.take(column, free[i + 1]);
        if (block) placeBlock(column, free[i], std::move(block));
    }
}

// Each next-line block enters the lowest free cell of its column (the bottom row unless a fixed
// block sits there); a block that finds its column full stays in the tray, which frees it.
void AdvancedPuzzle::bringInNextLine() {
    if (!nextLine[0]) fillNextLine();
    for (int c = 0; c < columns; ++c) {
        if (!nextLine[c]) continue;
        int r = rows - 1;
        while (r >= 0 && isFixed(c, r)) --r;
        if (r >= 0 && !blockAt(c, r)) placeBlock(c, r, std::move(nextLine[c]));
    }
}

// Blocks other than fixed ones drop into empty cells below them, one row per pass, until the
// gaps the jumps left above fixed blocks are closed.
void AdvancedPuzzle::settleColumns() {
    for (int pass = 0; pass < rows - 1; ++pass) {
        for (int c = 0; c < columns; ++c) {
            for (int r = rows - 2; r >= 0; --r) {
                if (!blockAt(c, r) || isFixed(c, r) || blockAt(c, r + 1)) continue;
                placeBlock(c, r + 1, board.take(c, r));
            }
        }
    }
}

void AdvancedPuzzle::pushLine() {
    SoundManager::instance().play(kSoundLinePushed, 0);
    // The cells the selection names are about to hold other blocks.
    dropSelection();
    for (int c = 0; c < columns; ++c) shiftColumn(c);
    bringInNextLine();
    settleColumns();
    if (checkEnd()) return;
    linesLeft -= 1;
    levelDone();
    resetNextLine();
}

bool AdvancedPuzzle::checkEnd() {
    for (int c = 0; c < columns; ++c) {
        if (!blockAt(c, 0)) continue;
        gameState = GameState::GameOver;
        linePhase = LinePhase::Finished;
        resumeState = ResumeState::GameOver;
        return true;
    }
    return false;
}

}  // namespace brx
