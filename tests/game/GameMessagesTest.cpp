// The messages a game shows over its board: which state changes post which text (once), the
// rank of a result that enters its table, fading and the room for three; then whole games
// played by a bot through the real modes, and the messages drawn with the game's own font.
#include "game/GameMessages.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "engine/BitmapFont.h"
#include "game/BonusChooser.h"
#include "game/BrixelGame.h"
#include "game/BrixelPuzzle.h"
#include "game/BrixelRemover.h"
#include "game/GameMessageDrawing.h"
#include "game/MoveCheck.h"
#include "game/StrategyGame.h"
#include "tests/game/FourModesTestKit.h"
#include "tests/support/PngFile.h"

namespace brx {
namespace {

using Snapshot = GameMessages::Snapshot;

int timesPosted(const GameMessages& messages, const std::string& text) {
    return int(std::count(messages.posted().begin(), messages.posted().end(), text));
}

// A rank hook over a list of scores, best first, as a table of ten would answer it.
struct RankHook {
    explicit RankHook(std::vector<int> scores) {
        GameMessages::setRankLookup([scores](int, int score) {
            const int atLeast = int(
                std::count_if(scores.begin(), scores.end(), [score](int s) { return s >= score; }));
            return atLeast < 10 ? atLeast + 1 : 0;
        });
    }
    ~RankHook() { GameMessages::setRankLookup({}); }
};

TEST(GameMessagesRules, TheFirstLevelIsAnnouncedAfterTheIntroAndEveryHigherOneOnce) {
    GameMessages messages;
    messages.observe({GameState::Intro, 1, GameMode::Classic, 0});
    messages.observe({GameState::Intro, 1, GameMode::Classic, 0});
    EXPECT_TRUE(messages.posted().empty());
    messages.observe({GameState::Playing, 1, GameMode::Classic, 0});
    messages.observe({GameState::CloseUp, 1, GameMode::Classic, 0});
    messages.observe({GameState::LevelComplete, 1, GameMode::Classic, 40});
    messages.observe({GameState::Playing, 2, GameMode::Classic, 300});
    messages.observe({GameState::Playing, 2, GameMode::Classic, 310});
    // Flying out and back in (Esc, then Continue) is no new level.
    messages.observe({GameState::Outro, 2, GameMode::Classic, 310});
    messages.observe({GameState::Intro, 2, GameMode::Classic, 310});
    messages.observe({GameState::Playing, 2, GameMode::Classic, 310});
    // A level going back (an undo) is not announced; coming up again is not either.
    messages.observe({GameState::Playing, 1, GameMode::Classic, 310});
    messages.observe({GameState::Playing, 2, GameMode::Classic, 310});
    messages.observe({GameState::Playing, 3, GameMode::Classic, 900});
    EXPECT_EQ(messages.posted(), (std::vector<std::string>{"Level 1", "Level 2", "Level 3"}));

    GameMessages puzzle;
    puzzle.observe({GameState::Intro, 7, GameMode::Puzzle, 0});
    puzzle.observe({GameState::Playing, 7, GameMode::Puzzle, 0});
    EXPECT_EQ(puzzle.posted(), std::vector<std::string>{"Puzzle 7"});

    // A game that is already playing when first seen starts without a word.
    GameMessages quiet;
    quiet.observe({GameState::Playing, 1, GameMode::Remover, 0});
    quiet.observe({GameState::Playing, 2, GameMode::Remover, 0});
    EXPECT_EQ(quiet.posted(), std::vector<std::string>{"Level 2"});
}

TEST(GameMessagesRules, EachEndSaysWhatHappenedAndTheRankWhenTheTableTakesTheResult) {
    const RankHook hook({900, 500, 400, 100});
    struct Case {
        int mode;
        int endState;
        int score;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {GameMode::Remover, GameState::GameOver, 450, {"No more moves", "New high score! Rank 3"}},
        {GameMode::Classic,
         GameState::GameOver,
         950,
         {"The blocks reached the top", "New high score! Rank 1"}},
        {GameMode::Strategy, GameState::GameOver, 0, {"The blocks reached the top"}},
        {GameMode::Puzzle,
         GameState::GameOver,
         400,
         {"Stuck: Ctrl+Z to undo", "New high score! Rank 4"}},
        {GameMode::Puzzle, GameState::LevelComplete, 50, {"Solved", "New high score! Rank 5"}},
        // Clearing a Remover board or finishing a line level is no end.
        {GameMode::Remover, GameState::LevelComplete, 50, {}},
        {GameMode::Modern, GameState::LevelComplete, 50, {}},
    };
    for (const Case& c : cases) {
        GameMessages messages;
        messages.observe({GameState::Playing, 1, c.mode, 0});
        for (int frame = 0; frame < 3; ++frame) messages.observe({c.endState, 1, c.mode, c.score});
        EXPECT_EQ(messages.posted(), c.expected) << c.mode << " " << c.endState;
    }

    // Undone out of a stuck puzzle and stuck again: said again.
    GameMessages again;
    again.observe({GameState::GameOver, 2, GameMode::Puzzle, 0});
    again.observe({GameState::Playing, 2, GameMode::Puzzle, 0});
    again.observe({GameState::GameOver, 2, GameMode::Puzzle, 0});
    EXPECT_EQ(timesPosted(again, GameMessages::kStuck), 2);

    // A full table of better results: no rank.
    const RankHook full(std::vector<int>(10, 1000));
    GameMessages beaten;
    beaten.observe({GameState::GameOver, 1, GameMode::Remover, 999});
    EXPECT_EQ(beaten.posted(), std::vector<std::string>{"No more moves"});
}

TEST(GameMessagesRules, AStillBoardWithoutAMoveIsSaidOnceInTheLineModesOnly) {
    GameMessages classic;
    for (bool stuck : {false, true, true, true, false, false, true, true})
        classic.observe({GameState::Playing, 1, GameMode::Strategy, 10, stuck});
    EXPECT_EQ(timesPosted(classic, GameMessages::kNoMovesTakeLine), 2) << "once per time";
    for (int mode : {GameMode::Remover, GameMode::Puzzle}) {
        EXPECT_FALSE(GameMessages::watchesForNoMoves(mode));
        GameMessages ending;
        ending.observe({GameState::Playing, 1, mode, 10, true});
        EXPECT_TRUE(ending.posted().empty()) << mode;
    }
}

TEST(GameMessagesRules, MessagesFadeOutOnTheirOwnAndTheOldestMakesRoom) {
    GameMessages messages;
    EXPECT_FALSE(messages.active());
    messages.post("one");
    EXPECT_TRUE(messages.active());
    EXPECT_EQ(GameMessages::opacity(messages.shown().front()), 1.0f);
    messages.update(GameMessages::kShowMs - GameMessages::kFadeMs / 2);
    const float half = GameMessages::opacity(messages.shown().front());
    EXPECT_GT(half, 0.3f);
    EXPECT_LT(half, 0.7f);
    for (const char* text : {"two", "three", "four"}) messages.post(text);
    ASSERT_EQ(messages.shown().size(), GameMessages::kMaxShown);
    EXPECT_EQ(messages.shown().front().text, "two");
    messages.update(GameMessages::kShowMs - 1);
    EXPECT_TRUE(messages.active());
    messages.update(1);
    EXPECT_FALSE(messages.active());
    EXPECT_EQ(messages.posted().size(), 4u);
}

class GameMessagesPlay : public fourmodes::ModeTest {
protected:
    // Removes groups from the left until the board holds none (or the frames run out).
    static void playUntilStuck(Game& game) {
        for (int frame = 0; frame < 20000 && gameState != GameState::GameOver; ++frame) {
            if (gameState == GameState::Playing && !game.anyMoving()) clickFirstGroup(game);
            game.update(fourmodes::kFrameMs);
        }
    }
    static void clickFirstGroup(Game& game) {
        for (int c = 0; c < columns; ++c)
            for (int r = 0; r < rows; ++r)
                if (game.blockAt(c, r) && fourmodes::clickCell(game, c, r)) return;
    }
    static void runUntil(Game& game, int state) {
        for (int frame = 0; frame < 5000 && gameState != state; ++frame)
            game.update(fourmodes::kFrameMs);
    }
};

TEST_F(GameMessagesPlay, ARemoverGameSaysItsLevelsItsEndAndItsRankOnceEach) {
    const RankHook hook({100000, 90000, 1});
    auto game = makeMode<BrixelRemover>();
    fourmodes::playIntro(*game);
    // A first board of one pair: cleared at once, so the second board is dealt. (In the middle
    // column, which the close-up leaves where it is.)
    game->clearBoard();
    const int centre = game->centreLeft;
    game->placeBlock(centre, rows - 1, fourmodes::plainBlock(*game, Box::kRed));
    game->placeBlock(centre, rows - 2, fourmodes::plainBlock(*game, Box::kRed));
    fourmodes::settle(*game);
    ASSERT_EQ(gameState, GameState::Playing);
    ASSERT_TRUE(fourmodes::clickCell(*game, centre, rows - 1));
    runUntil(*game, GameState::LevelComplete);
    runUntil(*game, GameState::Playing);
    EXPECT_EQ(game->levelNumber(), 2);
    playUntilStuck(*game);
    ASSERT_EQ(gameState, GameState::GameOver);
    for (int frame = 0; frame < 10; ++frame) game->update(fourmodes::kFrameMs);

    const GameMessages& messages = game->messages;
    EXPECT_EQ(timesPosted(messages, "Level 1"), 1);
    EXPECT_EQ(timesPosted(messages, "Level 2"), 1);
    EXPECT_EQ(timesPosted(messages, GameMessages::kNoMoves), 1);
    EXPECT_EQ(timesPosted(messages, GameMessages::rankText(3)), 1);
    EXPECT_EQ(messages.posted().size(), 4u);
    // The end stands on the screen now, the rank below it.
    ASSERT_EQ(messages.shown().size(), 2u);
    EXPECT_EQ(messages.shown().back().text, GameMessages::rankText(3));
    EXPECT_TRUE(game->isAnimating());
}

// A practice game is never filed, so its end promises no place in the table.
TEST_F(GameMessagesPlay, APracticeGameIsToldItsEndButNoRank) {
    const RankHook hook({100000, 90000, 1});
    auto game = makeMode<BrixelRemover>();
    fourmodes::playIntro(*game);
    game->markPractice();
    playUntilStuck(*game);
    ASSERT_EQ(gameState, GameState::GameOver);
    for (int frame = 0; frame < 10; ++frame) game->update(fourmodes::kFrameMs);
    EXPECT_EQ(timesPosted(game->messages, GameMessages::kNoMoves), 1);
    for (int rank = 1; rank <= 10; ++rank)
        EXPECT_EQ(timesPosted(game->messages, GameMessages::rankText(rank)), 0);
}

TEST_F(GameMessagesPlay, APuzzleSaysSolvedOrStuckAndAClassicGameThatTheTopWasReached) {
    auto solved = makeMode<BrixelPuzzle>();
    solved->clearBoard();
    for (int r = rows - 4; r < rows - 1; ++r)
        solved->placeBlock(5, r, fourmodes::plainBlock(*solved, Box::kBlue));
    solved->placeBlock(5, rows - 1, fourmodes::fixedBlock(*solved));
    fourmodes::settle(*solved);
    ASSERT_TRUE(fourmodes::clickCell(*solved, 5, rows - 2));
    runUntil(*solved, GameState::LevelComplete);
    solved->update(fourmodes::kFrameMs);
    EXPECT_EQ(solved->messages.posted(), std::vector<std::string>{GameMessages::kSolved});
    solved.reset();

    auto stuck = makeMode<BrixelPuzzle>();
    stuck->clearBoard();
    stuck->placeBlock(2, rows - 1, fourmodes::plainBlock(*stuck, Box::kBlue));
    stuck->placeBlock(3, rows - 1, fourmodes::plainBlock(*stuck, Box::kRed));
    runUntil(*stuck, GameState::GameOver);
    for (int frame = 0; frame < 5; ++frame) stuck->update(fourmodes::kFrameMs);
    EXPECT_EQ(stuck->messages.posted(), std::vector<std::string>{GameMessages::kStuck});
    stuck.reset();

    auto classic = makeMode<BrixelGame>();
    for (int c = 0; c < columns; ++c)
        for (int r = 1; r < rows; ++r)
            if (!classic->blockAt(c, r))
                classic->placeBlock(c, r, fourmodes::plainBlock(*classic, 1 + (c + r) % 3));
    classic->fillNextLine();
    runUntil(*classic, GameState::GameOver);
    classic->update(fourmodes::kFrameMs);
    EXPECT_EQ(classic->messages.posted(), std::vector<std::string>{GameMessages::kReachedTop});
}

TEST_F(GameMessagesPlay, AStrategyBoardWithoutAGroupSaysToTakeTheNextLine) {
    auto game = makeMode<StrategyGame>();
    game->clearBoard();
    // Two rows of alternating colours: no group anywhere.
    for (int c = 0; c < columns; ++c)
        for (int r = rows - 2; r < rows; ++r)
            game->placeBlock(c, r,
                             fourmodes::plainBlock(*game, (c + r) % 2 ? Box::kRed : Box::kBlue));
    for (int frame = 0; frame < 30; ++frame) game->update(fourmodes::kFrameMs);
    EXPECT_EQ(timesPosted(game->messages, GameMessages::kNoMovesTakeLine), 1);
    // A group of three makes a move again, and nothing more is said while it stands.
    for (int r = rows - 5; r <= rows - 3; ++r)
        game->placeBlock(0, r, fourmodes::plainBlock(*game, Box::kRed));
    game->update(fourmodes::kFrameMs);
    EXPECT_TRUE(hasMove(game->board, columns, rows, minGroup));
    EXPECT_EQ(timesPosted(game->messages, GameMessages::kNoMovesTakeLine), 1);
}

TEST_F(GameMessagesPlay, MoveCheckFollowsTheGroupRule) {
    auto game = makeMode<BrixelPuzzle>();  // a mode with bonus blocks
    game->clearBoard();
    EXPECT_FALSE(hasMove(game->board, columns, rows, 2)) << "an empty board";
    game->placeBlock(3, 5, fourmodes::plainBlock(*game, Box::kRed));
    game->placeBlock(4, 5, fourmodes::plainBlock(*game, Box::kRed));
    EXPECT_TRUE(hasMove(game->board, columns, rows, 2));
    EXPECT_FALSE(hasMove(game->board, columns, rows, 3));
    // An L of three counts; a fixed or unmovable neighbour never joins.
    game->placeBlock(4, 6, fourmodes::plainBlock(*game, Box::kRed));
    EXPECT_TRUE(hasMove(game->board, columns, rows, 3));
    game->clearBoard();
    for (int c = 0; c < 3; ++c) game->placeBlock(c, 8, fourmodes::fixedBlock(*game));
    auto unmovable = game->prototypes().cloneBonus(BonusChooser::kUnmovable);
    ASSERT_NE(unmovable, nullptr);
    game->placeBlock(3, 8, std::move(unmovable));
    EXPECT_FALSE(hasMove(game->board, columns, rows, 2));
    // A colour bomb is a move by itself.
    game->placeBlock(9, 9, game->prototypes().cloneBonus(BonusChooser::kFirstColourBomb));
    EXPECT_TRUE(hasMove(game->board, columns, rows, 3));
    // Only the board in use counts.
    game->clearBoard();
    game->placeBlock(columns - 1, 2, fourmodes::plainBlock(*game, Box::kGreen));
    game->placeBlock(columns - 1, 3, fourmodes::plainBlock(*game, Box::kGreen));
    EXPECT_FALSE(hasMove(game->board, columns - 1, rows, 2));
    EXPECT_TRUE(hasMove(game->board, columns, rows, 2));
}

TEST_F(GameMessagesPlay, MessagesAreDrawnCentredOverTheBoardInTheGamesFont) {
    BitmapFont font("Font.Tga");
    ASSERT_TRUE(font.build());
    GameMessages messages;
    messages.post("Level 2");
    messages.post(GameMessages::rankText(3));
    glViewport(0, 0, 800, 600);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 800, 0, 600, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glEnable(GL_TEXTURE_2D);
    drawGameMessages(messages, font);
    const auto frame = testsupport::readPixels(0, 0, 800, 600);
    if (const char* folder = std::getenv("BRX_SCREENSHOT_DIR"))
        testsupport::writePng(std::string(folder) + "/game-messages.png", frame, 800, 600);
    // Each line lights its own band, centred: as much left of the middle as right of it.
    const auto band = [](float y) { return testsupport::readPixels(200, int(y) - 4, 400, 40); };
    const int first = testsupport::countPixelsDifferentFrom(band(kMessageFirstY), 0, 0, 0, 40);
    const int second =
        testsupport::countPixelsDifferentFrom(band(kMessageFirstY - kMessageLineStep), 0, 0, 0, 40);
    EXPECT_GT(first, 200);
    EXPECT_GT(second, first) << "the longer rank line lights more";
    const int left = testsupport::countPixelsDifferentFrom(
        testsupport::readPixels(200, int(kMessageFirstY) - 4, 200, 40), 0, 0, 0, 40);
    const int right = testsupport::countPixelsDifferentFrom(
        testsupport::readPixels(400, int(kMessageFirstY) - 4, 200, 40), 0, 0, 0, 40);
    EXPECT_NEAR(left, right, (left + right) / 3);
    // Nothing above the first line, where the end pictures stand.
    EXPECT_EQ(testsupport::countPixelsDifferentFrom(testsupport::readPixels(0, 300, 800, 300), 0, 0,
                                                    0, 40),
              0);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

}  // namespace
}  // namespace brx
