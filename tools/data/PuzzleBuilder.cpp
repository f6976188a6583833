#include "tools/data/PuzzleBuilder.h"

#include <algorithm>
#include <cstdlib>

#include "core/Random.h"
#include "game/PuzzleSolver.h"

namespace brx::tools {

namespace {

constexpr int kBlastHalfHeight[5] = {4, 4, 3, 3, 1};
constexpr int kMaxFailures = 400;

template <typename T>
const T& pick(const std::vector<T>& items) {
    return items[random(0, static_cast<int>(items.size()) - 1)];
}

bool columnHasFixed(const PuzzleBoard& board, int column) {
    for (int r = 0; r < PuzzleBoard::kRows; ++r)
        if (board.at(column, r) == PuzzleBoard::kFixed) return true;
    return false;
}

// Row of the highest block of a column without fixed blocks; kRows when it is empty.
int stackTopRow(const PuzzleBoard& board, int column) {
    for (int r = 0; r < PuzzleBoard::kRows; ++r)
        if (board.at(column, r) != PuzzleBoard::kEmpty) return r;
    return PuzzleBoard::kRows;
}

}  // namespace

bool PuzzleBuilder::build(BuiltPuzzle& out) {
    PuzzleBoard board;
    placeFixedBlocks(board);
    std::vector<PuzzleCell> backward;
    std::vector<PuzzleStep> required = recipe_.required;
    int failures = 0;
    while (static_cast<int>(backward.size()) < recipe_.steps && failures < kMaxFailures) {
        PuzzleStep kind = pickKind();
        if (!required.empty() && random(0, 2) == 0) kind = required.back();
        PuzzleCell click;
        if (!tryStep(kind, board, click)) {
            ++failures;
            continue;
        }
        backward.push_back(click);
        const auto done = std::find(required.begin(), required.end(), kind);
        if (done != required.end()) required.erase(done);
    }
    if (!required.empty() || static_cast<int>(backward.size()) < recipe_.steps * 3 / 4)
        return false;
    out.board = board;
    out.solution.assign(backward.rbegin(), backward.rend());
    out.steps = static_cast<int>(backward.size());
    return PuzzleSolver::replay(out.board, out.solution);
}

bool PuzzleBuilder::tryStep(PuzzleStep kind, PuzzleBoard& board, PuzzleCell& click) {
    const PuzzleBoard before = board;
    bool built = false;
    switch (kind) {
        case PuzzleStep::Group:
            built = random(0, 3) == 0 ? addColumn(kind, board, click) : addGroup(board, click);
            break;
        case PuzzleStep::ColourBomb:
            built = addColourBomb(board, click);
            break;
        case PuzzleStep::RowRemover:
            built = addRowRemover(board, click);
            break;
        case PuzzleStep::ColumnRemover:
        case PuzzleStep::CrossRemover:
            built = addColumn(kind, board, click);
            break;
        case PuzzleStep::BigBomb:
            built = addBigBomb(board, click);
            break;
    }
    if (built && undoes(before, board, click)) return true;
    board = before;
    return false;
}

bool PuzzleBuilder::undoes(const PuzzleBoard& before, const PuzzleBoard& after,
                           PuzzleCell click) const {
    if (after == before || !after.isSettled()) return false;
    for (int c = 0; c < PuzzleBoard::kColumns; ++c)
        for (int r = 0; r < topRowAllowed(); ++r)
            if (after.at(c, r) != PuzzleBoard::kEmpty) return false;
    PuzzleBoard replayed = after;
    return replayed.click(click.column, click.row) && replayed == before;
}

// A connected group of one colour grown cell by cell: downward inside a column (pushing what
// stands above it up) or sideways into a neighbouring column at a row the group already spans.
bool PuzzleBuilder::addGroup(PuzzleBoard& board, PuzzleCell& click) {
    struct Run {
        int column, top, bottom;
    };
    const int colour = randomColour();
    const int c0 = pickColumn(board);
    const std::vector<int> rows0 = insertionRows(board, c0);
    if (rows0.empty()) return false;
    const int r0 = pick(rows0);
    insertAt(board, c0, r0, colour);
    std::vector<Run> runs{{c0, r0, r0}};
    int size = 1;
    const int target = random(3, 5) + (random(0, 4) == 0 ? random(1, 2) : 0);
    for (int attempt = 0; size < target && attempt < 24; ++attempt) {
        const int which = random(0, static_cast<int>(runs.size()) - 1);
        const Run run = runs[which];
        if (random(0, 2) == 0) {
            if (insertAt(board, run.column, run.bottom, colour)) {
                runs[which].top -= 1;
                ++size;
            }
            continue;
        }
        const int c = run.column + (random(0, 1) == 0 ? -1 : 1);
        if (!PuzzleBoard::inside(c, 0)) continue;
        if (std::any_of(runs.begin(), runs.end(), [c](const Run& r) { return r.column == c; }))
            continue;
        std::vector<int> options;
        for (int r : insertionRows(board, c))
            if (r >= run.top && r <= run.bottom) options.push_back(r);
        if (options.empty()) continue;
        const int r = pick(options);
        insertAt(board, c, r, colour);
        runs.push_back({c, r, r});
        ++size;
    }
    if (size < PuzzleBoard::kMinGroup) return false;
    click = {runs[0].column, runs[0].bottom};
    if (size >= 4 && random(0, 5) == 0) {
        const Run& other = runs.back();
        if (other.column != click.column || other.top != click.row)
            board.put(other.column, other.top, PuzzleBoard::kColourBombBase + colour);
    }
    return true;
}

// Blocks of a colour the board does not hold yet, scattered anywhere, and one bomb of that
// colour which takes them all.
bool PuzzleBuilder::addColourBomb(PuzzleBoard& board, PuzzleCell& click) {
    std::vector<int> absent;
    for (int colour = 1; colour <= recipe_.colours; ++colour) {
        bool present = false;
        for (int c = 0; c < PuzzleBoard::kColumns && !present; ++c)
            for (int r = 0; r < PuzzleBoard::kRows && !present; ++r)
                present = PuzzleBoard::colourOf(board.at(c, r)) == colour;
        if (!present) absent.push_back(colour);
    }
    if (absent.empty()) return false;
    const int colour = pick(absent);
    const int wanted = random(3, 6);
    int placed = 0;
    for (int attempt = 0; attempt < 30 && placed < wanted; ++attempt) {
        const int c = pickColumn(board);
        const std::vector<int> rows = insertionRows(board, c);
        if (!rows.empty() && insertAt(board, c, pick(rows), colour)) ++placed;
    }
    if (placed < 2) return false;
    std::vector<PuzzleCell> cells;
    for (int c = 0; c < PuzzleBoard::kColumns; ++c)
        for (int r = 0; r < PuzzleBoard::kRows; ++r)
            if (board.at(c, r) == colour) cells.push_back({c, r});
    click = pick(cells);
    board.put(click.column, click.row, PuzzleBoard::kColourBombBase + colour);
    return true;
}

bool PuzzleBuilder::addRowRemover(PuzzleBoard& board, PuzzleCell& click) {
    const int row = random(std::max(topRowAllowed() + 2, 4), PuzzleBoard::kRows - 1);
    std::vector<PuzzleCell> filled;
    if (!fillRow(board, row, -1, filled) || filled.size() < 3) return false;
    click = pick(filled);
    board.put(click.column, click.row, PuzzleBoard::kRowRemover);
    return true;
}

// Slips a block under every column that reaches the row, so that clearing the row gives the
// board back; fails when a block already standing in the row would be cleared with it.
bool PuzzleBuilder::fillRow(PuzzleBoard& board, int row, int skipColumn,
                            std::vector<PuzzleCell>& filled) {
    for (int c = 0; c < PuzzleBoard::kColumns; ++c) {
        if (c == skipColumn) continue;
        const std::vector<int> rows = insertionRows(board, c);
        if (std::find(rows.begin(), rows.end(), row) != rows.end()) {
            insertAt(board, c, row, randomColour());
            filled.push_back({c, row});
            continue;
        }
        const int value = board.at(c, row);
        if (value != PuzzleBoard::kEmpty && value != PuzzleBoard::kFixed &&
            value != PuzzleBoard::kUnmovable)
            return false;
    }
    return true;
}

// A whole new column pushed in between the others: one colour (a group), or mixed blocks with
// a column or cross remover; removing it lets the close-up pull the outer columns back.
bool PuzzleBuilder::addColumn(PuzzleStep kind, PuzzleBoard& board, PuzzleCell& click) {
    const int position = pickColumn(board);
    if (position < 1 || position > PuzzleBoard::kLastColumn - 1) return false;
    if (!insertColumn(board, position)) return false;
    const int bottom = PuzzleBoard::kRows - 1;
    const int limit = std::min(8, recipe_.maxHeight);
    const int height = kind == PuzzleStep::Group ? random(3, 5) : random(2, limit);
    const int colour = randomColour();
    for (int i = 0; i < height; ++i)
        board.put(position, bottom - i, kind == PuzzleStep::Group ? colour : randomColour());
    const int row = bottom - random(0, height - 1);
    click = {position, row};
    if (kind == PuzzleStep::ColumnRemover) board.put(position, row, PuzzleBoard::kColumnRemover);
    if (kind == PuzzleStep::CrossRemover) {
        board.put(position, row, PuzzleBoard::kCrossRemover);
        std::vector<PuzzleCell> filled;
        if (!fillRow(board, row, position, filled)) return false;
    }
    return true;
}

// A big bomb inside the stacks with its whole blast area filled: the blocks that stood above
// the area are lifted by its height, and fall back into place when the bomb goes off.
bool PuzzleBuilder::addBigBomb(PuzzleBoard& board, PuzzleCell& click) {
    const int column = pickColumn(board);
    if (columnHasFixed(board, column)) return false;
    const int top = stackTopRow(board, column);
    const int lowest = std::max(top - 5, topRowAllowed() + 1);
    if (lowest > PuzzleBoard::kRows - 1) return false;
    const int row = random(lowest, PuzzleBoard::kRows - 1);
    for (int dc = -4; dc <= 4; ++dc) {
        const int c = column + dc;
        if (!PuzzleBoard::inside(c, 0)) continue;
        if (!fillBlast(board, c, row, kBlastHalfHeight[std::abs(dc)], dc == 0)) return false;
    }
    board.put(column, row, PuzzleBoard::kBigBomb);
    click = {column, row};
    return true;
}

bool PuzzleBuilder::fillBlast(PuzzleBoard& board, int column, int bombRow, int half,
                              bool bombColumn) {
    const int top = std::max(0, bombRow - half);
    const int bottom = std::min(PuzzleBoard::kRows - 1, bombRow + half);
    const int stack = stackTopRow(board, column);
    const bool supported = bottom == PuzzleBoard::kRows - 1 || stack <= bottom + 1;
    if (!supported) return !bombColumn;
    if (columnHasFixed(board, column)) return false;
    const int length = bottom - top + 1;
    int fillTop = top;
    if (stack <= bottom) {
        if (stack - length < topRowAllowed()) return false;
        for (int r = stack; r <= bottom; ++r) board.put(column, r - length, board.at(column, r));
    } else if (bombColumn) {
        fillTop = std::max(top, topRowAllowed());
        if (fillTop > bombRow) return false;
    } else {
        fillTop = random(std::max(top, topRowAllowed()), bottom + 1);
    }
    for (int r = fillTop; r <= bottom; ++r) board.put(column, r, fillerValue());
    return true;
}

bool PuzzleBuilder::insertColumn(PuzzleBoard& board, int position) const {
    const bool left = position <= PuzzleBoard::kCentreLeft;
    const int outer = left ? 0 : PuzzleBoard::kLastColumn;
    if (stackTopRow(board, outer) != PuzzleBoard::kRows) return false;
    const int from = left ? 0 : position, to = left ? position : PuzzleBoard::kLastColumn;
    for (int c = from; c <= to; ++c)
        if (columnHasFixed(board, c)) return false;
    for (int r = 0; r < PuzzleBoard::kRows; ++r) {
        if (left) {
            for (int c = 0; c < position; ++c) board.put(c, r, board.at(c + 1, r));
        } else {
            for (int c = PuzzleBoard::kLastColumn; c > position; --c)
                board.put(c, r, board.at(c - 1, r));
        }
        board.put(position, r, PuzzleBoard::kEmpty);
    }
    return true;
}

// Puts a block at the cell and lifts the blocks standing on it by one row, as if they had been
// resting on it all along. The cell must rest on something, and the lifted stack must have an
// empty cell above it below the height limit and no fixed block in the way.
bool PuzzleBuilder::insertAt(PuzzleBoard& board, int column, int row, int value) const {
    if (!PuzzleBoard::inside(column, row) || board.at(column, row) == PuzzleBoard::kFixed)
        return false;
    if (row < PuzzleBoard::kRows - 1 && board.at(column, row + 1) == PuzzleBoard::kEmpty)
        return false;
    int empty = row;
    while (empty >= topRowAllowed() && board.at(column, empty) != PuzzleBoard::kEmpty) {
        if (board.at(column, empty) == PuzzleBoard::kFixed) return false;
        --empty;
    }
    if (empty < topRowAllowed()) return false;
    for (int r = empty; r < row; ++r) board.put(column, r, board.at(column, r + 1));
    board.put(column, row, value);
    return true;
}

std::vector<int> PuzzleBuilder::insertionRows(const PuzzleBoard& board, int column) const {
    std::vector<int> rows;
    for (int r = topRowAllowed(); r < PuzzleBoard::kRows; ++r) {
        PuzzleBoard probe = board;
        if (insertAt(probe, column, r, 1)) rows.push_back(r);
    }
    return rows;
}

// The columns next to and inside the occupied stretch, or the two middle columns of an empty
// board: elsewhere a new block would only slide toward the middle.
std::vector<int> PuzzleBuilder::candidateColumns(const PuzzleBoard& board) const {
    int lowest = PuzzleBoard::kColumns, highest = -1;
    for (int c = 0; c < PuzzleBoard::kColumns; ++c) {
        for (int r = 0; r < PuzzleBoard::kRows; ++r) {
            const int value = board.at(c, r);
            if (value != PuzzleBoard::kEmpty && value != PuzzleBoard::kFixed) {
                lowest = std::min(lowest, c);
                highest = std::max(highest, c);
            }
        }
    }
    if (highest < 0) return {PuzzleBoard::kCentreLeft, PuzzleBoard::kCentreLeft + 1};
    std::vector<int> columns;
    for (int c = std::max(0, lowest - 1); c <= std::min(PuzzleBoard::kLastColumn, highest + 1); ++c)
        columns.push_back(c);
    return columns;
}

// Mostly a column on the side of the middle that holds fewer blocks, so that the puzzles stand
// centred on the board instead of drifting to one side.
int PuzzleBuilder::pickColumn(const PuzzleBoard& board) const {
    const std::vector<int> columns = candidateColumns(board);
    int left = 0, right = 0;
    for (int c = 0; c < PuzzleBoard::kColumns; ++c)
        for (int r = 0; r < PuzzleBoard::kRows; ++r)
            if (board.at(c, r) != PuzzleBoard::kEmpty)
                ++(c <= PuzzleBoard::kCentreLeft ? left : right);
    if (left == right || random(0, 2) == 0) return pick(columns);
    std::vector<int> lighter;
    for (int c : columns)
        if ((c <= PuzzleBoard::kCentreLeft) == (left < right)) lighter.push_back(c);
    return lighter.empty() ? pick(columns) : pick(lighter);
}

PuzzleStep PuzzleBuilder::pickKind() {
    int total = 0;
    for (int weight : recipe_.weights) total += weight;
    int roll = random(0, std::max(0, total - 1));
    for (int i = 0; i < 6; ++i) {
        if (roll < recipe_.weights[i]) return static_cast<PuzzleStep>(i);
        roll -= recipe_.weights[i];
    }
    return PuzzleStep::Group;
}

int PuzzleBuilder::randomColour() const {
    return random(1, recipe_.colours);
}

int PuzzleBuilder::fillerValue() const {
    if (random(0, 99) < recipe_.unmovablePercent) return PuzzleBoard::kUnmovable;
    return randomColour();
}

// Fixed blocks in mirrored pairs where possible, low on the board and one per column at most.
void PuzzleBuilder::placeFixedBlocks(PuzzleBoard& board) const {
    int placed = 0;
    for (int attempt = 0; attempt < 100 && placed < recipe_.fixedBlocks; ++attempt) {
        const int column = random(1, PuzzleBoard::kLastColumn - 1);
        const int row = random(std::max(topRowAllowed() + 3, 9), PuzzleBoard::kRows - 1);
        const int mirror = PuzzleBoard::kLastColumn - column;
        if (columnHasFixed(board, column)) continue;
        board.put(column, row, PuzzleBoard::kFixed);
        ++placed;
        if (placed < recipe_.fixedBlocks && !columnHasFixed(board, mirror)) {
            board.put(mirror, row, PuzzleBoard::kFixed);
            ++placed;
        }
    }
}

}  // namespace brx::tools
