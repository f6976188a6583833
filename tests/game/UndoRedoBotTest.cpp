// Undo and redo under bot play in every mode. A bot plays a seeded game and, between its moves,
// takes moves back and does them again at random. Every step must land exactly on the state the
// game had (compared whole, random generator included); undoing everything gives the dealt
// board with no points, redoing everything the state before; a game taken back and done again
// plays on exactly as it did. Undo is refused while blocks move, during the intro and after the
// end, but a stuck puzzle can be taken back while its picture shows. The bot draws from its own
// generator, so the game's draws are the game's.
#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "game/AdvancedPuzzle.h"
#include "game/BrixelGame.h"
#include "game/BrixelPuzzle.h"
#include "game/BrixelRemover.h"
#include "game/LevelFiles.h"
#include "game/PyramidPuzzle.h"
#include "game/ResumeFile.h"
#include "game/StrategyGame.h"
#include "objects/PathSet.h"
#include "objects/SplineTrail.h"
#include "tests/game/FourModesTestKit.h"

namespace brx {
namespace {

constexpr int kBotMoves = 80;
constexpr int kReplayMoves = 12;
constexpr int kRestFrameLimit = 3000;

// Where two snapshots first differ in the resume file's encoding (for a failure message).
std::string firstDifference(const GameSnapshot& a, const GameSnapshot& b) {
    const std::string x = ResumeFile::encodeSnapshot(a), y = ResumeFile::encodeSnapshot(b);
    size_t at = 0;
    while (at < x.size() && at < y.size() && x[at] == y[at]) ++at;
    return "first difference at byte " + std::to_string(at) + " (word " + std::to_string(at / 4) +
           ") of " + std::to_string(x.size()) + "/" + std::to_string(y.size());
}

std::string describe(const GameSnapshot& s) {
    std::ostringstream out;
    out << "state " << s.gameState << "/" << s.linePhase << " score " << s.score << " level "
        << s.levelIndex << " lines " << s.linesLeft << " blocks " << s.blocks.size() << " next "
        << s.nextLine.size() << " random " << s.randomState;
    return out.str();
}

// The state without the practice mark, which undo sets for good.
GameSnapshot played(GameSnapshot s) {
    s.practice = false;
    return s;
}

using fourmodes::keyDown;

class Bot {
public:
    explicit Bot(uint32_t seed) : rng_(seed) {}

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

    // Points at a random block (now and then at the tray), presses, runs a few short frames.
    void move(Game& game) {
        aim(game);
        pressAndRun(game);
    }
    // The pointer onto a random block or the tray, and a frame for the hover.
    void aim(Game& game) {
        if (below(8) == 0) {
            pointAtTray(game);
        } else {
            pointAtBlock(game);
        }
        game.update(16);
    }
    void pressAndRun(Game& game) {
        press(game);
        const int frames = 1 + below(4);
        for (int i = 0; i < frames; ++i) game.update(1 + below(40));
    }

    static void press(Game& game) {
        InputEvent event;
        event.type = kInputButtonDown;
        event.button = kButtonLeft;
        game.onEvent(event);
    }

    static void pointAtTray(Game& game) { fourmodes::pointAtTray(game); }

    void pointAtBlock(Game& game) {
        fourmodes::pointAtSomeBlock(game, [this](int count) { return below(count); });
    }

private:
    std::mt19937 rng_;
};

// Undo by the method or by Ctrl+Z, at random; true when a step was taken back.
bool undoSomehow(Game& game, Bot& bot) {
    const size_t before = game.history().undoCount();
    if (bot.below(2) == 0) return game.undoMove();
    game.onEvent(keyDown(Game::kKeyUndo, kFlagControl));
    return game.history().undoCount() < before;
}

// Redo by the method, Ctrl+Y or Ctrl+Shift+Z, at random; true when a step was done again.
bool redoSomehow(Game& game, Bot& bot) {
    const size_t before = game.history().redoCount();
    switch (bot.below(3)) {
        case 0:
            return game.redoMove();
        case 1:
            game.onEvent(keyDown(Game::kKeyRedo, kFlagControl));
            break;
        default:
            game.onEvent(keyDown(Game::kKeyUndo, kFlagControl | kFlagShift));
            break;
    }
    return game.history().redoCount() < before;
}

class UndoRedoBot : public fourmodes::TrailModeTest {
protected:
    std::unique_ptr<Game> start(const Factory& make, int difficultyLevel, uint32_t seed) {
        difficulty = difficultyLevel;
        startLevel = 1;
        seedRandom(seed);
        std::unique_ptr<Game> game = build(make);
        game->activate();
        for (int i = 0; i < kRestFrameLimit && gameState == GameState::Intro; ++i) game->update(16);
        return game;
    }

    // Frames until the game is in play and nothing on the board moves (false if it never is).
    static bool rest(Game& game) {
        for (int i = 0; i < kRestFrameLimit; ++i) {
            if (gameState == GameState::Playing && !game.anyMoving()) return true;
            game.update(16);
        }
        return false;
    }

    // The bot's moves with undo and redo between them. Each step is checked against the
    // states the game had, kept here beside the game's own history.
    void playWithSteps(Game& game, Bot& bot) {
        std::vector<GameSnapshot> undoModel, redoModel;
        for (int i = 0; i < kBotMoves && rest(game); ++i) {
            const int choice = bot.below(10);
            if (choice >= 4) bot.aim(game);
            const GameSnapshot now = game.captureSnapshot();
            if (choice < 2) {
                ASSERT_EQ(undoSomehow(game, bot), !undoModel.empty());
                if (undoModel.empty()) continue;
                ASSERT_TRUE(played(game.captureSnapshot()) == played(undoModel.back()))
                    << "undo " << i << ": " << describe(game.captureSnapshot()) << " expected "
                    << describe(undoModel.back());
                undoModel.pop_back();
                redoModel.push_back(now);
                ++undone;
            } else if (choice < 4) {
                ASSERT_EQ(redoSomehow(game, bot), !redoModel.empty());
                if (redoModel.empty()) continue;
                ASSERT_TRUE(played(game.captureSnapshot()) == played(redoModel.back()))
                    << "redo " << i << ": " << describe(game.captureSnapshot());
                redoModel.pop_back();
                undoModel.push_back(now);
                ++redone;
            } else {
                const size_t before = game.history().undoCount();
                bot.pressAndRun(game);
                if (game.history().undoCount() > before) {
                    undoModel.push_back(now);
                    redoModel.clear();
                    EXPECT_EQ(game.history().redoCount(), 0u) << "a new move drops the redo";
                }
                if (game.anyMoving()) {
                    EXPECT_FALSE(game.undoMove()) << "undo waits until nothing moves";
                    EXPECT_FALSE(game.redoMove());
                    ++refusedWhileMoving;
                }
            }
            ASSERT_EQ(game.history().undoCount(), undoModel.size());
            ASSERT_EQ(game.history().redoCount(), redoModel.size());
        }
    }

    // Undoes every step; then the dealt board with no points shows. Redoes every step; then
    // the state before shows again.
    void undoAndRedoEverything(Game& game, const GameSnapshot& dealt) {
        ASSERT_TRUE(rest(game));
        const GameSnapshot end = game.captureSnapshot();
        const size_t steps = game.history().undoCount();
        for (size_t i = 0; i < steps; ++i) ASSERT_TRUE(game.undoMove()) << "undo " << i;
        EXPECT_FALSE(game.undoMove());
        const GameSnapshot first = game.captureSnapshot();
        EXPECT_TRUE(first.blocks == dealt.blocks) << "the dealt board is back";
        EXPECT_EQ(first.score, 0);
        // Steps left for redo before (moves taken back and not done again) stay behind these.
        const size_t leftBefore = game.history().redoCount() - steps;
        for (size_t i = 0; i < steps; ++i) ASSERT_TRUE(game.redoMove()) << "redo " << i;
        EXPECT_EQ(game.history().redoCount(), leftBefore);
        EXPECT_TRUE(played(game.captureSnapshot()) == played(end))
            << firstDifference(played(game.captureSnapshot()), played(end));
    }

    // Bot moves from a fixed bot seed, with the state after each.
    static std::vector<GameSnapshot> playOn(Game& game, uint32_t seed) {
        Bot bot(seed);
        std::vector<GameSnapshot> states;
        for (int i = 0; i < kReplayMoves; ++i) {
            bot.move(game);
            GameSnapshot state = game.captureSnapshot();
            states.push_back(played(state));
        }
        return states;
    }

    // Two runs of one seeded game: the bot's moves, a pause at rest, more moves. In the first
    // run, everything is taken back and done again during the pause; the moves after it must
    // do exactly what they do in the run without it.
    void continuesIdentically(const Factory& make, int difficultyLevel, uint32_t seed) {
        std::vector<GameSnapshot> runs[2];
        // What lives beyond one game (the trail's timer and path order) starts alike in both.
        const auto paths = PathSet::instance().order();
        const int pathCursor = PathSet::instance().cursor();
        for (int run = 0; run < 2; ++run) {
            Game::setTrailTiming(0, -1);
            SplineTrail::instance().stop();
            PathSet::instance().setOrder(paths, pathCursor);
            std::unique_ptr<Game> game = start(make, difficultyLevel, seed);
            Bot bot(seed * 31u + 7u);
            for (int i = 0; i < kReplayMoves; ++i) bot.move(*game);
            if (!rest(*game)) return;  // the game ended on the way: nothing to compare
            if (run == 0) {
                const size_t steps = game->history().undoCount();
                ASSERT_GT(steps, 0u);
                for (size_t i = 0; i < steps; ++i) ASSERT_TRUE(game->undoMove());
                for (size_t i = 0; i < steps; ++i) ASSERT_TRUE(game->redoMove());
            }
            runs[run] = playOn(*game, seed + 1);
        }
        ASSERT_EQ(runs[0].size(), runs[1].size());
        for (size_t i = 0; i < runs[0].size(); ++i)
            ASSERT_TRUE(runs[0][i] == runs[1][i])
                << "move " << i << ": " << firstDifference(runs[0][i], runs[1][i])
                << "\n  after undo and redo " << describe(runs[0][i]) << "\n  without "
                << describe(runs[1][i]);
    }

    void everything(const Factory& make, uint32_t seed) {
        for (int level : {int(Difficulty::Normal), int(Difficulty::Impossible)}) {
            SCOPED_TRACE("difficulty " + std::to_string(level) + ", seed " + std::to_string(seed));
            std::unique_ptr<Game> game = start(make, level, seed);
            ASSERT_TRUE(rest(*game));
            const GameSnapshot dealt = game->captureSnapshot();
            Bot bot(seed * 7919u + 1u);
            playWithSteps(*game, bot);
            if (HasFatalFailure()) return;
            if (gameState != GameState::Playing) continue;  // the game ended: nothing to undo
            ASSERT_GT(game->history().undoCount() + game->history().redoCount(), 0u);
            undoAndRedoEverything(*game, dealt);
            if (HasFatalFailure()) return;
            EXPECT_TRUE(game->isPractice());
            continuesIdentically(make, level, seed ^ 0x5eedu);
            if (HasFatalFailure()) return;
            ++seed;
        }
        EXPECT_GT(refusedWhileMoving, 0) << "the bot never tried to undo while blocks moved";
        EXPECT_GT(undone, 0);
        EXPECT_GT(redone, 0);
    }

    int refusedWhileMoving = 0;
    int undone = 0;
    int redone = 0;
};

TEST_F(UndoRedoBot, Remover) {
    everything([] { return std::make_unique<BrixelRemover>(); }, 21);
}

TEST_F(UndoRedoBot, Classic) {
    everything([] { return std::make_unique<BrixelGame>(); }, 31);
}

TEST_F(UndoRedoBot, Strategy) {
    everything([] { return std::make_unique<StrategyGame>(); }, 41);
}

TEST_F(UndoRedoBot, Advanced) {
    everything([] { return std::make_unique<AdvancedPuzzle>(); }, 51);
}

TEST_F(UndoRedoBot, Modern) {
    everything([] { return std::make_unique<PyramidPuzzle>(); }, 61);
}

TEST_F(UndoRedoBot, Puzzle) {
    const int count = LevelFiles::readCounts().puzzles;
    ASSERT_GT(count, 0);
    everything(
        [count] {
            auto puzzle = std::make_unique<BrixelPuzzle>();
            puzzle->levelIndex = count;  // the last puzzle is the largest
            return std::unique_ptr<Game>(std::move(puzzle));
        },
        71);
}

}  // namespace
}  // namespace brx
