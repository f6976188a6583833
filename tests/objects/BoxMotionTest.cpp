// The per-frame motion of blocks without GL: falls and slides that snap onto their targets,
// flights that end off screen, the clamped quarter turn, launches and clones.
#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <tuple>

#include "core/Random.h"
#include "objects/Box.h"
#include "objects/FlyBox.h"
#include "objects/ScoreBox.h"

namespace brx {
namespace {

TEST(BoxMotion, AFallThatOvershootsEndsExactlyOnItsTarget) {
    Box box;
    box.setPosition({0.5f, 5.0f, 0.0f});
    box.startMove(Box::kFalling, {0.5f, 4.0f, 0.0f});
    EXPECT_EQ(box.velocity, Vector3(0, -0.0125f, 0));
    EXPECT_FALSE(box.move(50));
    EXPECT_NEAR(box.position().y, 4.375f, 1e-6);
    EXPECT_EQ(box.motion, Box::kFalling);
    EXPECT_FALSE(box.move(50));  // arrival of a fall reports false
    EXPECT_EQ(box.position(), Vector3(0.5f, 4.0f, 0.0f));
    EXPECT_EQ(box.motion, Box::kResting);
    EXPECT_FALSE(box.move(50));
    EXPECT_EQ(box.position(), Vector3(0.5f, 4.0f, 0.0f));
}

TEST(BoxMotion, ASlideReportsTrueOnlyInTheStepItEnds) {
    for (int32_t direction : {Box::kSlidingRight, Box::kSlidingLeft}) {
        const float sign = direction == Box::kSlidingRight ? 1.0f : -1.0f;
        Box box;
        box.startMove(direction, {sign * 1.0f, 0.0f, 0.0f});
        EXPECT_FALSE(box.move(60));  // 0.75
        EXPECT_TRUE(box.move(60));   // 1.5 passes the target
        EXPECT_EQ(box.position(), Vector3(sign, 0, 0));
        EXPECT_EQ(box.motion, Box::kResting);
        EXPECT_FALSE(box.move(60));
    }
    // Reaching the target exactly ends a fall but not a slide (its test is strict).
    Box exact;
    exact.startMove(Box::kSlidingRight, {1.0f, 0.0f, 0.0f});
    exact.velocity = {0.5f, 0.0f, 0.0f};
    EXPECT_FALSE(exact.move(2));
    EXPECT_EQ(exact.motion, Box::kSlidingRight);
    EXPECT_TRUE(exact.move(2));
    EXPECT_EQ(exact.position().x, 1.0f);
}

TEST(BoxMotion, AFlyingBlockIsRemovedOnlyBeyondTheView) {
    Box low;
    low.motion = Box::kFlyingAway;
    low.life = 1;
    low.setPosition({0, -15, 0});
    low.velocity = {0, -0.5f, 0};
    low.move(2);
    EXPECT_EQ(low.position().y, -16.0f);
    EXPECT_EQ(low.life, 1);  // exactly -16 stays
    low.move(1);
    EXPECT_EQ(low.life, -1);

    Box far;
    far.motion = Box::kFlyingAway;
    far.life = 1;
    far.setPosition({0, 0, 31});
    far.velocity = {0, 0, 1};
    far.move(1);
    EXPECT_EQ(far.life, 1);
    far.move(1);
    EXPECT_EQ(far.life, -1);
}

TEST(BoxMotion, FlightMovesWithTheOldVelocityThenAccelerates) {
    Box box;
    box.motion = Box::kFlyingAway;
    box.velocity = {0, 1, 0};
    box.acceleration = {0, -1, 0};
    box.tumbleAxis = {0, 0, 1};
    box.tumbleSpeed = 0.005;
    EXPECT_FALSE(box.move(1));
    EXPECT_EQ(box.position(), Vector3(0, 1, 0));
    EXPECT_EQ(box.velocity, Vector3(0, 0, 0));
    EXPECT_NEAR(box.axisX().y, std::sin(0.005f), 1e-6);
}

TEST(BoxMotion, AQuarterTurnEndsAtTheIdentityWhateverTheFrameTime) {
    for (int32_t step : {1, 7, 100, 511, 512, 5000}) {
        Box box;
        box.setPosition({2, 3, 0});
        seedRandom(uint32_t(step));
        box.startSpin();
        EXPECT_DOUBLE_EQ(box.spinTarget, Box::kQuarterTurn);
        int frames = 0;
        while (box.spinning && frames < 1000) {
            box.move(step);
            ++frames;
        }
        EXPECT_FALSE(box.spinning);
        EXPECT_LE(frames, 512 / step + 2) << "step " << step;
        EXPECT_EQ(box.spinAngle, 0.0);
        EXPECT_EQ(box.frame, Matrix4::translation({2, 3, 0}));
    }
}

TEST(BoxMotion, SpinsTurnAboutAllSixAxes) {
    seedRandom(42);
    std::set<std::tuple<float, float, float>> axes;
    for (int i = 0; i < 200; ++i) {
        Box box;
        box.startSpin();
        EXPECT_FLOAT_EQ(box.spinAxis.length(), 1.0f);
        axes.insert({box.spinAxis.x, box.spinAxis.y, box.spinAxis.z});
    }
    EXPECT_EQ(axes.size(), 6u);
}

TEST(BoxMotion, FlyingAwayLaunchesUpwardsWithinTheRanges) {
    seedRandom(7);
    for (int i = 0; i < 100; ++i) {
        Box box;
        box.selected = true;
        box.spinning = true;
        box.flyAway();
        EXPECT_EQ(box.motion, Box::kFlyingAway);
        EXPECT_FALSE(box.spinning);
        EXPECT_FALSE(box.selected);
        EXPECT_LE(std::abs(box.velocity.x), 0.05f * 0.25f);
        EXPECT_GE(box.velocity.y, 0.025f * 0.25f);
        EXPECT_LE(box.velocity.y, 0.05f * 0.25f);
        EXPECT_GE(box.velocity.z, 0.0125f * 0.25f);
        EXPECT_LE(box.velocity.z, 0.025f * 0.25f);
        EXPECT_EQ(box.acceleration, Vector3(0, -0.000125f, 0));
        EXPECT_DOUBLE_EQ(box.tumbleSpeed, 0.005f);
        EXPECT_LE(std::abs(box.tumbleAxis.x), 1.0f);
    }
    // The draws follow the generator in a fixed order: z, y, x, then the axis z, y, x.
    seedRandom(99);
    Box box;
    box.flyAway();
    seedRandom(99);
    const float z = randomReal(0.0125f, 0.025f);
    const float y = randomReal(0.025f, 0.05f);
    const float x = randomReal(-0.05f, 0.05f);
    const float axisZ = randomReal(-1.0f, 1.0f);
    const float axisY = randomReal(-1.0f, 1.0f);
    const float axisX = randomReal(-1.0f, 1.0f);
    EXPECT_EQ(box.velocity, Vector3(x, y, z) * 0.25f);
    EXPECT_EQ(box.tumbleAxis, Vector3(axisX, axisY, axisZ));
}

TEST(BoxMotion, LeavingTheBoardKeepsTheTumbleSpeed) {
    Box box;
    box.tumbleSpeed = 0.002;
    box.acceleration = {1, 1, 1};
    seedRandom(5);
    box.leaveBoard();
    EXPECT_EQ(box.motion, Box::kFlyingAway);
    EXPECT_EQ(box.velocity, Vector3(0, -0.075f, 0.05f) * 0.25f);
    EXPECT_EQ(box.acceleration, Vector3());
    EXPECT_DOUBLE_EQ(box.tumbleSpeed, 0.002);
    // Its only draws are the axis, z first.
    seedRandom(5);
    const float z = randomReal(-1.0f, 1.0f);
    const float y = randomReal(-1.0f, 1.0f);
    const float x = randomReal(-1.0f, 1.0f);
    EXPECT_EQ(box.tumbleAxis, Vector3(x, y, z));
}

void dirty(Box& box) {
    box.colour = Box::kGreen;
    box.game = reinterpret_cast<Game*>(0x1000);
    box.selected = true;
    box.motion = Box::kFalling;
    box.cell = {3, 4};
    box.target = {1, 2, 3};
    box.velocity = {1, 1, 1};
    box.acceleration = {2, 2, 2};
    box.spinAngle = 0.5;
    box.spinTarget = 1.5;
    box.spinning = true;
    box.tumbleSpeed = 0.005;
    box.isBonus = true;
    box.life = 77;
    box.tint[0] = 0.25f;
    box.setPosition({5, 6, 0});
    box.rotateAboutAxis(0.3f, {1, 0, 0});
}

TEST(BoxClone, ResetsEverythingThatMovesAndKeepsColourGameAndPlace) {
    Box source;
    dirty(source);
    const std::unique_ptr<Box> copy = source.cloneBox();
    EXPECT_EQ(copy->colour, Box::kGreen);
    EXPECT_EQ(copy->game, source.game);
    EXPECT_FALSE(copy->selected);
    EXPECT_EQ(copy->motion, Box::kResting);
    EXPECT_EQ(copy->cell, Box::Cell{});
    EXPECT_EQ(copy->target, Vector3());
    EXPECT_EQ(copy->velocity, Vector3());
    EXPECT_EQ(copy->acceleration, Vector3());
    EXPECT_EQ(copy->spinAngle, 0.0);
    EXPECT_EQ(copy->spinTarget, 0.0);
    EXPECT_FALSE(copy->spinning);
    EXPECT_EQ(copy->tumbleSpeed, 0.0);
    EXPECT_FALSE(copy->isBonus);
    EXPECT_EQ(copy->life, 1);
    EXPECT_EQ(copy->tint[0], 1.0f);
    EXPECT_EQ(copy->tint[3], -1.0f);
    EXPECT_EQ(copy->frame, Matrix4::translation({5, 6, 0}));
    EXPECT_EQ(&copy->data(), &source.data());
    // Through the model interface the class is kept too.
    const std::unique_ptr<KvModel> asModel = static_cast<const KvModel&>(source).clone();
    EXPECT_NE(dynamic_cast<Box*>(asModel.get()), nullptr);
}

TEST(BoxClone, FixedAndScoreBlocksCloneAsThemselves) {
    FlyBox fixed;
    dirty(fixed);
    fixed.colour = Box::kFixed;
    const std::unique_ptr<Box> fixedCopy = fixed.cloneBox();
    ASSERT_NE(dynamic_cast<FlyBox*>(fixedCopy.get()), nullptr);
    EXPECT_EQ(fixedCopy->colour, Box::kFixed);
    fixed.settle();
    EXPECT_EQ(fixed.motion, Box::kResting);
    EXPECT_FALSE(fixed.selected);

    ScoreBox score;
    score.scale = 0.1;
    const std::unique_ptr<Box> scoreCopy = score.cloneBox();
    auto* asScore = dynamic_cast<ScoreBox*>(scoreCopy.get());
    ASSERT_NE(asScore, nullptr);
    EXPECT_EQ(asScore->scale, 1.0);
    EXPECT_EQ(asScore->colour, Box::kNoColour);
}

}  // namespace
}  // namespace brx
