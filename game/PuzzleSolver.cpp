#include "game/PuzzleSolver.h"

#include <algorithm>
#include <unordered_set>

#include "core/Random.h"

namespace brx {

namespace {

struct Search {
    long nodeLimit = 0;
    long nodes = 0;
    std::unordered_set<uint64_t> seen;
    std::vector<PuzzleCell> path;
};

struct Child {
    PuzzleCell click;
    PuzzleBoard board;
    bool bonus = false;
    int isolated = 0;
    int blocks = 0;
};

// Plain blocks without a neighbour of their colour: each one still needs others brought to it
// or a bonus, so fewer of them is usually closer to a solution.
int countIsolated(const PuzzleBoard& board) {
    int isolated = 0;
    for (int c = 0; c < PuzzleBoard::kColumns; ++c) {
        for (int r = 0; r < PuzzleBoard::kRows; ++r) {
            const int colour = PuzzleBoard::colourOf(board.at(c, r));
            if (colour < 1 || colour > 5) continue;
            const bool joined =
                (c > 0 && PuzzleBoard::colourOf(board.at(c - 1, r)) == colour) ||
                (c + 1 < PuzzleBoard::kColumns &&
                 PuzzleBoard::colourOf(board.at(c + 1, r)) == colour) ||
                (r > 0 && PuzzleBoard::colourOf(board.at(c, r - 1)) == colour) ||
                (r + 1 < PuzzleBoard::kRows && PuzzleBoard::colourOf(board.at(c, r + 1)) == colour);
            if (!joined) ++isolated;
        }
    }
    return isolated;
}

bool explore(const PuzzleBoard& board, Search& search) {
    if (board.isSolved()) return true;
    if (++search.nodes > search.nodeLimit) return false;
    if (!search.seen.insert(board.hash()).second) return false;
    if (PuzzleSolver::isHopeless(board)) return false;
    std::vector<Child> children;
    for (const PuzzleCell& move : board.moves()) {
        Child child{move, board};
        child.bonus = PuzzleBoard::isBonus(board.at(move.column, move.row));
        child.board.click(move.column, move.row);
        child.isolated = countIsolated(child.board);
        child.blocks = child.board.countBlocks();
        children.push_back(child);
    }
    // Bonuses are scarce: plain groups first, those that leave the fewest stranded blocks.
    std::stable_sort(children.begin(), children.end(), [](const Child& a, const Child& b) {
        if (a.bonus != b.bonus) return !a.bonus;
        if (a.isolated != b.isolated) return a.isolated < b.isolated;
        return a.blocks > b.blocks;
    });
    for (const Child& child : children) {
        search.path.push_back(child.click);
        if (explore(child.board, search)) return true;
        search.path.pop_back();
        if (search.nodes > search.nodeLimit) return false;
    }
    return false;
}

}  // namespace

PuzzleSolution PuzzleSolver::solve(const PuzzleBoard& start) const {
    Search search;
    search.nodeLimit = nodeLimit_;
    PuzzleSolution solution;
    solution.solved = explore(start, search);
    solution.nodes = std::min(search.nodes, nodeLimit_);
    solution.exhausted = !solution.solved && search.nodes > nodeLimit_;
    if (solution.solved) solution.clicks = search.path;
    return solution;
}

bool PuzzleSolver::replay(PuzzleBoard board, const std::vector<PuzzleCell>& clicks) {
    for (const PuzzleCell& click : clicks)
        if (!board.click(click.column, click.row)) return false;
    return board.isSolved();
}

bool PuzzleSolver::isHopeless(const PuzzleBoard& board) {
    int plain[6] = {0, 0, 0, 0, 0, 0};
    bool colourBomb[6] = {false, false, false, false, false, false};
    bool areaBonus = false;  // a bonus that removes blocks whatever their colour
    for (int c = 0; c < PuzzleBoard::kColumns; ++c) {
        for (int r = 0; r < PuzzleBoard::kRows; ++r) {
            const int value = board.at(c, r);
            if (value >= 1 && value <= 5) ++plain[value];
            if (value > PuzzleBoard::kColourBombBase && value <= PuzzleBoard::kColourBombBase + 5) {
                colourBomb[value - PuzzleBoard::kColourBombBase] = true;
                ++plain[value - PuzzleBoard::kColourBombBase];
            }
            if (value == PuzzleBoard::kBigBomb || value == PuzzleBoard::kRowRemover ||
                value == PuzzleBoard::kColumnRemover || value == PuzzleBoard::kCrossRemover)
                areaBonus = true;
        }
    }
    if (board.countValue(PuzzleBoard::kUnmovable) > 0 &&
        board.countValue(PuzzleBoard::kBigBomb) == 0)
        return true;
    if (areaBonus) return false;
    for (int colour = 1; colour <= 5; ++colour)
        if (plain[colour] > 0 && plain[colour] < PuzzleBoard::kMinGroup && !colourBomb[colour])
            return true;
    return false;
}

double PuzzleSolver::playoutSuccess(const PuzzleBoard& start, int playouts) {
    if (playouts <= 0) return 0.0;
    int solved = 0;
    for (int p = 0; p < playouts; ++p) {
        PuzzleBoard board = start;
        for (;;) {
            const std::vector<PuzzleCell> moves = board.moves();
            if (moves.empty()) break;
            const PuzzleCell& move = moves[random(0, static_cast<int>(moves.size()) - 1)];
            board.click(move.column, move.row);
        }
        if (board.isSolved()) ++solved;
    }
    return static_cast<double>(solved) / playouts;
}

std::vector<int> PuzzleSolver::flatten(const std::vector<PuzzleCell>& clicks) {
    std::vector<int> flat;
    for (const PuzzleCell& click : clicks) {
        flat.push_back(click.column);
        flat.push_back(click.row);
    }
    return flat;
}

std::vector<PuzzleCell> PuzzleSolver::unflatten(const std::vector<int>& flat) {
    std::vector<PuzzleCell> clicks;
    for (size_t i = 0; i + 1 < flat.size(); i += 2) clicks.push_back({flat[i], flat[i + 1]});
    return clicks;
}

}  // namespace brx
