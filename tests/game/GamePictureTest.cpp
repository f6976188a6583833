// What stays on screen: frame by frame on a fixed step, through the intro of a full board, the
// removal of a group and a block's turn, every frame whose state draws another picture must be
// drawn, so that the picture left when everything stops is the settled one (read back and compared
// with a fresh redraw). And the chosen background shows behind the board, dimmed below the blocks.
#include <GL/gl.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "game/BrixelRemover.h"
#include "tests/game/GameTestKit.h"
#include "tests/support/GLTestContext.h"

namespace brx::gametest {
namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

// Mean brightness (0 to 255, the average of R, G and B) of a region read back.
double meanBrightness(const std::vector<uint8_t>& rgba) {
    double sum = 0.0;
    for (size_t i = 0; i + 3 < rgba.size(); i += 4) sum += rgba[i] + rgba[i + 1] + rgba[i + 2];
    return rgba.empty() ? 0.0 : sum / (3.0 * double(rgba.size() / 4));
}

class GamePictureTest : public GameTest {
protected:
    // The picture of the game's present state, drawn afresh the way the application draws a
    // frame, and read back.
    std::vector<uint8_t> freshPicture() { return freshPicture(*game); }
    std::vector<uint8_t> freshPicture(Game& screen) {
        glEnable(GL_TEXTURE_2D);
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_LEQUAL);
        glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
        screen.draw();
        glFinish();
        return testsupport::readPixels(0, 0, kWidth, kHeight);
    }
    // Runs frames of stepMs until the game has been still for a few frames; fails at the first
    // frame that changed the picture without drawing it, unless only decoration moved then (a
    // turn or the trail, drawn every other frame). The picture on screen then (the one drawn
    // last) must be the settled one. Returns the number of frames run.
    int runAndCompare(int stepMs, const char* what) { return runAndCompare(*game, stepMs, what); }
    int runAndCompare(Game& screen, int stepMs, const char* what) {
        std::vector<uint8_t> shown = freshPicture(screen);
        int stillFrames = 0;
        int frame = 0;
        for (; frame < kFrameLimit && stillFrames < kStillFramesAtEnd; ++frame) {
            if (&screen == game) game->spinTimer = 1000000;  // no random turn starts meanwhile
            app().frame(stepMs);
            const bool drawn = app().drewLastFrame();
            const std::vector<uint8_t> now = freshPicture(screen);
            if (drawn) {
                shown = now;
            } else if (now != shown && !screen.animatesOnlyDecoration()) {
                ADD_FAILURE() << what << ": frame " << frame << " changed the picture (game state "
                              << gameState << ") but was not drawn";
                return frame;
            }
            stillFrames = screen.isAnimating() ? 0 : stillFrames + 1;
        }
        EXPECT_LT(frame, kFrameLimit) << what << ": the game never came to rest";
        EXPECT_TRUE(freshPicture(screen) == shown)
            << what << ": the picture left is not the settled one";
        return frame;
    }

    static constexpr int kFrameLimit = 400;
    static constexpr int kStillFramesAtEnd = 3;
};

void fullBoard(TestGame& game) {
    // Stripes of two columns: every block belongs to a removable group.
    for (int c = 0; c < columns; ++c)
        for (int r = 0; r < rows; ++r) game.put(c, r, Box::kRed + (c / 2) % 3);
}

TEST_F(GamePictureTest, TheIntroARemovalAndATurnEndOnTheSettledPicture) {
    startGame(fullBoard);
    ASSERT_EQ(gameState, GameState::Intro);
    ASSERT_GT(game->introDuration, 0);
    const int introFrames = runAndCompare(50, "intro");
    EXPECT_GE(introFrames, game->introDuration / 50) << "the intro ran frame by frame";
    ASSERT_EQ(gameState, GameState::Playing);

    pointAt(0, rows - 1);
    app().frame(16);
    ASSERT_EQ(game->selection.size(), size_t(2 * rows)) << "the first stripe lights up";
    float x = 0.0f, y = 0.0f;
    ASSERT_TRUE(game->gameCamera()->projectToWindow(game->cellPosition(0, rows - 1), &x, &y));
    pressButton(int16_t(x), int16_t(y));
    ASSERT_FALSE(game->flying.empty()) << "the stripe flies off";
    runAndCompare(16, "removal");
    EXPECT_TRUE(game->flying.empty());
    EXPECT_EQ(game->board.blockCount(), (columns - 2) * rows) << "the stripe is gone";

    Box* turning = game->blockAt(columns / 2, rows / 2);
    ASSERT_NE(turning, nullptr);
    turning->startSpin();
    app().frame(16);
    EXPECT_TRUE(app().drewLastFrame()) << "a turn shows from its first frame";
    runAndCompare(16, "turn");
    EXPECT_FALSE(turning->spinning);
}

// The same for a Remover game as game selection starts it, background and all.
TEST_F(GamePictureTest, ARemoverStartEndsOnTheSettledPicture) {
    auto* remover = new BrixelRemover;
    currentGame = remover;
    remover->setBackground("Nature.Jpg", "");
    app().addScreen(remover);
    app().setActiveScreen(kScreenGame);
    ASSERT_EQ(gameState, GameState::Intro);
    runAndCompare(*remover, 50, "Remover intro");
    EXPECT_EQ(gameState, GameState::Playing);
}

TEST_F(GamePictureTest, TheChosenBackgroundShowsDimmedBehindTheBoard) {
    startGame(fullBoard);
    playIntro();
    ASSERT_EQ(gameState, GameState::Playing);
    // Left of the board, between the side panel and the menu button (GL rows from the bottom).
    const auto besideBoard = [] { return testsupport::readPixels(20, 240, 150, 120); };
    const auto onBoard = [] { return testsupport::readPixels(300, 200, 200, 200); };

    game->clearBackground();
    freshPicture();
    EXPECT_EQ(testsupport::countPixelsDifferentFrom(besideBoard(), 0, 0, 0), 0)
        << "no background: black beside the board";

    for (const char* picture : {"Nature.Jpg", "Space.Jpg", "Dune.Jpg"}) {
        // The background as the other screens draw it, at full strength.
        ORenderWindow plain(kScreenHelp);
        plain.setApplication(&app(), app().camera());
        plain.resize(kWidth, kHeight);
        ASSERT_TRUE(plain.setBackground(picture, ""));
        testsupport::clearTo(0.0f, 0.0f, 0.0f);
        plain.draw();
        const double full = meanBrightness(besideBoard());
        ASSERT_GT(full, 10.0) << picture << " is not dark all over";

        ASSERT_TRUE(game->setBackground(picture, ""));
        freshPicture();
        const double dimmed = meanBrightness(besideBoard());
        EXPECT_GT(dimmed, full * 0.15) << picture << " shows in play";
        EXPECT_LT(dimmed, full * 0.5) << picture << " is dimmed behind the board";
        EXPECT_GT(meanBrightness(onBoard()), 2.0 * dimmed) << picture << ": the blocks stand out";
    }
}

}  // namespace
}  // namespace brx::gametest
