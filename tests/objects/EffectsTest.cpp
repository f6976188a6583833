// Timed effects without a rendering context: what each effect emits and in which order it
// draws from the generator, how long it lives, how the list deletes finished effects, the
// registry's clones, the sprite-sheet clip and the billboard corners.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <set>

#include "core/ErrorLog.h"
#include "core/Random.h"
#include "objects/BigBomb.h"
#include "objects/BillboardCorners.h"
#include "objects/Bonus100.h"
#include "objects/BoxExplosion.h"
#include "objects/EffectList.h"
#include "objects/EffectRegistry.h"
#include "objects/HVExplosion.h"
#include "objects/KvClip.h"
#include "objects/ParticleArray.h"
#include "objects/SuperBomb.h"

namespace brx {
namespace {

constexpr uint32_t kSeed = 4242;

void expectNear(const Vector3& actual, const Vector3& expected, float tolerance = 1e-5f) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

// Frames of stepMs until the effect stops being alive; the ms it took.
double runUntilDead(KvBaseBound& effect, double stepMs, double limitMs = 10000.0) {
    double total = 0.0;
    while (effect.alive && total < limitMs) {
        effect.update(stepMs);
        total += stepMs;
    }
    return total;
}

class EffectsTest : public ::testing::Test {
protected:
    void SetUp() override { seedRandom(kSeed); }
    void TearDown() override { EffectList::instance().clear(); }
};

TEST_F(EffectsTest, TheParticleStepMovesTheLastParticleIntoADeadOnesSlotWithoutAdvancingIt) {
    ParticleArray<4> particles;
    for (int i = 0; i < 4; ++i) {
        Particle* p = particles.append();
        ASSERT_NE(p, nullptr);
        p->life = i == 1 ? 0.0 : 100.0;
        p->velocity = {1, 0, 0};
        p->position = {float(i), 0, 0};
    }
    EXPECT_EQ(particles.append(), nullptr);
    EXPECT_FALSE(particles.step(10.0));
    ASSERT_EQ(particles.count(), 3);
    EXPECT_EQ(particles[0].position.x, 10.0f);
    EXPECT_EQ(particles[1].position.x, 3.0f);  // moved into slot 1, not advanced this step
    EXPECT_EQ(particles[1].life, 100.0);
    EXPECT_EQ(particles[2].position.x, 12.0f);
    EXPECT_TRUE(ParticleArray<1>().step(1.0));  // nothing left: the effect is over
}

TEST_F(EffectsTest, TheHundredSignRisesOneUnitAndFadesOutInOneSecond) {
    Bonus100 sign;
    sign.position = {1, 2, 3};
    sign.start();
    for (int i = 0; i < 100; ++i) sign.update(10.0);
    expectNear(sign.blast.position, {1, 3, 3}, 1e-4f);
    EXPECT_NEAR(sign.blast.colour.a, 0.0f, 1e-5f);
    EXPECT_EQ(sign.blast.size, 1.0);
    EXPECT_TRUE(sign.alive);
    sign.update(10.0);
    EXPECT_FALSE(sign.alive);
    expectNear(sign.blast.position, {1, 3, 3}, 1e-4f);  // the last call changes nothing else
}

TEST_F(EffectsTest, ABigBombEmitsTenRingsOf160ParticlesAndDrawsOnceFromTheGenerator) {
    BigBomb bomb;
    bomb.position = {2, 3, 0.5f};
    bomb.tint = {0.2f, 0.4f, 0.6f, 1.0f};
    bomb.start();
    const int next = nextRandom();
    seedRandom(kSeed);
    EXPECT_DOUBLE_EQ(bomb.blast.sizeRate, randomReal(4.0f, 5.0f) / 500.0);
    EXPECT_EQ(nextRandom(), next) << "one draw per start";

    ASSERT_EQ(bomb.particles.count(), 160);
    // First ring: advanced 240 ms, opaque; slow and fast alternate, starting with the slow one.
    const double angle = 2.0 * std::numbers::pi / 16.0;
    const Vector3 direction(float(std::sin(angle)), float(std::cos(angle)), 0.0f);
    expectNear(bomb.particles[0].velocity, direction / 350.0f);
    expectNear(bomb.particles[0].position, Vector3(2, 3, 1.5f) + direction / 350.0f * 240.0f);
    EXPECT_NEAR(bomb.particles[1].velocity.length(), 1.0f / 175.0f, 1e-7f);
    EXPECT_EQ(bomb.particles[0].colour.r, 0.2f);
    EXPECT_EQ(bomb.particles[0].colour.a, 1.0f);
    // Last ring: advanced 48 ms, alpha 0.1.
    EXPECT_FLOAT_EQ(bomb.particles[159].colour.a, 0.1f);
    EXPECT_FLOAT_EQ(bomb.particles[159].colourRate.a, -0.1f / 750.0f);
    expectNear(bomb.particles[159].position,
               Vector3(2, 3, 1.5f) + Vector3(0, 1, 0) / 175.0f * 48.0f);
}

TEST_F(EffectsTest, EmissionStopsAtTheParticleCapacity) {
    BigBomb bomb;
    for (int i = 0; i < 40; ++i) bomb.emitRing(16, 0.0, 1.0f);
    EXPECT_EQ(bomb.particles.count(), BigBomb::kCapacity);
    BoxExplosion sparkle;
    sparkle.emit(100);
    EXPECT_EQ(sparkle.particles.count(), BoxExplosion::kCapacity);
    SuperBomb fire;
    fire.start();
    fire.start();
    EXPECT_EQ(fire.particles.count(), SuperBomb::kCapacity);
}

TEST_F(EffectsTest, EffectsLiveAsLongAsTheirParticles) {
    BigBomb bomb;
    bomb.start();
    // All 160 die in the step after 750 ms, but a dead particle moved into a freed slot is
    // only looked at in the next step: each step removes about half of those left.
    const double bombLived = runUntilDead(bomb, 10.0);
    EXPECT_GE(bombLived, 760.0);
    EXPECT_LE(bombLived, 760.0 + 8 * 10.0);

    BoxExplosion sparkle;
    sparkle.start();
    double longest = 0.0;
    for (int i = 0; i < sparkle.particles.count(); ++i)
        longest = std::max(longest, sparkle.particles[i].life);
    const double lived = runUntilDead(sparkle, 1.0);
    EXPECT_GE(lived, longest);
    EXPECT_LE(lived, longest + 3.0);
    EXPECT_GE(lived, 750.0);
    EXPECT_LE(lived, 1003.0);

    SuperBomb fire;
    fire.start();
    const double fireLived = runUntilDead(fire, 1.0);
    EXPECT_GE(fireLived, 300.0);
    EXPECT_LE(fireLived, 451.0 + 5.0);

    HVExplosion flash;
    flash.setup(HVExplosion::kRow);
    EXPECT_DOUBLE_EQ(runUntilDead(flash, 10.0), 620.0);  // 600 ms, then one step below 0
}

TEST_F(EffectsTest, ABoxExplosionDrawsItsColourOnceThenLifeZYXAndGrowthPerGlint) {
    BoxExplosion sparkle;
    sparkle.position = {5, -2, 0};
    sparkle.start();
    ASSERT_EQ(sparkle.particles.count(), 4);

    seedRandom(kSeed);
    const float* rgb = BoxExplosion::kPalette[random(0, 11)];
    for (int i = 0; i < 4; ++i) {
        const Particle& p = sparkle.particles[i];
        const float life = randomReal(750.0f, 1000.0f);
        const float z = randomReal(-0.5f, 0.5f) + 1.0f;
        const float y = randomReal(-0.5f, 0.5f);
        const float x = randomReal(-0.5f, 0.5f);
        const float growth = randomReal(0.125f, 0.25f);
        EXPECT_EQ(p.life, life);
        EXPECT_EQ(p.position, Vector3(5, -2, 0) + Vector3(x, y, z));
        EXPECT_DOUBLE_EQ(p.sizeRate, growth / p.life);
        EXPECT_EQ(p.colour.r, rgb[0]);
        EXPECT_EQ(p.colour.g, rgb[1]);
        EXPECT_EQ(p.colour.b, rgb[2]);
        EXPECT_EQ(p.colour.a, 1.0f);
        EXPECT_EQ(p.velocity, Vector3());
        EXPECT_EQ(p.size, 0.25);
    }
    const Vector3 before = sparkle.particles[0].position;
    sparkle.update(100.0);
    EXPECT_EQ(sparkle.particles[0].position, before);  // glints stay where they are
    EXPECT_GT(sparkle.particles[0].size, 0.25);
    EXPECT_LT(sparkle.particles[0].colour.a, 1.0f);
}

TEST_F(EffectsTest, SuperBombFireDrawsZYXThenAnIntegerLifeThenGrowth) {
    SuperBomb fire;
    fire.position = {-1, 1, 0.5f};
    fire.start();
    ASSERT_EQ(fire.particles.count(), 32);
    EXPECT_DOUBLE_EQ(fire.blast.sizeRate, 4.0 / 500.0);
    EXPECT_EQ(fire.blast.colour.a, 0.75f);

    seedRandom(kSeed);
    for (int i = 0; i < 32; ++i) {
        const Particle& p = fire.particles[i];
        const float z = randomReal(-0.5f, 0.5f) + 1.0f;
        const float y = randomReal(-1.0f, 1.0f);
        const float x = randomReal(-1.0f, 1.0f);
        const int life = random(300, 450);
        const float growth = randomReal(0.25f, 2.0f);
        EXPECT_EQ(p.position, Vector3(-1, 1, 0.5f) + Vector3(x, y, z));
        EXPECT_EQ(p.life, double(life));
        EXPECT_DOUBLE_EQ(p.sizeRate, growth / double(life));
        EXPECT_FLOAT_EQ(p.colourRate.r, -0.8f / float(life));
        EXPECT_EQ(p.colourRate.a, 0.0f);
    }
}

TEST_F(EffectsTest, CrossFlashesSitFurtherOutGrowSlowerAndDrawTwice) {
    struct Case {
        int16_t direction;
        Vector3 offsetB;
        float low, high;
        int draws;
    };
    for (const Case& c : {Case{HVExplosion::kRow, {0.5f, 0, 0}, 2.5f, 3.0f, 1},
                          Case{HVExplosion::kColumn, {0, 0.5f, 0}, 2.5f, 3.0f, 1},
                          Case{HVExplosion::kCrossVertical, {0, 0.75f, 0}, 1.5f, 2.0f, 2},
                          Case{HVExplosion::kCrossHorizontal, {0.75f, 0, 0}, 1.5f, 2.0f, 2}}) {
        seedRandom(kSeed);
        HVExplosion flash;
        flash.position = {3, 4, 1};
        flash.setup(c.direction);
        const int next = nextRandom();
        seedRandom(kSeed);
        float growth = 0.0f;
        for (int i = 0; i < c.draws; ++i) growth = randomReal(c.low, c.high);
        EXPECT_EQ(nextRandom(), next) << c.direction;
        EXPECT_FLOAT_EQ(float(flash.blastA.sizeRate), growth / 600.0f);
        EXPECT_EQ(flash.blastA.position, Vector3(3, 4, 1) - c.offsetB);
        EXPECT_EQ(flash.blastB.position, Vector3(3, 4, 1) + c.offsetB);
        EXPECT_EQ(flash.blastA.colour.b, 1.1f);
        EXPECT_EQ(flash.blastB.colour.b, 1.0f);
        flash.update(300.0);
        EXPECT_EQ(flash.blastB.life, flash.blastA.life);
        EXPECT_DOUBLE_EQ(flash.blastB.size, flash.blastA.size);
        EXPECT_NEAR(flash.blastA.size, 0.25 + 300.0 * growth / 600.0, 1e-5);
    }
}

TEST_F(EffectsTest, TheListDeletesAnEffectOnlyInTheFrameAfterItFinished) {
    EffectList& list = EffectList::instance();
    auto sign = std::make_unique<Bonus100>();
    sign->start();
    Bonus100* signPointer = sign.get();
    auto clip = std::make_unique<KvClip>();
    clip->layOutFrames(64, 64, 32, 32, 1.0f, 1e6);  // long frames: runs all through the test
    list.add(std::move(sign));
    list.add(std::move(clip));
    list.add(nullptr);
    ASSERT_EQ(list.size(), 2u);

    list.updateAll(1000.0);  // the sign has used up its second but is still alive
    ASSERT_EQ(list.size(), 2u);
    list.updateAll(1.0);  // now it asks to go, and is drawn once more like this
    ASSERT_EQ(list.size(), 2u);
    EXPECT_FALSE(signPointer->alive);
    list.updateAll(1.0);
    ASSERT_EQ(list.size(), 1u);
    EXPECT_NE(dynamic_cast<KvClip*>(&list.at(0)), nullptr);

    list.clear();
    EXPECT_TRUE(list.empty());
}

TEST_F(EffectsTest, TheRegistryClonesItsFivePrototypesByKey) {
    EffectRegistry registry;
    EXPECT_NE(dynamic_cast<Bonus100*>(registry.create(EffectRegistry::kBonus100).get()), nullptr);
    EXPECT_NE(dynamic_cast<BigBomb*>(registry.create(EffectRegistry::kBigBomb).get()), nullptr);
    EXPECT_NE(dynamic_cast<HVExplosion*>(registry.create(EffectRegistry::kHVExplosion).get()),
              nullptr);
    EXPECT_NE(dynamic_cast<BoxExplosion*>(registry.create(EffectRegistry::kBoxExplosion).get()),
              nullptr);
    EXPECT_NE(dynamic_cast<SuperBomb*>(registry.create(EffectRegistry::kSuperBomb).get()), nullptr);
    EXPECT_EQ(registry.create(0), nullptr);
    EXPECT_EQ(registry.create(6), nullptr);

    // A clone runs on its own; the prototype keeps its state and stays alive.
    auto bomb = registry.create(EffectRegistry::kBigBomb);
    bomb->start();
    runUntilDead(*bomb, 100.0);
    const auto* prototype =
        dynamic_cast<const BigBomb*>(registry.prototype(EffectRegistry::kBigBomb));
    ASSERT_NE(prototype, nullptr);
    EXPECT_TRUE(prototype->alive);
    EXPECT_EQ(prototype->particles.count(), 0);
    EXPECT_EQ(prototype->elapsed, -1.0);
}

TEST_F(EffectsTest, AClipPlaysItsFramesOnceThenStops) {
    KvClip clip;
    clip.layOutFrames(256, 256, 64, 64, 1.5f, 40.0);
    EXPECT_EQ(clip.columns, 4);
    EXPECT_EQ(clip.rows, 4);
    EXPECT_EQ(clip.frameCount, 15);
    EXPECT_EQ(clip.elapsed, 0.0);

    clip.update(40.0);  // not more than a frame's time yet
    EXPECT_EQ(clip.frame, 0);
    clip.update(100.0);  // the excess is dropped: one frame per step at most
    EXPECT_EQ(clip.frame, 1);
    EXPECT_EQ(clip.elapsed, 0.0);
    clip.frame = 6;
    float lowU, highU, lowV, highV;
    clip.frameWindow(&lowU, &highU, &lowV, &highV);
    EXPECT_EQ(lowU, 0.25f);
    EXPECT_EQ(highU, 0.5f);
    EXPECT_EQ(lowV, 0.5f);
    EXPECT_EQ(highV, 0.75f);

    double played = 0.0;
    while (clip.alive && played < 10000.0) {
        clip.update(41.0);
        played += 41.0;
    }
    EXPECT_FALSE(clip.alive);
    EXPECT_EQ(clip.elapsed, -1.0);
    EXPECT_EQ(clip.frame, 15);

    auto copy = clip.clone();
    EXPECT_NE(dynamic_cast<KvClip*>(copy.get()), nullptr);
}

TEST_F(EffectsTest, AClipOnANonSquareSheetVisitsEveryFrameOnce) {
    KvClip clip;
    clip.layOutFrames(256, 128, 64, 64, 1.0f, 10.0);  // 4 columns, 2 rows
    ASSERT_EQ(clip.frameCount, 7);
    std::set<std::pair<float, float>> windows;
    for (clip.frame = 0; clip.frame <= clip.frameCount; ++clip.frame) {
        float lowU, highU, lowV, highV;
        clip.frameWindow(&lowU, &highU, &lowV, &highV);
        EXPECT_LE(highU, 1.0f);
        EXPECT_LE(highV, 1.0f);
        windows.insert({lowU, lowV});
    }
    EXPECT_EQ(windows.size(), 8u);
}

TEST_F(EffectsTest, AClipWhoseFramesDoNotFitTheSheetIsLoggedAndEnds) {
    const int errorsBefore = ErrorLog::instance().errorCount();
    for (const auto& [w, h] : {std::pair{0, 64}, std::pair{64, 0}, std::pair{512, 64}}) {
        KvClip clip;
        clip.layOutFrames(256, 256, w, h, 1.0f, 10.0);
        EXPECT_FALSE(clip.alive);
        EXPECT_EQ(clip.elapsed, -1.0);
    }
    EXPECT_EQ(ErrorLog::instance().errorCount(), errorsBefore + 3);
}

TEST(BillboardCornersTest, CornersSpanTheCameraRightAndUpDirections) {
    BillboardCorners corners;
    corners.computeFrom(Matrix4());
    EXPECT_EQ(corners.a, Vector3(-1, 1, 0));
    EXPECT_EQ(corners.b, Vector3(-1, -1, 0));
    EXPECT_EQ(corners.c, Vector3(1, 1, 0));
    EXPECT_EQ(corners.d, Vector3(1, -1, 0));

    // A camera rolled a quarter turn: its right is world -Y and its up world +X.
    corners.computeFrom(Matrix4::rotationZ(float(std::numbers::pi / 2)));
    expectNear(corners.a, {1, 1, 0});
    expectNear(corners.b, {-1, 1, 0});
    expectNear(corners.c, {1, -1, 0});
    expectNear(corners.d, {-1, -1, 0});
}

}  // namespace
}  // namespace brx
