// Classic rules a player notices, on the real archive: the first rows of a seeded game, pushes
// and the game over they bring, the next line (full line, bonuses never repeating, danger
// spacing), short or missing tuning tables, the tray click, and the finishing fill.
#include <set>

#include "core/SystemSettings.h"
#include "game/BonusChooser.h"
#include "tests/game/ClassicTestKit.h"

namespace brx {
namespace {

using testkit::OpenClassic;
using testkit::picture;
using testkit::put;

class ClassicRules : public testkit::LineModeGL {};

TEST_F(ClassicRules, ANewGameFillsTheFourBottomRowsColumnByColumnWithThreeColours) {
    for (int level = 0; level < 4; ++level) {
        OpenClassic& game = start<OpenClassic>(level, 7);
        EXPECT_EQ(columns, level < 2 ? 12 : level == 2 ? 14 : 16);
        EXPECT_EQ(rows, level < 3 ? 16 : 18);
        // The same seed gives the same board; the colours come two draws per block (the
        // second, 1 to 3, decides), column 0 first and the top row first within a column.
        seedRandom(1234);
        game.newBoard();
        seedRandom(1234);
        for (int c = 0; c < columns; ++c) {
            for (int r = 0; r < rows; ++r) {
                const Box* block = game.blockAt(c, r);
                if (r < rows - BrixelGame::kFirstRows) {
                    EXPECT_EQ(block, nullptr) << c << "," << r;
                    continue;
                }
                ASSERT_NE(block, nullptr) << c << "," << r;
                random(1, 5);
                EXPECT_EQ(block->colour, random(1, 3)) << c << "," << r;
                EXPECT_EQ(block->position(), game.cellPosition(c, r));
                EXPECT_FALSE(block->isBonus);
            }
        }
        EXPECT_EQ(game.filledSlots(), 0);
        EXPECT_EQ(game.linesLeft, 25);
    }
}

TEST_F(ClassicRules, ASeededGameStartsWithTheSameRowsEveryTime) {
    const std::string first = picture(start<OpenClassic>(1, 42));
    const std::string second = picture(start<OpenClassic>(1, 42));
    EXPECT_EQ(first, second);
    EXPECT_NE(first, picture(start<OpenClassic>(1, 43)));
}

TEST_F(ClassicRules, APushRaisesEveryColumnAndBringsTheLineIn) {
    OpenClassic& game = start<OpenClassic>(1);
    holdStill(game);
    const std::string before = picture(game);
    game.fillNextLine();
    std::vector<Box*> line;
    for (int i = 0; i < columns; ++i) line.push_back(game.slotBlock(i));
    game.pushLine();
    EXPECT_EQ(gameState, GameState::Playing);
    EXPECT_EQ(game.linesLeft, 24);
    EXPECT_EQ(game.filledSlots(), 0);
    // Every row moved up by one; the old bottom row is now second from the bottom.
    const std::string after = picture(game);
    EXPECT_EQ(after.substr(0, before.size() - (columns + 1)),
              before.substr(columns + 1, before.size() - (columns + 1)));
    for (int c = 0; c < columns; ++c) {
        EXPECT_EQ(game.blockAt(c, rows - 1), line[c]);
        for (int r = 0; r < rows; ++r)
            if (const Box* block = game.blockAt(c, r)) {
                EXPECT_EQ(block->position(), game.cellPosition(c, r));
            }
    }
}

TEST_F(ClassicRules, APushWithABlockInRowOneEndsTheGameAndMovesNothing) {
    OpenClassic& game = start<OpenClassic>(2);
    holdStill(game);
    put(game, 5, 1, Box::kBlue);
    game.fillNextLine();
    const std::string before = picture(game);
    game.pushLine();
    EXPECT_EQ(gameState, GameState::GameOver);
    EXPECT_EQ(linePhase, LinePhase::Finished);
    EXPECT_EQ(resumeState, ResumeState::Normal) << "the end is told by the state and line phase";
    EXPECT_EQ(picture(game), before);
    EXPECT_EQ(game.linesLeft, 25);
    // After the game-over time the high-score screen is asked for, once.
    game.gameOverTime = 100;
    for (int i = 0; i < 3; ++i) game.update(30);
    EXPECT_TRUE(host.requests.empty());
    game.update(30);
    ASSERT_EQ(host.requests.size(), 1u);
    EXPECT_EQ(host.requests[0], kScreenHighScores);
}

TEST_F(ClassicRules, TheLastSlotFillingMakesTheLineReadyAndItIsPushedOnceStill) {
    OpenClassic& game = start<OpenClassic>(0);
    holdStill(game);
    game.speedTable = {10};
    game.nextBonusAfter = 1000;
    int frames = 0;
    while (game.linesLeft == 25 && frames < 100) {
        game.update(11);
        ++frames;
    }
    EXPECT_EQ(frames, columns);  // the frame that filled the line also pushed it
    EXPECT_EQ(linePhase, LinePhase::Idle);
    EXPECT_EQ(game.filledSlots(), 0);
    EXPECT_EQ(game.linesLeft, 24);
}

TEST_F(ClassicRules, AFullLineTakesNoFurtherBlock) {
    OpenClassic& game = start<OpenClassic>(1);
    holdStill(game);
    game.fillNextLine();
    std::vector<Box*> line;
    for (int i = 0; i < columns; ++i) line.push_back(game.slotBlock(i));
    const int sinceBonus = game.blocksSinceBonus;
    game.addNextBlock();
    for (int i = 0; i < columns; ++i) EXPECT_EQ(game.slotBlock(i), line[i]);
    EXPECT_EQ(game.blocksSinceBonus, sinceBonus);
}

TEST_F(ClassicRules, TimedBonusesNeverRepeatTheLastKind) {
    for (int level = 0; level < 4; ++level) {
        OpenClassic& game = start<OpenClassic>(level, 11 + level);
        holdStill(game);
        int previous = game.lastBonusKind;
        int bonuses = 0;
        int skipped = 0;
        for (int i = 0; i < 600; ++i) {
            game.nextBonusAfter = -1;  // a bonus is due every time
            const int before = game.filledSlots();
            game.addNextBlock();
            if (game.filledSlots() == before) {
                ++skipped;  // three draws of the last kind: the slot waits
                EXPECT_EQ(game.blocksSinceBonus, 0);
                continue;
            }
            const Box* placed = game.slotBlock(before);
            ASSERT_NE(placed, nullptr);
            EXPECT_NE(game.lastBonusKind, previous);
            EXPECT_GE(game.lastBonusKind, 10);
            EXPECT_LE(game.lastBonusKind, 19);
            EXPECT_EQ(placed->isBonus, game.lastBonusKind != BonusChooser::kUnmovable);
            previous = game.lastBonusKind;
            ++bonuses;
            if (game.filledSlots() == columns) game.resetNextLine();
        }
        EXPECT_GT(bonuses, 500);
        EXPECT_LT(skipped, 50);
    }
}

TEST_F(ClassicRules, HighStacksBringTheNextBonusSoonerExceptOnEasy) {
    for (int level = 0; level < 4; ++level) {
        OpenClassic& game = start<OpenClassic>(level, 5);
        holdStill(game);
        for (int c = 0; c < columns; ++c) put(game, c, difficulty + 2, Box::kRed);
        int soon = 0;
        for (int i = 0; i < 200; ++i) {
            game.nextBonusAfter = -1;
            game.lastBonusKind = 0;
            game.addNextBlock();
            if (game.nextBonusAfter <= 16) ++soon;
            game.resetNextLine();
        }
        if (level == 0) {
            EXPECT_EQ(soon, 0);
        } else {
            EXPECT_GT(soon, 100);
        }
    }
}

TEST_F(ClassicRules, ShortOrMissingTuningTablesClampInsteadOfReadingPastTheirEnd) {
    OpenClassic& game = start<OpenClassic>(3, 1, 12);
    game.linesLeft = game.linesTotal = 10;
    game.speedTable = {400, 300};
    game.bonusSpacingTable = {};
    EXPECT_EQ(game.levelIndex, 11);
    for (int i = 0; i < 20; ++i) {
        const int interval = game.nextBlockInterval();
        EXPECT_EQ(interval, 300);  // entries 7, 8 and 9 all stand for the last one
        game.nextBonusAfter = -1;
        game.addNextBlock();
        EXPECT_GE(game.nextBonusAfter, BrixelGame::kDefaultBonusSpacing - 8);
        game.resetNextLine();
    }
    game.speedTable = {};
    EXPECT_EQ(game.nextBlockInterval(), BrixelGame::kDefaultSpeedMs);
    game.bonusSpacingTable = {30};  // shorter than the difficulty index
    game.nextBonusAfter = -1;
    game.lastBonusKind = 0;
    for (int c = 0; c < columns; ++c) game.board.take(c, difficulty + 2);
    game.addNextBlock();
    EXPECT_GE(game.nextBonusAfter, 22);
    EXPECT_LE(game.nextBonusAfter, 38);
}

TEST_F(ClassicRules, ThePaceMovesFromThePreviousLevelsEntryToTheNextOnes) {
    OpenClassic& game = start<OpenClassic>(1);
    game.speedTable = {1000, 900, 800, 700, 600, 500, 400, 300, 200, 100};
    game.linesTotal = 25;
    game.linesLeft = 25;
    EXPECT_EQ(game.nextBlockInterval(), 1000);
    game.linesLeft = 0;
    EXPECT_EQ(game.nextBlockInterval(), 900);
    game.levelIndex = 4;
    game.linesLeft = 25;
    EXPECT_EQ(game.nextBlockInterval(), 700);
    game.linesLeft = 0;
    EXPECT_EQ(game.nextBlockInterval(), 500);
    game.levelIndex = 20;
    game.linesLeft = 25;
    std::set<int> seen;
    for (int i = 0; i < 100; ++i) seen.insert(game.nextBlockInterval());
    EXPECT_EQ(seen, (std::set<int>{200, 300}));
    game.linesTotal = 0;  // a damaged count never divides by zero
    EXPECT_EQ(game.nextBlockInterval(), 100);
}

TEST_F(ClassicRules, TheTrayClickCompletesTheLineInEveryState) {
    OpenClassic& game = start<OpenClassic>(1);
    holdStill(game);
    game.draw();  // places the camera
    float x = 0, y = 0;
    ASSERT_TRUE(game.gameCamera()->projectToWindow(game.slotPosition(columns / 2), &x, &y));
    game.mouseX = int(x);
    game.mouseY = int(y);
    ASSERT_TRUE(game.trayHit());
    for (int state :
         {int(GameState::Intro), int(GameState::GameOver), int(GameState::LevelComplete),
          int(GameState::Outro), int(GameState::Playing)}) {
        game.resetNextLine();
        gameState = state;
        game.afterClick();
        EXPECT_EQ(game.filledSlots(), columns) << state;
    }
    game.update(10);  // pushed as soon as nothing moves
    EXPECT_EQ(game.filledSlots(), 0);
    EXPECT_EQ(game.linesLeft, 24);

    // A line called during the intro waits, and is pushed in the first frame of play.
    game.resetNextLine();
    game.activate();
    game.afterClick();
    EXPECT_EQ(game.filledSlots(), columns);
    for (int i = 0; i < 1000 && gameState == GameState::Intro; ++i) game.update(50);
    EXPECT_EQ(gameState, GameState::Playing);
    EXPECT_EQ(game.filledSlots(), 0);
    EXPECT_EQ(game.linesLeft, 23);
    // Away from the tray nothing happens.
    game.mouseY = 5;
    EXPECT_FALSE(game.trayHit());
    game.afterClick();
    EXPECT_EQ(game.filledSlots(), 0);
}

TEST_F(ClassicRules, TheLastLineOfALevelStartsTheFinishingFill) {
    OpenClassic& game = start<OpenClassic>(1, 3, 3);
    holdStill(game);
    game.linesLeft = 1;
    game.fillNextLine();
    game.pushLine();
    EXPECT_EQ(gameState, GameState::LevelComplete);
    EXPECT_EQ(resumeState, ResumeState::LevelComplete);
    EXPECT_EQ(game.linesLeft, 31);  // the game's second level, whatever the start level
    EXPECT_EQ(game.linesTotal, 31);
}

TEST_F(ClassicRules, TheFinishingFillScoresEachEmptyCellAndFullRowsThenKeepsTheBottom) {
    OpenClassic& game = start<OpenClassic>(0);
    holdStill(game);
    game.clearBoard();
    for (int c = 0; c < columns; ++c) put(game, c, rows - 1, Box::kGreen);
    put(game, 2, rows - 2, Box::kRed);
    put(game, 4, 3, Box::kBlue);  // a block high up flies off at the end
    Box& bonusLow = testkit::putBonus(game, 6, rows - 3, BonusChooser::kRowRemover);
    const int startScore = game.score();
    gameState = GameState::LevelComplete;
    int frames = 0;
    while (gameState == GameState::LevelComplete && frames++ < 5000) {
        game.update(40);
        EXPECT_TRUE(game.fillSoundRunning() || gameState != GameState::LevelComplete);
        EXPECT_EQ(game.levelSoundChannel, -1);  // no audio device: no channel, no restart
    }
    ASSERT_EQ(gameState, GameState::Playing);  // NextLevel stepped on in the same frame
    EXPECT_FALSE(game.fillSoundRunning());
    // Rows 1 to rows - 2 minus the three blocks already there, plus 100 per row that holds
    // colourless blocks only: every visited row but the two holding coloured blocks (the
    // colourless remover counts like a score block).
    const int cells = (rows - 2) * columns - 3;
    const int fullRows = rows - 2 - 2;
    EXPECT_EQ(game.score() - startScore, cells + 100 * fullRows);
    EXPECT_EQ(game.levelIndex, 1);
    EXPECT_EQ(resumeState, ResumeState::Normal);
    // Above the kept rows everything is gone; the kept rows are full of plain colours (the
    // remover stays), the bottom row is untouched.
    for (int c = 0; c < columns; ++c) {
        for (int r = 0; r < rows - 4; ++r) EXPECT_EQ(game.blockAt(c, r), nullptr) << c << r;
        for (int r = rows - 4; r < rows; ++r) {
            const Box* block = game.blockAt(c, r);
            ASSERT_NE(block, nullptr);
            if (block == &bonusLow) continue;
            EXPECT_GE(block->colour, 1);
            EXPECT_LE(block->colour, 3);
            if (r == rows - 1) {
                EXPECT_EQ(block->colour, Box::kGreen);
            }
        }
    }
    EXPECT_EQ(game.blockAt(6, rows - 3), &bonusLow);
    EXPECT_EQ(game.blockAt(2, rows - 2)->colour, Box::kRed);
    EXPECT_EQ(game.flyingBlocks().size(), 1u);
}

}  // namespace
}  // namespace brx
