#include "game/BoardRules.h"

#include "game/GameVariables.h"

namespace brx {

namespace {

constexpr int kMinGroup = 3;
constexpr int kCentreLeft = 5;
// Falls and slides end within this many ms (a fall over the whole board takes 1200 ms), so a
// step of it brings every block to rest at once, as many short frames would.
constexpr int kRestStepMs = 2000;
// A safety bound on the steps of one run to rest; waiting slides need one step more each.
constexpr int kMaxRestSteps = 64;
constexpr int kFirstColourBomb = 11;
constexpr int kLastColourBomb = 15;
constexpr int kFirstBonus = 10;
constexpr int kLastBonus = 18;

// The colour id the game gives a cell value's block (Box::colour).
int colourOfValue(int value) {
    if (value >= kFirstColourBomb && value <= kLastColourBomb) return value - 10;
    if (value >= kFirstBonus && value <= kLastBonus) return Box::kNoColour;
    return value;
}

}  // namespace

// A board block that remembers which file value it came from.
class BoardRules::ValueBlock : public Box {
public:
    int value = 0;
};

BoardRules::BoardRules() : board_(*this) {}

BoardRules::~BoardRules() {
    board_.clear();
}

BoardRules& BoardRules::instance() {
    // Never destroyed: its blocks would be released after the model library and the sound
    // manager they report to have gone at exit.
    static BoardRules* const rules = new BoardRules();
    return *rules;
}

void BoardRules::useBoardSize() {
    columns = kColumns;
    rows = kRows;
    minGroup = kMinGroup;
    gameState = GameState::Playing;
}

Vector3 BoardRules::cellPosition(int column, int row) const {
    return {column + 0.5f - kColumns / 2.0f, kRows / 2.0f - row - 0.5f, 0.0f};
}

bool BoardRules::columnIsOpen(int column) {
    return board_.columnIsOpenDefault(column);
}

int BoardRules::closeUpLeft(int column) {
    return board_.closeUpLeftDefault(column);
}

int BoardRules::closeUpRight(int column) {
    return board_.closeUpRightDefault(column);
}

void BoardRules::load(const Values& values) {
    useBoardSize();
    board_.centreLeft = kCentreLeft;
    board_.lastColumn = kColumns - 1;
    for (int c = 0; c < kColumns; ++c)
        for (int r = 0; r < kRows; ++r)
            if (std::unique_ptr<Box> block = board_.take(c, r)) pool_.push_back(std::move(block));
    board_.clearSelection();
    board_.previousSelection.clear();
    for (int i = 0; i < kCells; ++i) {
        if (values[i] == 0) continue;
        std::unique_ptr<Box> block;
        if (pool_.empty()) {
            block = std::make_unique<ValueBlock>();
        } else {
            block = std::move(pool_.back());
            pool_.pop_back();
        }
        auto* valued = static_cast<ValueBlock*>(block.get());
        valued->value = values[i];
        valued->colour = colourOfValue(values[i]);
        valued->isBonus = values[i] >= kFirstBonus && values[i] <= kLastBonus;
        board_.place(i % kColumns, i / kColumns, std::move(block));
    }
}

void BoardRules::store(Values& values) const {
    for (int i = 0; i < kCells; ++i) {
        const Box* block = board_.at(i % kColumns, i / kColumns);
        values[i] = block ? static_cast<const ValueBlock*>(block)->value : 0;
    }
}

void BoardRules::runToRest() {
    for (int step = 0; step < kMaxRestSteps && board_.anyMoving(); ++step)
        board_.moveBlocks(kRestStepMs);
}

std::vector<Box::Cell> BoardRules::select(const Values& values, int column, int row) {
    load(values);
    const Box* block = board_.at(column, row);
    if (!block) return {};
    board_.hover(column, row, block->colour, nullptr);
    return board_.selection;
}

std::vector<Box::Cell> BoardRules::moves(const Values& values) {
    load(values);
    std::vector<Box::Cell> found;
    board_.snapshotColours();
    for (int c = 0; c < kColumns; ++c) {
        for (int r = 0; r < kRows; ++r) {
            const Box* block = board_.at(c, r);
            if (!block) continue;
            if (block->isBonus) {
                found.push_back({c, r});
                continue;
            }
            if (block->colour == Box::kFixed || block->colour == Box::kUnmovable) continue;
            if (board_.colourGrid[c][r] == Board::kNoColour) continue;  // in a group seen before
            board_.clearSelection();
            board_.floodFill(c, r, block->colour);
            if (static_cast<int>(board_.selection.size()) >= kMinGroup) found.push_back({c, r});
        }
    }
    board_.clearSelection();
    return found;
}

void BoardRules::removeAndSettle(Values& values, const std::vector<Box::Cell>& removed) {
    load(values);
    for (const Box::Cell& cell : removed)
        if (std::unique_ptr<Box> block = board_.take(cell.column, cell.row))
            pool_.push_back(std::move(block));
    board_.fall();
    runToRest();
    // The game closes up in every frame in which nothing moves, until nothing slides.
    for (int pass = 0; pass < kColumns * kRows; ++pass) {
        board_.closeUp();
        if (!board_.anyMoving()) break;
        runToRest();
    }
    store(values);
}

bool BoardRules::fall(Values& values) {
    load(values);
    const Values before = values;
    board_.fall();
    runToRest();
    store(values);
    return values != before;
}

bool BoardRules::closeUpPass(Values& values) {
    load(values);
    const Values before = values;
    board_.closeUp();
    runToRest();
    store(values);
    return values != before;
}

}  // namespace brx
