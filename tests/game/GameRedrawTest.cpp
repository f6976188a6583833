// A game is drawn only while something on it changes: still once the intro is over and the
// blocks rest, drawn again when the pointer picks another group, and drawn every frame while the
// removed group flies off and the rest falls and closes up. Its rules keep running either way.
#include <gtest/gtest.h>

#include "objects/EffectList.h"
#include "objects/SplineTrail.h"
#include "tests/game/GameTestKit.h"

namespace brx::gametest {
namespace {

class GameRedrawTest : public GameTest {
protected:
    // Frames until nothing moves any more (the trail, a turning block, score texts); false when
    // that never happens.
    bool settle() {
        for (int i = 0; i < 2000; ++i) {
            game->spinTimer = 1000000;  // no random turn starts meanwhile
            app().frame(25);
            if (!game->isAnimating()) return true;
        }
        return false;
    }
    // Frames of 16 ms that were drawn. The decorative trail starts by its own timer, shared by
    // every game of the process: a frame it shows in is not counted.
    int drawnOf(int frames) {
        int drawn = 0;
        for (int i = 0; i < frames; ++i) {
            app().frame(16);
            drawn += app().drewLastFrame() && !SplineTrail::instance().isRunning() ? 1 : 0;
        }
        return drawn;
    }
};

void redRun(TestGame& game) {
    for (int c = 0; c < columns; ++c)
        game.put(c, rows - 1, c >= 2 && c <= 5 ? Box::kRed : (c % 2 ? Box::kGreen : Box::kBlue));
}

TEST_F(GameRedrawTest, AStillGameIsNotDrawnUntilThePointerPicksAnotherGroup) {
    startGame(redRun);
    EXPECT_TRUE(game->isAnimating()) << "the intro moves";
    playIntro();
    ASSERT_TRUE(settle());
    game->spinTimer = 1000000;
    EXPECT_EQ(drawnOf(10), 0);
    const int spinTimerBefore = game->spinTimer;
    EXPECT_LT(spinTimerBefore, 1000000) << "the rules still run in undrawn frames";

    pointAt(3, rows - 1);
    app().frame(16);
    EXPECT_TRUE(app().drewLastFrame()) << "the red group lights up";
    EXPECT_EQ(drawnOf(5), 0);
    pointAt(4, rows - 1);  // the same group
    EXPECT_EQ(drawnOf(3), 0);
}

TEST_F(GameRedrawTest, ARemovedGroupKeepsTheGameDrawingUntilAllHasSettled) {
    startGame(redRun);
    playIntro();
    ASSERT_TRUE(settle());
    pointAt(3, rows - 1);
    app().frame(16);
    float x = 0, y = 0;
    ASSERT_TRUE(game->gameCamera()->projectToWindow(game->cellPosition(3, rows - 1), &x, &y));
    pressButton(int16_t(x), int16_t(y));
    EXPECT_TRUE(game->isAnimating()) << "the group flies off";
    for (int i = 0; i < 5; ++i) {
        app().frame(16);
        EXPECT_TRUE(app().drewLastFrame());
    }
    ASSERT_TRUE(settle()) << "the flight, the close-up and the score text end";
    EXPECT_EQ(drawnOf(5), 0);
}

TEST_F(GameRedrawTest, ATurningBlockOrAShakeAnimates) {
    startGame(redRun);
    playIntro();
    ASSERT_TRUE(settle());
    game->blockAt(0, rows - 1)->startSpin();
    EXPECT_TRUE(game->isAnimating());
    ASSERT_TRUE(settle()) << "a quarter turn ends";
    game->startShake();
    EXPECT_TRUE(game->isAnimating());
}

// A block turning by itself is decoration: drawn every other frame of 16 ms while the rules
// run in each. Once the player's group flies off, every frame is drawn again.
TEST_F(GameRedrawTest, ATurnAloneIsDrawnEveryOtherFrameAndAFlightEveryFrame) {
    startGame(redRun);
    playIntro();
    ASSERT_TRUE(settle());
    EXPECT_FALSE(game->animatesOnlyDecoration()) << "nothing moves";
    game->blockAt(0, rows - 1)->startSpin();
    EXPECT_TRUE(game->animatesOnlyDecoration());
    const int spinTimerBefore = game->spinTimer;
    int drawn = 0;
    for (int i = 0; i < 10; ++i) {
        app().frame(16);
        drawn += app().drewLastFrame() ? 1 : 0;
    }
    EXPECT_EQ(drawn, 5);
    EXPECT_EQ(game->spinTimer, spinTimerBefore - 160) << "the clock ran in every frame";
    ASSERT_TRUE(game->blockAt(0, rows - 1)->spinning) << "a quarter turn takes 512 ms";

    pointAt(3, rows - 1);
    app().frame(16);
    float x = 0, y = 0;
    ASSERT_TRUE(game->gameCamera()->projectToWindow(game->cellPosition(3, rows - 1), &x, &y));
    pressButton(int16_t(x), int16_t(y));
    EXPECT_FALSE(game->animatesOnlyDecoration()) << "the group flies off";
    for (int i = 0; i < 4; ++i) {
        app().frame(16);
        EXPECT_TRUE(app().drewLastFrame()) << "frame " << i;
    }
}

}  // namespace
}  // namespace brx::gametest
