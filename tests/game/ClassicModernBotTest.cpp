// A bot plays Classic and Modern on every difficulty for thousands of frames through the same
// doors a player uses (pointer moves, button presses, keys, frames of random length) and the
// board is checked after every event and frame: each block in exactly one cell, one slot or
// the flying list; nothing lost but what the rules destroy; resting blocks on their cells;
// the score never falling. A game that asks for another screen is deleted on the spot and the
// next one starts, as the high-score screen would do. Run under ASan/UBSan this also proves
// that no state leaks or frees a block twice.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <random>
#include <set>

#include "engine/InputEvent.h"
#include "tests/game/ClassicTestKit.h"

namespace brx {
namespace {

using testkit::OpenClassic;
using testkit::OpenModern;

constexpr int kFramesPerRun = 4000;
// From this frame on the bot only calls lines in, so every run also ends a game by a push.
constexpr int kRecklessFrom = 3400;
constexpr int kDrawEvery = 40;
constexpr float kPositionTolerance = 1e-4f;

struct Tally {
    int games = 0;
    int groupsRemoved = 0;
    int bonusesFired = 0;
    int linesPushed = 0;
    int levelsCompleted = 0;
    int gamesLost = 0;
    int outros = 0;
};

bool near(const Vector3& a, const Vector3& b) {
    return std::fabs(a.x - b.x) < kPositionTolerance && std::fabs(a.y - b.y) < kPositionTolerance &&
           std::fabs(a.z - b.z) < kPositionTolerance;
}

// Every block the game holds on the board and in the next line, with its colour.
using Holdings = std::map<const Box*, int>;

class Bot : public testkit::LineModeGL {
protected:
    // Checks the invariants; returns the blocks held now.
    Holdings check(const BrixelGame& game, const Holdings& before, int scoreBefore) {
        Holdings now;
        std::set<const Box*> flying;
        for (const auto& block : game.flyingBlocks()) {
            EXPECT_TRUE(flying.insert(block.get()).second) << "flying twice";
            EXPECT_EQ(block->motion, Box::kFlyingAway);
        }
        for (int c = 0; c < Game::kMaxColumns; ++c) {
            for (int r = 0; r < Game::kMaxRows; ++r) {
                const Box* block = game.cells[c][r].get();
                if (!block) continue;
                EXPECT_TRUE(c < columns && r < rows) << "outside the board " << c << "," << r;
                EXPECT_TRUE(now.emplace(block, block->colour).second) << "in two cells";
                EXPECT_EQ(flying.count(block), 0u) << "on the board and flying";
                checkCell(game, *block, c, r);
            }
        }
        for (int i = 0; i < Game::kMaxColumns; ++i) {
            const Box* block = game.slotBlock(i);
            if (!block) continue;
            EXPECT_LT(i, columns);
            EXPECT_TRUE(now.emplace(block, block->colour).second) << "slot and cell";
            EXPECT_TRUE(near(block->position(), game.slotPosition(i)));
        }
        // A block that left the board flies, unless it was colourless (a score block of the
        // finishing fill, or a fired big bomb, which the rules delete).
        for (const auto& [block, colour] : before)
            if (!now.count(block) && !flying.count(block)) {
                EXPECT_EQ(colour, Box::kNoColour) << "a block of colour " << colour << " vanished";
            }
        EXPECT_GE(game.score(), scoreBefore);
        for (const Box::Cell& cell : game.selection) {
            EXPECT_TRUE(cell.column >= 0 && cell.column < columns);
            EXPECT_TRUE(cell.row >= 0 && cell.row < rows);
        }
        EXPECT_GE(game.linesLeft, 0);
        return now;
    }

    static void checkCell(const BrixelGame& game, const Box& block, int c, int r) {
        switch (block.motion) {
            case Box::kResting:
                EXPECT_TRUE(near(block.position(), game.cellPosition(c, r)))
                    << "resting off its cell " << c << "," << r;
                EXPECT_EQ(block.cell, (Box::Cell{c, r}));
                break;
            case Box::kFalling:
                EXPECT_TRUE(near(block.target, game.cellPosition(c, r)));
                EXPECT_GE(block.position().y, block.target.y);
                break;
            case Box::kSlidingRight:
            case Box::kSlidingLeft: {
                const int dc = block.motion == Box::kSlidingRight ? 1 : -1;
                EXPECT_EQ(block.cell, (Box::Cell{c + dc, r}));
                EXPECT_TRUE(near(block.target, game.cellPosition(c + dc, r)));
                break;
            }
            default:
                ADD_FAILURE() << "motion " << block.motion << " on the board";
        }
    }

    // The pointer over a random block of the board (a bonus one time in five when there is
    // one), or anywhere when the board is empty.
    static void aimAtBlock(BrixelGame& game, std::mt19937& bot, InputEvent& event) {
        std::vector<const Box*> blocks, bonuses;
        for (int c = 0; c < columns; ++c)
            for (int r = 0; r < rows; ++r)
                if (const Box* block = game.blockAt(c, r)) {
                    blocks.push_back(block);
                    if (block->isBonus) bonuses.push_back(block);
                }
        if (!bonuses.empty() && bot() % 5 == 0) blocks = bonuses;
        float x = float(bot() % 800), y = float(bot() % 600);
        if (!blocks.empty())
            game.gameCamera()->projectToWindow(blocks[bot() % blocks.size()]->position(), &x, &y);
        event.x = int16_t(x);
        event.y = int16_t(y);
    }

    static void aimAtTray(BrixelGame& game, std::mt19937& bot, InputEvent& event) {
        float x = 0, y = 0;
        game.gameCamera()->projectToWindow(game.slotPosition(int(bot() % unsigned(columns))), &x,
                                           &y);
        event.x = int16_t(x);
        event.y = int16_t(y);
    }

    // True while every stack stays below the middle of the board.
    static bool boardIsLow(const BrixelGame& game) {
        for (int c = 0; c < columns; ++c)
            if (game.blockAt(c, rows / 2)) return false;
        return true;
    }

    // True when a press now fires a single bonus: the hovered selection is one bonus block.
    static bool bonusUnderPointer(const BrixelGame& game) {
        if (game.selection.size() != 1 || game.anyMoving() || gameState != GameState::Playing)
            return false;
        const Box* block = game.blockAt(game.selection[0].column, game.selection[0].row);
        return block && block->isBonus;
    }

    // One input from the bot: mostly aimed clicks, tray clicks while the board is low (only
    // tray clicks when reckless), stray moves and a few stray presses (the menu button among
    // their targets), rarely Space or Esc. True when a press fired a bonus.
    static bool act(BrixelGame& game, std::mt19937& bot, bool reckless) {
        const bool bonusHovered = bonusUnderPointer(game);
        const int scoreBefore = game.score();
        InputEvent move;
        move.type = kInputPointerMove;
        const unsigned roll = bot() % 4000;
        const unsigned trayShare = reckless ? 2200 : boardIsLow(game) ? 500 : 100;
        if (roll < 1800 && !reckless)
            aimAtBlock(game, bot, move);
        else if (roll < 1800 + trayShare)
            aimAtTray(game, bot, move);
        else {
            // Stray moves keep off the menu button's row, but for the few stray presses.
            const bool stray = roll >= 3900 && roll < 3930;
            move.x = int16_t(bot() % 800);
            move.y = int16_t(bot() % (stray ? 600 : 540));
        }
        const bool press =
            (roll < 1800 + trayShare && roll % 3 == 0) || (roll >= 3900 && roll < 3930);
        if (press) {
            // The press lands where the pointer was hovering; the pointer moves after it.
            InputEvent down;
            down.type = kInputButtonDown;
            down.x = int16_t(game.mouseX);
            down.y = int16_t(game.mouseY);
            game.onEvent(down);
            down.type = kInputButtonUp;
            game.onEvent(down);
        }
        game.onEvent(move);
        if (roll == 3999 || roll == 3998) {
            InputEvent key;
            key.type = kInputKeyDown;
            key.key = roll == 3999 ? kKeyEscape : kKeySpace;
            game.onEvent(key);
        }
        return press && bonusHovered && game.score() > scoreBefore;
    }

    template <class Mode>
    Tally play(int level, uint32_t seed) {
        Tally tally;
        std::mt19937 bot(seed);
        BrixelGame* game = nullptr;
        Holdings held;
        int score = 0;
        for (int frame = 0; frame < kFramesPerRun; ++frame) {
            if (!game) {
                game = &start<Mode>(level, seed + uint32_t(frame));
                game->activate();
                game->draw();  // places the camera
                held = check(*game, {}, 0);
                score = 0;
                ++tally.games;
            }
            const int lines = game->linesLeft;
            const int stateBefore = gameState;
            const int scoreBefore = game->score();
            if (act(*game, bot, frame >= kRecklessFrom))
                ++tally.bonusesFired;
            else if (game->score() > scoreBefore)
                ++tally.groupsRemoved;
            held = check(*game, held, score);
            score = game->score();
            game->update(1 + int(bot() % 100));
            if (frame % kDrawEvery == 0) game->draw();
            held = check(*game, held, score);
            score = game->score();
            if (game->linesLeft < lines ||
                (stateBefore == GameState::Playing && gameState == GameState::LevelComplete))
                ++tally.linesPushed;
            if (stateBefore != GameState::LevelComplete && gameState == GameState::LevelComplete)
                ++tally.levelsCompleted;
            if (stateBefore != GameState::GameOver && gameState == GameState::GameOver)
                ++tally.gamesLost;
            if (stateBefore != GameState::Outro && gameState == GameState::Outro) ++tally.outros;
            if (!host.requests.empty()) {
                // The next screen takes over and deletes the game at once.
                host.requests.clear();
                games.clear();
                game = nullptr;
            }
            if (HasFailure()) break;
        }
        games.clear();
        return tally;
    }
};

// BRX_BOT_SEED shifts every seed, for longer soak runs of the same test by hand.
uint32_t extraSeed() {
    const char* text = std::getenv("BRX_BOT_SEED");
    return text ? uint32_t(std::strtoul(text, nullptr, 10)) : 0u;
}

void report(const char* mode, int level, const Tally& t) {
    std::printf(
        "%s difficulty %d: %d games, %d groups, %d bonuses, %d lines, %d levels, %d lost, "
        "%d outros\n",
        mode, level, t.games, t.groupsRemoved, t.bonusesFired, t.linesPushed, t.levelsCompleted,
        t.gamesLost, t.outros);
}

TEST_F(Bot, PlaysClassicOnEveryDifficultyWithTheBoardWhole) {
    Tally total;
    for (int level = 0; level < 4; ++level) {
        const Tally t = play<OpenClassic>(level, 100 + uint32_t(level) + extraSeed());
        report("Classic", level, t);
        total.groupsRemoved += t.groupsRemoved;
        total.bonusesFired += t.bonusesFired;
        total.linesPushed += t.linesPushed;
        total.levelsCompleted += t.levelsCompleted;
        total.gamesLost += t.gamesLost;
        EXPECT_GT(t.groupsRemoved, 20) << level;
        EXPECT_GT(t.linesPushed, 5) << level;
        if (HasFailure()) return;
    }
    EXPECT_GT(total.bonusesFired, 0);
    EXPECT_GT(total.levelsCompleted, 0);
    EXPECT_GT(total.gamesLost, 0);
}

TEST_F(Bot, PlaysModernOnEveryDifficultyWithTheBoardWhole) {
    Tally total;
    for (int level = 0; level < 4; ++level) {
        const Tally t = play<OpenModern>(level, 200 + uint32_t(level) + extraSeed());
        report("Modern", level, t);
        total.bonusesFired += t.bonusesFired;
        total.levelsCompleted += t.levelsCompleted;
        total.gamesLost += t.gamesLost;
        EXPECT_GT(t.groupsRemoved, 20) << level;
        EXPECT_GT(t.linesPushed, 5) << level;
        if (HasFailure()) return;
    }
    EXPECT_GT(total.bonusesFired, 0);
    EXPECT_GT(total.levelsCompleted, 0);
    EXPECT_GT(total.gamesLost, 0);
}

}  // namespace
}  // namespace brx
