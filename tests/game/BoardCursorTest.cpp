// The board cursor: its rules on a bare board (never off the board, one cell a key, every cell
// reachable, a shrunk board), and in real games played with keys only: invariants after every
// frame, and the same play clicked with the pointer through the same cells in a twin game
// (same seed, same frames) ending on the same board and score, bonus blocks included.
#include "game/BoardCursor.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "core/Random.h"
#include "core/SystemSettings.h"
#include "game/BonusChooser.h"
#include "game/BrixelRemover.h"
#include "game/StrategyGame.h"
#include "tests/game/ClassicTestKit.h"
#include "tests/support/GLTestContext.h"

namespace brx {
namespace {

// --- rules ----------------------------------------------------------------------------------

TEST(BoardCursorRules, StartsHiddenInTheMiddleAndStopsAtEveryEdge) {
    BoardCursor cursor;
    cursor.reset(13, 16);
    EXPECT_FALSE(cursor.shown());
    EXPECT_EQ(cursor.column(13), 6);
    EXPECT_EQ(cursor.row(16), 8);
    EXPECT_TRUE(cursor.move(0, 0, 13, 16)) << "appearing counts as a change";
    EXPECT_TRUE(cursor.shown());
    EXPECT_FALSE(cursor.move(0, 0, 13, 16));
    for (int i = 0; i < 30; ++i) cursor.move(-1, -1, 13, 16);
    EXPECT_EQ(cursor.column(13), 0);
    EXPECT_EQ(cursor.row(16), 0);
    EXPECT_FALSE(cursor.move(-1, 0, 13, 16)) << "at the left edge nothing changes";
    for (int i = 0; i < 30; ++i) cursor.move(1, 1, 13, 16);
    EXPECT_EQ(cursor.column(13), 12);
    EXPECT_EQ(cursor.row(16), 15);
    EXPECT_TRUE(cursor.hide());
    EXPECT_FALSE(cursor.hide());
    EXPECT_TRUE(cursor.move(0, 0, 13, 16));
    EXPECT_EQ(cursor.column(13), 12) << "shown again where it was";
}

TEST(BoardCursorRules, ArrowKeysStepOneCellAndASnakeWalkVisitsEveryCell) {
    int dc = 0, dr = 0;
    EXPECT_TRUE(BoardCursor::arrowStep(kKeyLeft, &dc, &dr));
    EXPECT_EQ(std::make_pair(dc, dr), std::make_pair(-1, 0));
    EXPECT_TRUE(BoardCursor::arrowStep(kKeyDown, &dc, &dr));
    EXPECT_EQ(std::make_pair(dc, dr), std::make_pair(0, 1));
    EXPECT_FALSE(BoardCursor::arrowStep(kKeyEnter, &dc, &dr));
    EXPECT_FALSE(BoardCursor::arrowStep(kKeyN, &dc, &dr));

    constexpr int kColumns = 9, kRows = 7;
    BoardCursor cursor;
    cursor.reset(kColumns, kRows);
    for (int i = 0; i < kRows; ++i) cursor.move(0, -1, kColumns, kRows);
    for (int i = 0; i < kColumns; ++i) cursor.move(-1, 0, kColumns, kRows);
    std::set<std::pair<int, int>> visited{{cursor.column(kColumns), cursor.row(kRows)}};
    for (int row = 0; row < kRows; ++row) {
        const uint16_t across = row % 2 == 0 ? kKeyRight : kKeyLeft;
        for (int step = 1; step < kColumns; ++step) {
            const int before = cursor.column(kColumns);
            BoardCursor::arrowStep(across, &dc, &dr);
            cursor.move(dc, dr, kColumns, kRows);
            EXPECT_EQ(std::abs(cursor.column(kColumns) - before), 1) << "one cell a key";
            visited.insert({cursor.column(kColumns), cursor.row(kRows)});
        }
        BoardCursor::arrowStep(kKeyDown, &dc, &dr);
        cursor.move(dc, dr, kColumns, kRows);
        visited.insert({cursor.column(kColumns), cursor.row(kRows)});
    }
    EXPECT_EQ(visited.size(), std::size_t(kColumns * kRows));
}

TEST(BoardCursorRules, ABoardThatShrankKeepsTheCellInside) {
    BoardCursor cursor;
    cursor.reset(20, 20);
    for (int i = 0; i < 20; ++i) cursor.move(1, 1, 20, 20);
    EXPECT_EQ(cursor.column(10), 9);
    EXPECT_EQ(cursor.row(5), 4);
    cursor.move(-1, 0, 10, 5);
    EXPECT_EQ(cursor.column(10), 8);
    BoardCursor empty;
    empty.reset(0, 0);
    EXPECT_EQ(empty.column(0), 0);
    EXPECT_EQ(empty.row(0), 0);
}

// --- in a game --------------------------------------------------------------------------------

class BoardCursorGame : public testkit::LineModeGL {
protected:
    static constexpr int kFrameMs = 16;

    static bool key(Game& game, uint16_t code, uint16_t flags = 0) {
        InputEvent event;
        event.type = kInputKeyDown;
        event.key = code;
        event.flags = flags;
        return game.onEvent(event);
    }
    // The pointer onto a cell's centre, its group picked as a frame would, then a press.
    static void clickCell(Game& game, int column, int row) {
        float x = 0.0f, y = 0.0f;
        ASSERT_TRUE(game.gameCamera()->projectToWindow(game.cellPosition(column, row), &x, &y));
        InputEvent move;
        move.type = kInputPointerMove;
        move.x = int16_t(x);
        move.y = int16_t(y);
        game.onEvent(move);
        if (!game.anyMoving()) game.updateHover();
        InputEvent press = move;
        press.type = kInputButtonDown;
        press.button = kButtonLeft;
        game.onEvent(press);
    }
    // While the cursor shows on a still board, the selection is the group under it.
    static void checkInvariants(const Game& game) {
        const int c = game.boardCursor.column(columns), r = game.boardCursor.row(rows);
        ASSERT_GE(c, 0);
        ASSERT_LT(c, columns);
        ASSERT_GE(r, 0);
        ASSERT_LT(r, rows);
        if (!game.boardCursor.shown() || game.anyMoving() || gameState != GameState::Playing)
            return;
        const Box* under = game.blockAt(c, r);
        if (!under) {
            EXPECT_TRUE(game.selection.empty()) << "an empty cell selects nothing";
            return;
        }
        const Board::Cell cell{c, r};
        EXPECT_NE(std::find(game.selection.begin(), game.selection.end(), cell),
                  game.selection.end())
            << "the group under the cursor is the selection";
        for (const Board::Cell& member : game.selection) {
            const Box* block = game.blockAt(member.column, member.row);
            ASSERT_NE(block, nullptr);
            if (!under->isBonus) {
                EXPECT_EQ(block->colour, under->colour);
            }
        }
    }
};

// A bot presses arrows and Enter only; its game is then replayed with pointer clicks through
// the cells where Enter was pressed, and both must agree block for block.
TEST_F(BoardCursorGame, KeysOnlyPlayEqualsClickingTheSameCellsInATwinGame) {
    for (uint32_t seed : {3u, 11u, 29u}) {
        SCOPED_TRACE(seed);
        BrixelRemover& keyed = start<BrixelRemover>(Difficulty::Normal, seed);
        std::mt19937 bot(seed);  // the bot's own choices, apart from the game's generator
        const auto pick = [&bot](int below) { return int(bot() % uint32_t(below)); };
        std::vector<std::pair<int, int>> enters;  // frame, cell as column * 100 + row
        int removals = 0;
        constexpr int kFrames = 400;
        for (int frame = 0; frame < kFrames && gameState == GameState::Playing; ++frame) {
            const int choice = pick(100);
            if (choice < 70) {
                static constexpr uint16_t kArrows[] = {kKeyLeft, kKeyRight, kKeyUp, kKeyDown};
                EXPECT_TRUE(key(keyed, kArrows[pick(4)]));
            } else if (choice < 90 && keyed.boardCursor.shown()) {
                const int before = keyed.board.blockCount();
                enters.push_back(
                    {frame, keyed.boardCursor.column(columns) * 100 + keyed.boardCursor.row(rows)});
                EXPECT_TRUE(key(keyed, kKeyEnter));
                if (keyed.board.blockCount() < before) ++removals;
            }
            keyed.update(kFrameMs);
            ASSERT_NO_FATAL_FAILURE(checkInvariants(keyed));
        }
        EXPECT_GT(removals, 0) << "the bot never removed a group";
        const std::string keyedPicture = testkit::picture(keyed);
        const int keyedScore = keyed.score();
        const int framesPlayed = kFrames;

        BrixelRemover& clicked = start<BrixelRemover>(Difficulty::Normal, seed);
        std::size_t next = 0;
        for (int frame = 0; frame < framesPlayed && gameState == GameState::Playing; ++frame) {
            if (next < enters.size() && enters[next].first == frame) {
                clickCell(clicked, enters[next].second / 100, enters[next].second % 100);
                ++next;
            }
            clicked.update(kFrameMs);
        }
        EXPECT_EQ(testkit::picture(clicked), keyedPicture);
        EXPECT_EQ(clicked.score(), keyedScore);
    }
}

// Enter on a bonus block fires it, as a click on it does.
TEST_F(BoardCursorGame, EnterOnABonusBlockFiresItAsAClickDoes) {
    for (int32_t kind :
         {BonusChooser::kBigBomb, BonusChooser::kRowRemover, BonusChooser::kFirstColourBomb + 1}) {
        SCOPED_TRACE(kind);
        std::string pictures[2];
        int scores[2] = {0, 0};
        for (int twin = 0; twin < 2; ++twin) {
            auto& game = start<testkit::OpenClassic>(Difficulty::Normal, 5);
            holdStill(game);
            const int c = columns / 2, r = rows / 2;
            testkit::putBonus(game, c, r, kind);
            if (twin == 0) {
                EXPECT_TRUE(key(game, kKeyRight));
                EXPECT_TRUE(key(game, kKeyLeft));  // back on the middle cell, shown
                EXPECT_TRUE(key(game, kKeyEnter));
            } else {
                clickCell(game, c, r);
            }
            EXPECT_TRUE(game.blockAt(c, r) == nullptr || !game.blockAt(c, r)->isBonus)
                << "the bonus went off";
            testkit::settle(game, kFrameMs);
            pictures[twin] = testkit::picture(game);
            scores[twin] = game.score();
        }
        EXPECT_EQ(pictures[0], pictures[1]);
        EXPECT_EQ(scores[0], scores[1]);
    }
}

// N calls the next line as the tray does; Ctrl+N leaves for game selection instead.
TEST_F(BoardCursorGame, NTakesTheNextLineAndCtrlNLeavesForGameSelection) {
    auto& game = start<testkit::OpenClassic>(Difficulty::Normal, 8);
    holdStill(game);
    ASSERT_LT(game.filledSlots(), columns);
    EXPECT_TRUE(key(game, kKeyN, kFlagControl));
    EXPECT_LT(game.filledSlots(), columns) << "Ctrl+N is not N";
    ASSERT_FALSE(host.requests.empty());
    EXPECT_EQ(host.requests.back(), kScreenSelectGame);
    EXPECT_TRUE(key(game, kKeyN));
    EXPECT_EQ(game.filledSlots(), columns);
}

// In Strategy, N and a click on the tray both complete the next line and ask for its push.
TEST_F(BoardCursorGame, StrategysNEqualsAClickOnTheTray) {
    int phases[2] = {0, 0};
    std::string pictures[2];
    // The decorative trail shares the generator and outlives a game: both twins start from
    // the same trail timer and the same generator state, or the trail's draws would differ.
    int trailElapsedMs = 0, trailIntervalMs = 0;
    Game::trailTiming(&trailElapsedMs, &trailIntervalMs);
    for (int twin = 0; twin < 2; ++twin) {
        Game::setTrailTiming(trailElapsedMs, trailIntervalMs);
        auto& game = start<testkit::Open<StrategyGame>>(Difficulty::Normal, 12);
        holdStill(game);
        game.update(kFrameMs);  // the next line is prepared in the first update
        ASSERT_NE(linePhase, LinePhase::LineReady);
        seedRandom(12);
        const int linesBefore = game.linesLeft;
        if (twin == 0) {
            EXPECT_TRUE(key(game, kKeyN));
        } else {
            float x = 0.0f, y = 0.0f;
            ASSERT_TRUE(game.gameCamera()->projectToWindow(game.slotPosition(columns / 2), &x, &y));
            InputEvent press;
            press.type = kInputButtonDown;
            press.x = int16_t(x);
            press.y = int16_t(y);
            InputEvent move = press;
            move.type = kInputPointerMove;
            game.onEvent(move);
            game.onEvent(press);
        }
        EXPECT_EQ(game.filledSlots(), columns);
        phases[twin] = linePhase;
        testkit::settle(game, kFrameMs);
        EXPECT_EQ(game.linesLeft, linesBefore - 1) << "the line was pushed";
        pictures[twin] = testkit::picture(game);
    }
    EXPECT_EQ(phases[0], LinePhase::LineReady);
    EXPECT_EQ(phases[1], LinePhase::LineReady);
    EXPECT_EQ(pictures[0], pictures[1]);
}

// A finished game answers Ctrl+N as Escape: to the high scores, so its result is filed.
TEST_F(BoardCursorGame, CtrlNOnAFinishedGameGoesToTheHighScoresFirst) {
    auto& game = start<testkit::OpenClassic>(Difficulty::Normal, 13);
    holdStill(game);
    gameState = GameState::GameOver;
    EXPECT_TRUE(key(game, kKeyN, kFlagControl));
    ASSERT_FALSE(host.requests.empty());
    EXPECT_EQ(host.requests.back(), kScreenHighScores);
}

// The pointer hides the cursor (and takes the selection back); the next arrow shows it where
// it was; an Enter while it is hidden only shows it; Space still shakes.
TEST_F(BoardCursorGame, ThePointerHidesTheCursorAndTheNextArrowShowsItAgain) {
    auto& game = start<testkit::OpenClassic>(Difficulty::Normal, 9);
    holdStill(game);
    const int before = game.board.blockCount();
    EXPECT_TRUE(key(game, kKeyEnter));
    EXPECT_TRUE(game.boardCursor.shown());
    EXPECT_EQ(game.board.blockCount(), before) << "the first Enter only shows the cursor";
    key(game, kKeyUp);
    const int c = game.boardCursor.column(columns), r = game.boardCursor.row(rows);
    InputEvent move;
    move.type = kInputPointerMove;
    move.x = 5;
    move.y = 5;  // the top-left corner, over no block
    game.onEvent(move);
    EXPECT_FALSE(game.boardCursor.shown());
    game.update(kFrameMs);
    EXPECT_TRUE(game.selection.empty()) << "the pointer picks again";
    testkit::put(game, c, r + 1, Box::kBlue);
    key(game, kKeyDown);
    EXPECT_TRUE(game.boardCursor.shown());
    EXPECT_EQ(game.boardCursor.column(columns), c);
    EXPECT_EQ(game.boardCursor.row(rows), r + 1);
    game.update(kFrameMs);
    EXPECT_FALSE(game.selection.empty());
    key(game, kKeySpace);
    EXPECT_TRUE(game.shaking());
}

// The frame shows on every block colour in every skin: a dark band and a light one, both
// drawn over the block at the frame's edge, and nothing of it while the cursor is hidden.
TEST_F(BoardCursorGame, TheFrameStandsOutOnEveryColourAndSkin) {
    auto& game = start<testkit::OpenClassic>(Difficulty::Hard, 4);
    holdStill(game);
    const int c = columns / 2, r = rows / 2;
    key(game, kKeyUp);
    key(game, kKeyDown);  // shown on the middle cell
    float x = 0.0f, y = 0.0f;
    const Vector3 centre = game.cellPosition(c, r);
    ASSERT_TRUE(game.gameCamera()->projectToWindow(
        {centre.x + BoardCursor::kFrameHalfSide, centre.y, centre.z + BoardCursor::kFrameDepth}, &x,
        &y));
    const auto tally = [&](int* dark, int* light) {
        game.draw();
        const std::vector<uint8_t> pixels =
            testsupport::readPixels(int(x) - 6, 600 - int(y) - 6, 12, 12);
        *dark = *light = 0;
        for (std::size_t i = 0; i + 3 < pixels.size(); i += 4) {
            const int low = std::min({pixels[i], pixels[i + 1], pixels[i + 2]});
            const int high = std::max({pixels[i], pixels[i + 1], pixels[i + 2]});
            *dark += high < 40 ? 1 : 0;
            *light += low > 215 ? 1 : 0;
        }
    };
    for (int skin = 0; skin < 3; ++skin) {
        SystemSettings::instance().skinIndex = skin;
        for (int colour = Box::kRed; colour <= Box::kYellow; ++colour) {
            SCOPED_TRACE(std::to_string(skin) + "/" + std::to_string(colour));
            testkit::put(game, c, r, colour);
            testkit::put(game, c + 1, r, colour);
            int dark = 0, light = 0;
            tally(&dark, &light);
            EXPECT_GE(dark, 6);
            EXPECT_GE(light, 6);
        }
    }
    SystemSettings::instance().skinIndex = 0;
    testkit::put(game, c, r, Box::kRed);
    testkit::put(game, c + 1, r, Box::kRed);
    game.boardCursor.hide();
    int dark = 0, light = 0;
    tally(&dark, &light);
    EXPECT_LT(dark, 6) << "a red block shows no dark band of its own";
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

}  // namespace
}  // namespace brx
