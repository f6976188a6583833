// Bot play of Remover, Puzzle, Strategy and Advanced on every board size: random clicks through
// the game's own events and picking, random frame steps, Esc and Space now and then, and the
// board's invariants checked after every frame. Run in the sanitizer build as well, where it
// also proves that no block is leaked or freed twice when games end and are destroyed.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <string>

#include "game/AdvancedPuzzle.h"
#include "game/BrixelPuzzle.h"
#include "game/BrixelRemover.h"
#include "game/LevelFiles.h"
#include "game/StrategyGame.h"
#include "tests/game/FourModesTestKit.h"

namespace brx {
namespace {

constexpr int kWindowWidth = 800;
constexpr int kWindowHeight = 600;
constexpr int kFramesPerGame = 4000;
constexpr float kPositionTolerance = 1e-3f;

struct BotStats {
    int frames = 0;
    int removals = 0;  // clicks that took blocks off the board
    int gamesLost = 0;
    int levelsWon = 0;
};

class FourModesBot : public fourmodes::ModeTest {
protected:
    using Factory = std::function<std::unique_ptr<Game>()>;

    // Plays games of one mode on every difficulty; the invariants are checked every frame.
    BotStats play(const Factory& make, uint32_t seed, int games) {
        BotStats stats;

        for (int level = Difficulty::Easy; level <= Difficulty::Impossible; ++level) {
            for (int g = 0; g < games; ++g) {
                difficulty = level;
                seedRandom(seed + 97 * level + g);
                std::unique_ptr<Game> game = make();
                game->resize(kWindowWidth, kWindowHeight);
                game->init();
                game->activate();
                playOne(*game, stats);
                if (HasFatalFailure()) return stats;
            }
        }
        return stats;
    }

private:
    void playOne(Game& game, BotStats& stats) {
        fixedCells.clear();
        int lastScore = game.score();
        int lastLines = game.linesLeft;
        bool levelCounted = false;
        for (int frame = 0; frame < kFramesPerGame; ++frame) {
            act(game, stats);
            game.update(random(1, 100));
            ++stats.frames;
            checkInvariants(game);
            if (HasFatalFailure()) return;
            EXPECT_GE(game.score(), lastScore);
            lastScore = game.score();
            // At most one line per frame; a completed level starts the next count.
            EXPECT_TRUE(game.linesLeft == lastLines || game.linesLeft == lastLines - 1 ||
                        game.linesLeft == game.linesTotal)
                << lastLines << " -> " << game.linesLeft;
            lastLines = game.linesLeft;
            if (gameState == GameState::LevelComplete && !levelCounted) ++stats.levelsWon;
            levelCounted = gameState == GameState::LevelComplete;
            if (linePhase == LinePhase::Finished && gameState == GameState::GameOver) {
                ++stats.gamesLost;
                return;  // the high-score screen would take over here
            }
            if (gameState == GameState::Outro && game.introProgress() >= 1.0) return;
        }
    }

    // One random thing a player might do this frame, mostly clicking.
    void act(Game& game, BotStats& stats) {
        const int choice = random(0, 99);
        if (choice < 2) {
            game.onEvent(keyEvent(kKeySpace));
        } else if (choice == 2 && random(0, 20) == 0) {
            game.onEvent(keyEvent(kKeyEscape));
        } else if (choice < 30) {
            InputEvent move;
            move.type = kInputPointerMove;
            move.x = int16_t(random(0, kWindowWidth - 1));
            move.y = int16_t(random(0, kWindowHeight - 1));
            game.onEvent(move);
        } else if (choice < 60) {
            pressButton(game, stats);
        } else if (choice < 75 && !game.anyMoving()) {
            hoverRandomCell(game);
            pressButton(game, stats);
        }
    }

    void pressButton(Game& game, BotStats& stats) {
        const int before = fourmodes::countBlocks(game);
        InputEvent press;
        press.type = kInputButtonDown;
        game.onEvent(press);
        if (fourmodes::countBlocks(game) < before) ++stats.removals;
    }

    static void hoverRandomCell(Game& game) {
        const int c = random(0, columns - 1), r = random(0, rows - 1);
        if (const Box* block = game.blockAt(c, r)) game.hover(c, r, block->colour);
    }

    static InputEvent keyEvent(int key) {
        InputEvent event;
        event.type = kInputKeyDown;
        event.key = key;
        return event;
    }

    // Every block has one owner; blocks rest on their cells or move toward them; fixed blocks
    // never change cell; the selection stays on the board; counters stay in range.
    void checkInvariants(Game& game) {
        ASSERT_LE(columns, Board::kMaxColumns);
        ASSERT_LE(rows, Board::kMaxRows);
        std::set<const Box*> owned;
        std::map<const Box*, Box::Cell> fixedNow;
        for (int c = 0; c < columns; ++c) {
            for (int r = 0; r < rows; ++r) {
                const Box* block = game.blockAt(c, r);
                if (!block) continue;
                ASSERT_TRUE(owned.insert(block).second)
                    << "block in two cells at " << c << "," << r;
                checkBlock(game, *block, c, r);
                if (block->colour == Box::kFixed) fixedNow[block] = {c, r};
            }
        }
        for (const auto& [block, cell] : fixedNow) {
            const auto before = fixedCells.find(block);
            if (before != fixedCells.end()) {
                ASSERT_EQ(before->second, cell) << "a fixed block moved";
            }
        }
        fixedCells = fixedNow;
        if (const auto* lines = dynamic_cast<const BrixelGame*>(&game)) {
            for (int i = 0; i < Board::kMaxColumns; ++i) {
                const Box* slot = lines->slotBlock(i);
                if (!slot) continue;
                ASSERT_LT(i, columns);
                ASSERT_TRUE(owned.insert(slot).second) << "next-line block also on the board";
            }
            EXPECT_GE(game.linesLeft, 0);
            EXPECT_LE(game.linesLeft, game.linesTotal);
        }
        for (const auto& flying : game.flyingBlocks())
            ASSERT_TRUE(owned.insert(flying.get()).second) << "flying block still owned elsewhere";
        for (const Board::Cell& cell : game.selection) {
            ASSERT_GE(cell.column, 0);
            ASSERT_LT(cell.column, columns);
            ASSERT_GE(cell.row, 0);
            ASSERT_LT(cell.row, rows);
        }
        const std::set<int> states = {1, 2, 3, 4, 5, 6, 8};
        EXPECT_TRUE(states.count(gameState)) << gameState;
    }

    static void checkBlock(const Game& game, const Box& block, int c, int r) {
        const Vector3 home = game.cellPosition(c, r);
        const Vector3 at = block.position();
        switch (block.motion) {
            case Box::kResting:
                ASSERT_NEAR(at.x, home.x, kPositionTolerance) << c << "," << r;
                ASSERT_NEAR(at.y, home.y, kPositionTolerance) << c << "," << r;
                break;
            case Box::kFalling:
                ASSERT_NEAR(block.target.y, home.y, kPositionTolerance);
                ASSERT_GE(at.y, home.y - kPositionTolerance) << "fell past its cell";
                break;
            case Box::kSlidingRight:
            case Box::kSlidingLeft:
                // A slide keeps its old cell until it arrives, one column over.
                ASSERT_NEAR(at.y, home.y, kPositionTolerance);
                ASSERT_EQ(std::abs(block.cell.column - c), 1);
                break;
            default:
                FAIL() << "block on the board with motion " << block.motion;
        }
    }

    std::map<const Box*, Box::Cell> fixedCells;
};

TEST_F(FourModesBot, RemoverKeepsItsInvariantsUnderRandomPlay) {
    const BotStats stats = play([] { return std::make_unique<BrixelRemover>(); }, 100, 2);
    EXPECT_GT(stats.removals, 50);
}

TEST_F(FourModesBot, PuzzleKeepsItsInvariantsUnderRandomPlay) {
    const int count = LevelFiles::readCounts().puzzles;
    const BotStats stats = play(
        [count] {
            auto game = std::make_unique<BrixelPuzzle>();
            game->levelIndex = BrixelPuzzle::randomPuzzleNumber(count);
            return game;
        },
        200, 3);
    EXPECT_GT(stats.removals, 20);
    EXPECT_GT(stats.gamesLost + stats.levelsWon, 0);
}

TEST_F(FourModesBot, StrategyKeepsItsInvariantsUnderRandomPlay) {
    const BotStats stats = play([] { return std::make_unique<StrategyGame>(); }, 300, 2);
    EXPECT_GT(stats.removals, 50);
}

TEST_F(FourModesBot, AdvancedKeepsItsInvariantsUnderRandomPlay) {
    const BotStats stats = play([] { return std::make_unique<AdvancedPuzzle>(); }, 400, 2);
    EXPECT_GT(stats.removals, 50);
}

}  // namespace
}  // namespace brx
