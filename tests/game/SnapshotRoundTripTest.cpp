// A game saved at any moment and put back into a fresh game plays on exactly as the game it was
// taken from. For every mode, a bot plays a seeded game up to a chosen moment (during the
// intro, right after a click while blocks fly and fall, while an effect runs, while a full
// line waits to be pushed, during the outro, during a finishing fill, or after a random number
// of frames); there the game is settled and captured. The snapshot goes through the file's
// bytes and back, and that file cut at any byte is refused. The original game then plays 200
// more moves; a fresh game of the same mode restores the snapshot and must play the very same
// 200 moves into the very same states, random generator included. The bot draws from its own
// generator, so the game's draws are the game's.
#include <gtest/gtest.h>

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
#include "tests/game/FourModesTestKit.h"

namespace brx {
namespace {

constexpr int kMovesAfter = 200;
constexpr int kMomentFrameLimit = 3000;
constexpr int kEffectMoveLimit = 40;
constexpr int kLineAttempts = 50;

enum class Moment { Intro, AfterClick, Effect, LineWaiting, Outro, Fill, Random };

const char* momentName(Moment moment) {
    switch (moment) {
        case Moment::Intro:
            return "intro";
        case Moment::AfterClick:
            return "after a click";
        case Moment::Effect:
            return "effect";
        case Moment::LineWaiting:
            return "line waiting";
        case Moment::Outro:
            return "outro";
        case Moment::Fill:
            return "fill";
        default:
            return "random";
    }
}

std::string describe(const GameSnapshot& s) {
    std::ostringstream out;
    out << "mode " << s.mode << " state " << s.gameState << "/" << s.linePhase << "/"
        << s.resumeState << " score " << s.score << " level " << s.levelIndex << " lines "
        << s.linesLeft << "/" << s.linesTotal << " blocks " << s.blocks.size() << " next "
        << s.nextLine.size() << " random " << s.randomState << " spin " << s.spinTimer << " trail "
        << s.trailElapsedMs << "/" << s.trailIntervalMs;
    return out.str();
}

// The bot: one move is a pointer move onto a random block (now and then onto the tray below
// the board, or a Space), a frame for the hover, a press, then a few frames of random length.
class Bot {
public:
    explicit Bot(uint32_t seed) : rng_(seed) {}

    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng_); }

    void move(Game& game) {
        const int choice = below(20);
        if (choice == 0) {
            key(game, kKeySpace);
        } else if (choice == 1) {
            pointAtTray(game);
        } else {
            pointAtBlock(game);
        }
        game.update(16);
        InputEvent press;
        press.type = kInputButtonDown;
        press.button = kButtonLeft;
        game.onEvent(press);
        const int frames = 1 + below(6);
        for (int i = 0; i < frames; ++i) game.update(1 + below(60));
    }

    // A click that took blocks off the board (a bonus, or a group), or false after many tries.
    bool clickSomething(Game& game) {
        for (int attempt = 0; attempt < 200; ++attempt) {
            pointAtBlock(game);
            game.update(16);
            if (game.anyMoving()) continue;
            const size_t before = game.flyingBlocks().size();
            const int scoreBefore = game.score();
            InputEvent press;
            press.type = kInputButtonDown;
            press.button = kButtonLeft;
            game.onEvent(press);
            if (game.flyingBlocks().size() > before || game.score() > scoreBefore) return true;
        }
        return false;
    }

    // A press on the tray below the board (line modes complete their next line).
    static void clickTray(Game& game) {
        pointAtTray(game);
        InputEvent press;
        press.type = kInputButtonDown;
        press.button = kButtonLeft;
        game.onEvent(press);
    }

    static void key(Game& game, int code) {
        InputEvent event;
        event.type = kInputKeyDown;
        event.key = uint16_t(code);
        game.onEvent(event);
    }

private:
    static void pointAtTray(Game& game) { fourmodes::pointAtTray(game); }

    void pointAtBlock(Game& game) {
        fourmodes::pointAtSomeBlock(game, [this](int count) { return below(count); });
    }

    std::mt19937 rng_;
};

class SnapshotRoundTrip : public fourmodes::TrailModeTest {
protected:
    // Plays a seeded game of one mode up to the moment, then checks the restored twin.
    void roundTrip(const Factory& make, int difficultyLevel, Moment moment, uint32_t seed) {
        SCOPED_TRACE(std::string(momentName(moment)) + ", difficulty " +
                     std::to_string(difficultyLevel) + ", seed " + std::to_string(seed));
        difficulty = difficultyLevel;
        startLevel = 1 + int(seed % 3);
        seedRandom(seed);
        std::unique_ptr<Game> original = build(make);
        original->activate();
        Bot lead(seed * 7919u + 1u);
        reach(*original, lead, moment);
        if (HasFatalFailure()) return;

        original->settleForSnapshot();
        const GameSnapshot saved = original->captureSnapshot();
        std::string why;
        ASSERT_TRUE(saved.check(&why)) << why << "\n" << describe(saved);
        const std::string file = ResumeFile::encode(saved);
        const std::optional<GameSnapshot> read = ResumeFile::decode(file, &why);
        ASSERT_TRUE(read.has_value()) << why;
        ASSERT_TRUE(*read == saved) << "the file changed the game";
        // The real save cut at any byte is refused.
        for (size_t length = 0; length < file.size(); ++length)
            ASSERT_FALSE(ResumeFile::decode(std::string_view(file).substr(0, length), nullptr))
                << "cut at " << length;

        // Both games go on as a resumed game does: shown again, the intro first.
        original->activate();
        const std::vector<GameSnapshot> expected = playOn(*original, seed);
        original.reset();

        std::unique_ptr<Game> resumed = build(make);
        ASSERT_TRUE(resumed->fitsSnapshot(saved, &why)) << why;
        resumed->restoreSnapshot(saved);
        const GameSnapshot again = resumed->captureSnapshot();
        ASSERT_TRUE(again == saved) << describe(again) << "\n" << describe(saved);
        resumed->activate();
        const std::vector<GameSnapshot> actual = playOn(*resumed, seed);
        ASSERT_EQ(actual.size(), expected.size());
        for (size_t i = 0; i < expected.size(); ++i)
            ASSERT_TRUE(actual[i] == expected[i])
                << "move " << i << ":\n  resumed " << describe(actual[i]) << "\n  original "
                << describe(expected[i]);
    }

    static std::vector<GameSnapshot> playOn(Game& game, uint32_t seed) {
        Bot bot(seed ^ 0x5eedu);
        std::vector<GameSnapshot> states;
        for (int i = 0; i < kMovesAfter; ++i) {
            bot.move(game);
            states.push_back(game.captureSnapshot());
        }
        return states;
    }

    // Plays until the moment has come (no update after the event that makes it).
    void reach(Game& game, Bot& bot, Moment moment) {
        switch (moment) {
            case Moment::Intro:
                for (int i = bot.below(4); i > 0; --i) game.update(16);
                ASSERT_EQ(gameState, GameState::Intro);
                return;
            case Moment::AfterClick:
                finishIntro(game);
                for (int i = bot.below(5); i >= 0; --i)
                    ASSERT_TRUE(bot.clickSomething(game)) << "nothing to click";
                return;
            case Moment::Effect:
                // A bonus's effect where the mode has bonuses; else the score text of a group.
                finishIntro(game);
                for (int i = 0; i < kEffectMoveLimit && EffectList::instance().empty(); ++i)
                    bot.move(game);
                if (EffectList::instance().empty()) bot.clickSomething(game);
                game.update(16);
                return;
            case Moment::LineWaiting:
                // A full line waits for its push while removed blocks' neighbours still fall.
                finishIntro(game);
                for (int i = 0; i < kLineAttempts && linePhase != LinePhase::LineReady; ++i) {
                    bot.clickSomething(game);
                    Bot::clickTray(game);
                    game.update(16);
                }
                EXPECT_EQ(linePhase, LinePhase::LineReady);
                return;
            case Moment::Outro:
                finishIntro(game);
                bot.move(game);
                Bot::key(game, kKeyEscape);
                for (int i = bot.below(4); i > 0; --i) game.update(16);
                ASSERT_EQ(gameState, GameState::Outro);
                return;
            case Moment::Fill:
                finishIntro(game);
                reachFill(game, bot);
                return;
            default:
                finishIntro(game);
                for (int i = bot.below(120); i > 0; --i) bot.move(game);
                return;
        }
    }

    static void finishIntro(Game& game) {
        for (int i = 0; i < kMomentFrameLimit && gameState == GameState::Intro; ++i)
            game.update(16);
    }

    // A line mode one push from the level's end, played into its finishing fill; Remover's
    // board emptied but for one pair, cleared into its fill.
    void reachFill(Game& game, Bot& bot) {
        if (game.modeNumber() == GameMode::Remover) {
            game.clearBoard();
            game.placeBlock(0, rows - 1, fourmodes::plainBlock(game, Box::kRed));
            game.placeBlock(1, rows - 1, fourmodes::plainBlock(game, Box::kRed));
            ASSERT_TRUE(fourmodes::clickCell(game, 0, rows - 1));
        } else {
            game.linesLeft = 1;
        }
        // Strategy pushes its line after a move, the others when the timer has filled it.
        for (int i = 0; i < kMomentFrameLimit && gameState != GameState::LevelComplete; ++i)
            bot.move(game);
        ASSERT_EQ(gameState, GameState::LevelComplete);
        for (int i = bot.below(30); i > 0; --i) game.update(16 + bot.below(40));
    }

    // Every moment for one mode, on two difficulties (one of them the largest board).
    void everyMoment(const Factory& make, bool lineMode) {
        uint32_t seed = 11;
        for (int level : {int(Difficulty::Normal), int(Difficulty::Impossible)}) {
            for (Moment moment :
                 {Moment::Intro, Moment::AfterClick, Moment::Effect, Moment::LineWaiting,
                  Moment::Outro, Moment::Fill, Moment::Random}) {
                if (!lineMode && moment == Moment::LineWaiting) continue;
                roundTrip(make, level, moment, seed++);
                if (HasFatalFailure()) return;
            }
        }
    }
};

TEST_F(SnapshotRoundTrip, RemoverPlaysOnAsIfNeverInterrupted) {
    everyMoment([] { return std::make_unique<BrixelRemover>(); }, false);
}

TEST_F(SnapshotRoundTrip, ClassicPlaysOnAsIfNeverInterrupted) {
    everyMoment([] { return std::make_unique<BrixelGame>(); }, true);
}

TEST_F(SnapshotRoundTrip, StrategyPlaysOnAsIfNeverInterrupted) {
    everyMoment([] { return std::make_unique<StrategyGame>(); }, false);
}

TEST_F(SnapshotRoundTrip, AdvancedPlaysOnAsIfNeverInterrupted) {
    everyMoment([] { return std::make_unique<AdvancedPuzzle>(); }, true);
}

TEST_F(SnapshotRoundTrip, ModernPlaysOnAsIfNeverInterrupted) {
    everyMoment([] { return std::make_unique<PyramidPuzzle>(); }, true);
}

TEST_F(SnapshotRoundTrip, PuzzlePlaysOnAsIfNeverInterrupted) {
    const int count = LevelFiles::readCounts().puzzles;
    ASSERT_GT(count, 0);
    // Each game is built for the next puzzle, so the resumed one starts on another board than
    // the one it restores.
    int number = 0;
    const auto make = [&number, count] {
        auto puzzle = std::make_unique<BrixelPuzzle>();
        puzzle->levelIndex = 1 + (number++ % count);
        return std::unique_ptr<Game>(std::move(puzzle));
    };
    uint32_t seed = 500;
    for (Moment moment :
         {Moment::Intro, Moment::AfterClick, Moment::Effect, Moment::Outro, Moment::Random}) {
        roundTrip(make, Difficulty::Normal, moment, seed++);
        if (HasFatalFailure()) return;
    }
}

// The restore puts back a game of another state, not only into a fresh one: a game restored
// from its own earlier snapshot (as taking a move back does) is that earlier game again.
TEST_F(SnapshotRoundTrip, RestoringAnEarlierStateIntoTheSameGameRewindsIt) {
    difficulty = Difficulty::Hard;
    seedRandom(77);
    std::unique_ptr<Game> game = build([] { return std::make_unique<BrixelGame>(); });
    game->activate();
    finishIntro(*game);
    Bot bot(3);
    game->settleForSnapshot();
    const GameSnapshot before = game->captureSnapshot();
    for (int i = 0; i < 30; ++i) bot.move(*game);
    ASSERT_FALSE(game->captureSnapshot() == before) << "the moves changed nothing";
    game->restoreSnapshot(before);
    EXPECT_TRUE(game->captureSnapshot() == before);
    EXPECT_TRUE(game->flyingBlocks().empty());
}

}  // namespace
}  // namespace brx
