// When undo and redo act and what they bring back, on boards laid out by hand: the keys and the
// buttons, the refusals (intro, moving blocks, a finished game), the stuck puzzle that may still
// be taken back, Classic's line that rose since the move, the practice mark that redo does not
// lift, and the packed history: its size over a long game, and damaged bytes refused.
#include <gtest/gtest.h>

#include <cstdio>
#include <random>
#include <string>

#include "engine/OTextStack.h"
#include "game/BrixelGame.h"
#include "game/BrixelPuzzle.h"
#include "game/BrixelRemover.h"
#include "game/HintFinder.h"
#include "game/StrategyGame.h"
#include "game/UndoHistory.h"
#include "tests/game/FourModesTestKit.h"

namespace brx {
namespace {

using fourmodes::keyDown;
using fourmodes::layBottom;
using fourmodes::plainBlock;
using fourmodes::settle;

class UndoRules : public fourmodes::ModeTest {
protected:
    static const OTextStack* button(const Game& game, int id) {
        for (size_t i = 0; i < game.controlCount(); ++i)
            if (game.control(i)->controlId() == id)
                return dynamic_cast<const OTextStack*>(game.control(i));
        return nullptr;
    }
};

TEST_F(UndoRules, KeysAndButtonsTakeTheMoveBackAndDoItAgain) {
    auto game = makeMode<BrixelRemover>();
    layBottom(*game, {{0, 2, 0, 0}, {1, 1, 3, 3}});
    const GameSnapshot before = game->captureSnapshot();
    EXPECT_FALSE(game->canUndo());
    ASSERT_TRUE(fourmodes::clickCell(*game, 0, rows - 1));
    settle(*game);
    const GameSnapshot after = game->captureSnapshot();
    ASSERT_GT(after.score, 0);
    EXPECT_FALSE(game->isPractice()) << "playing on is not practice";

    EXPECT_TRUE(game->onEvent(keyDown(Game::kKeyUndo, kFlagControl)));
    GameSnapshot now = game->captureSnapshot();
    EXPECT_TRUE(now.blocks == before.blocks);
    EXPECT_EQ(now.score, 0);
    EXPECT_TRUE(game->isPractice());
    EXPECT_TRUE(game->canRedo());
    EXPECT_FALSE(game->onEvent(keyDown(Game::kKeyUndo, 0))) << "Z alone is no undo";

    game->onEvent(keyDown(Game::kKeyRedo, kFlagControl));
    now = game->captureSnapshot();
    EXPECT_TRUE(now.blocks == after.blocks);
    EXPECT_EQ(now.score, after.score);

    game->onCommand(Game::kUndoButtonId, 0);
    EXPECT_EQ(game->captureSnapshot().score, 0);
    game->onEvent(keyDown(Game::kKeyUndo, kFlagControl | kFlagShift));
    EXPECT_EQ(game->captureSnapshot().score, after.score) << "Ctrl+Shift+Z redoes";
    game->onCommand(Game::kUndoButtonId, 0);
    game->onCommand(Game::kRedoButtonId, 0);
    EXPECT_EQ(game->captureSnapshot().score, after.score);
    EXPECT_TRUE(game->isPractice()) << "redo does not make the game ranked again";
}

TEST_F(UndoRules, TheButtonsAreGreyedWhileThereIsNothingForThem) {
    auto game = makeMode<BrixelRemover>();
    layBottom(*game, {{1, 0, 0}, {2, 0, 0}, {3, 3, 2}});
    const OTextStack* undo = button(*game, Game::kUndoButtonId);
    const OTextStack* redo = button(*game, Game::kRedoButtonId);
    ASSERT_NE(undo, nullptr);
    ASSERT_NE(redo, nullptr);
    settle(*game);  // the columns close up toward the middle first
    EXPECT_FALSE(undo->enabled());
    EXPECT_FALSE(redo->enabled());
    int green = 0;
    while (green < columns && !game->blockAt(green, rows - 1)) ++green;
    ASSERT_TRUE(fourmodes::clickCell(*game, green, rows - 1));
    game->update(fourmodes::kFrameMs);
    EXPECT_FALSE(undo->enabled()) << "greyed while the blocks fall";
    settle(*game);
    game->update(fourmodes::kFrameMs);  // the buttons follow in the frame after the rest
    EXPECT_TRUE(undo->enabled());
    EXPECT_FALSE(redo->enabled());
    game->onCommand(Game::kUndoButtonId, 0);
    game->update(fourmodes::kFrameMs);
    EXPECT_FALSE(undo->enabled());
    EXPECT_TRUE(redo->enabled());
}

TEST_F(UndoRules, ANewMoveAfterAnUndoDropsTheRedoSteps) {
    auto game = makeMode<BrixelRemover>();
    layBottom(*game, {{1, 1, 0, 2, 2}});
    ASSERT_TRUE(fourmodes::clickCell(*game, 0, rows - 1));
    settle(*game);
    ASSERT_TRUE(game->undoMove());
    ASSERT_TRUE(fourmodes::clickCell(*game, 3, rows - 1));
    settle(*game);
    EXPECT_FALSE(game->canRedo());
    EXPECT_EQ(game->history().undoCount(), 1u);
}

TEST_F(UndoRules, RefusedDuringTheIntroWhileBlocksFallAndAfterTheEnd) {
    auto game = makeMode<BrixelRemover>();
    layBottom(*game, {{1, 0}, {2, 0}, {3, 3}});
    ASSERT_TRUE(fourmodes::clickCell(*game, 0, rows - 1));
    ASSERT_TRUE(game->anyMoving()) << "the blocks above the pair fall";
    EXPECT_FALSE(game->canUndo());
    EXPECT_FALSE(game->undoMove());
    settle(*game);
    // Three single blocks are left: the game is over and stays over.
    ASSERT_EQ(gameState, GameState::GameOver);
    EXPECT_FALSE(game->undoMove());
    EXPECT_EQ(gameState, GameState::GameOver);

    auto fresh = makeMode<BrixelRemover>();
    layBottom(*fresh, {{1, 1, 2, 2}});
    ASSERT_TRUE(fourmodes::clickCell(*fresh, 0, rows - 1));
    settle(*fresh);
    fresh->activate();
    ASSERT_EQ(gameState, GameState::Intro);
    EXPECT_FALSE(fresh->undoMove());
    EXPECT_EQ(gameState, GameState::Intro);
}

TEST_F(UndoRules, AStuckPuzzleIsTakenBackWhileItsPictureShowsButASolvedOneIsNot) {
    auto game = makeMode<BrixelPuzzle>();
    game->selectPuzzle(1);
    layBottom(*game, {{0, 0, 0, 0, 1, 1, 1, 2, 0, 2, 0, 0}});
    const GameSnapshot before = game->captureSnapshot();
    ASSERT_TRUE(fourmodes::clickCell(*game, 4, rows - 1));
    settle(*game);
    ASSERT_EQ(gameState, GameState::GameOver);
    game->update(fourmodes::kFrameMs);
    EXPECT_EQ(linePhase, LinePhase::Finished);
    ASSERT_TRUE(game->canUndo());
    ASSERT_TRUE(game->onEvent(keyDown(Game::kKeyUndo, kFlagControl)));
    EXPECT_EQ(gameState, GameState::Playing) << "the undo returns the puzzle to play";
    EXPECT_NE(linePhase, LinePhase::Finished);
    EXPECT_EQ(resumeState, ResumeState::Normal);
    EXPECT_TRUE(game->captureSnapshot().blocks == before.blocks);
    game->update(fourmodes::kFrameMs);
    EXPECT_EQ(gameState, GameState::Playing) << "nothing ends it again by itself";

    layBottom(*game, {{0, 0, 0, 0, 3, 3, 3, 0, 0, 0, 0, 0}});
    ASSERT_TRUE(fourmodes::clickCell(*game, 4, rows - 1));
    settle(*game);
    ASSERT_EQ(gameState, GameState::LevelComplete);
    EXPECT_FALSE(game->undoMove()) << "a solved puzzle stays solved";
}

TEST_F(UndoRules, ClassicTakesBackTheLineThatRoseSinceTheMove) {
    auto game = makeMode<BrixelGame>();
    layBottom(*game, {{1, 1, 1, 2}});
    const int linesBefore = game->linesLeft;
    ASSERT_TRUE(fourmodes::clickCell(*game, 0, rows - 1));
    settle(*game);
    // The tray click completes the line, which is pushed once nothing moves.
    for (int i = 0; i < 400 && game->linesLeft == linesBefore; ++i) {
        game->fillNextLine();
        game->update(fourmodes::kFrameMs);
    }
    ASSERT_EQ(game->linesLeft, linesBefore - 1);
    settle(*game);
    ASSERT_TRUE(game->undoMove());
    EXPECT_EQ(game->linesLeft, linesBefore);
    EXPECT_EQ(fourmodes::countBlocks(*game), 4);
    EXPECT_EQ(game->score(), 0);
}

TEST_F(UndoRules, EachTrayClickIsAStepOfItsOwn) {
    auto game = makeMode<StrategyGame>();
    settle(*game);
    const GameSnapshot before = game->captureSnapshot();
    game->recordMove();  // what the tray click does before it completes the line
    game->fillNextLine();
    linePhase = LinePhase::LineReady;
    settle(*game);
    ASSERT_NE(game->linesLeft, before.linesLeft) << "the line went in";
    ASSERT_TRUE(game->undoMove());
    EXPECT_EQ(game->linesLeft, before.linesLeft);
    EXPECT_TRUE(game->captureSnapshot().blocks == before.blocks);
}

// A long Classic game (three colours on Easy), every removal kept: the packed steps stay small.
// The bot mostly takes the best group and lets a few frames pass between its clicks, so the
// lines keep coming and the game runs over several levels. The figures are printed for the
// record.
TEST_F(UndoRules, TheHistoryOfALongGameStaysSmall) {
    difficulty = Difficulty::Easy;
    auto game = makeMode<BrixelGame>();
    std::mt19937 bot(5);
    size_t snapshotBytes = 0;
    for (int frame = 0; frame < 200000 && game->history().undoCount() < 1000; ++frame) {
        game->update(fourmodes::kFrameMs);
        if (gameState == GameState::GameOver) break;
        if (gameState != GameState::Playing || game->anyMoving() || frame % 8 != 0) continue;
        Hint best = HintFinder::bestGroup(game->board);
        Box::Cell cell{int(bot() % unsigned(columns)), int(bot() % unsigned(rows))};
        if (!best.cells.empty() && bot() % 4 != 0) cell = best.cells.front();
        const size_t steps = game->history().undoCount();
        const GameSnapshot now = game->captureSnapshot();
        fourmodes::clickCell(*game, cell.column, cell.row);
        if (game->history().undoCount() > steps)
            snapshotBytes +=
                sizeof(GameSnapshot) +
                (now.blocks.size() + now.nextLine.size()) * sizeof(GameSnapshot::Block) +
                (now.layoutOrder.size() + now.pathOrder.size()) * sizeof(int32_t);
    }
    const size_t steps = game->history().undoCount();
    ASSERT_GE(steps, 300u) << "state " << gameState << " level " << game->levelIndex;
    const size_t packed = game->history().packedBytes();
    std::printf(
        "history: %zu steps over %d levels, %zu bytes packed (%zu a step), %zu bytes "
        "as snapshots\n",
        steps, game->levelIndex + 1, packed, packed / steps, snapshotBytes);
    EXPECT_LT(packed / steps, 600u) << "a step packs into a few hundred bytes";
    EXPECT_LT(packed * 2, snapshotBytes) << "packing saves most of the room";
    // Taking every step back still gives a board without points.
    while (game->canUndo()) ASSERT_TRUE(game->undoMove());
    EXPECT_EQ(game->score(), 0);
}

TEST_F(UndoRules, PackedStepsAndHistoriesRoundTripAndDamageIsRefused) {
    auto game = makeMode<BrixelRemover>();
    settle(*game);
    const GameSnapshot full = game->captureSnapshot();
    const std::string packed = UndoHistory::pack(full);
    std::string why;
    const std::optional<GameSnapshot> back = UndoHistory::unpack(packed, &why);
    ASSERT_TRUE(back.has_value()) << why;
    EXPECT_TRUE(*back == full);

    // Every cut-short step is refused, never read past its end.
    for (size_t length = 0; length < packed.size(); ++length)
        EXPECT_FALSE(UndoHistory::unpack(packed.substr(0, length), nullptr)) << length;
    // A cell naming a block kind the step does not list is refused.
    std::string bad = packed;
    const size_t firstCell = 3 + 8 * size_t(uint8_t(packed[2]));  // flag, count, palette
    bad[firstCell + size_t(rows) - 1] = char(0x7f);
    EXPECT_FALSE(UndoHistory::unpack(bad, &why));

    ASSERT_TRUE(fourmodes::clickCell(*game, 0, rows - 1) || true);
    settle(*game);
    game->recordMove();
    settle(*game);
    ASSERT_TRUE(game->undoMove());
    const std::string bytes = game->history().encode();
    const std::optional<UndoHistory> read = UndoHistory::decode(bytes, &why);
    ASSERT_TRUE(read.has_value()) << why;
    EXPECT_EQ(read->undoCount(), game->history().undoCount());
    EXPECT_EQ(read->redoCount(), game->history().redoCount());
    EXPECT_EQ(read->encode(), bytes);
    for (size_t length = 0; length < bytes.size(); ++length)
        EXPECT_FALSE(UndoHistory::decode(bytes.substr(0, length), nullptr)) << length;
    EXPECT_FALSE(UndoHistory::decode(bytes + "x", &why)) << "stray bytes";
    std::string huge = bytes;
    huge[0] = huge[1] = huge[2] = char(0xff);
    EXPECT_FALSE(UndoHistory::decode(huge, &why)) << "more steps than bytes";
}

// Quitting keeps the game in the resume file: its history goes along in a section of its own,
// so the resumed game can take back the moves made before, and it is still practice.
TEST_F(UndoRules, AResumedGameKeepsItsHistoryAndItsPracticeMark) {
    auto game = makeMode<BrixelRemover>();
    layBottom(*game, {{1, 1, 0, 2, 2, 0, 3, 3}});
    const GameSnapshot dealt = game->captureSnapshot();
    ASSERT_TRUE(fourmodes::clickCell(*game, 0, rows - 1));
    settle(*game);
    int blue = 0;  // the close-up has moved the blue pair
    while (blue < columns &&
           !(game->blockAt(blue, rows - 1) && game->blockAt(blue, rows - 1)->colour == Box::kBlue))
        ++blue;
    ASSERT_TRUE(fourmodes::clickCell(*game, blue, rows - 1));
    settle(*game);
    ASSERT_TRUE(game->undoMove());
    game->settleForSnapshot();
    const std::string file = ResumeFile::encode(game->captureSnapshot(), {game->historySection()});
    game.reset();

    std::string why;
    std::vector<ResumeSection> sections;
    const std::optional<GameSnapshot> read = ResumeFile::decode(file, &why, &sections);
    ASSERT_TRUE(read.has_value()) << why;
    auto resumed = makeMode<BrixelRemover>();
    resumed->restoreSnapshot(*read);
    EXPECT_TRUE(resumed->isPractice()) << "a resumed practice game stays one";
    ASSERT_TRUE(resumed->restoreHistory(sections));
    EXPECT_TRUE(resumed->canUndo());
    EXPECT_TRUE(resumed->canRedo());
    ASSERT_TRUE(resumed->undoMove());
    EXPECT_TRUE(resumed->captureSnapshot().blocks == dealt.blocks);
    EXPECT_EQ(resumed->score(), 0);

    // A damaged section leaves the resumed game playable, without a history.
    sections.front().bytes.resize(sections.front().bytes.size() / 2);
    EXPECT_FALSE(resumed->restoreHistory(sections));
    EXPECT_FALSE(resumed->canUndo());
    EXPECT_FALSE(resumed->restoreHistory({})) << "an old file without a history";
}

}  // namespace
}  // namespace brx
