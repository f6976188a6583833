// The glowing trail without a rendering context: it rises through the triggering point and
// follows the dealt path, a second spawn while it runs changes nothing, and it ends before its
// streak would run past the end of the path.
#include <gtest/gtest.h>

#include "core/Random.h"
#include "core/ResourceArchive.h"
#include "objects/PathSet.h"
#include "objects/SplineTrail.h"
#include "tests/objects/PathFiles.h"
#include "tests/support/ArchiveBuilder.h"
#include "tests/support/TempDir.h"

namespace brx {
namespace {

class SplineTrailTest : public ::testing::Test {
protected:
    void SetUp() override {
        testsupport::ArchiveBuilder archive;
        ASSERT_TRUE(testpaths::addAllPaths(archive).install(folder));
        seedRandom(9);
        PathSet::instance().loadAll();
    }
    void TearDown() override {
        SplineTrail::instance().stop();
        PathSet::instance().releaseAll();
        ResourceArchive::instance().close();
    }
    testsupport::TempDir folder;
};

TEST_F(SplineTrailTest, TheTrailRisesFromBelowThroughThePointAndThenFollowsThePath) {
    SplineTrail& trail = SplineTrail::instance();
    const PathSet& set = PathSet::instance();
    const OWayPoint* expected = set.path(set.order()[1]);
    const std::vector<Vector3> filePoints = expected->points;

    trail.spawn({3, -2, 0.75f});
    ASSERT_TRUE(trail.isRunning());
    const OWayPoint& path = *trail.flyer->path;
    EXPECT_EQ(&path, expected);
    EXPECT_EQ(path.count, int(filePoints.size()) + 2);
    EXPECT_EQ(path.positionAt(0.0f), Vector3(3, -2, -4));
    EXPECT_NEAR(path.positionAt(path.params[1]).z, 0.75f, 1e-4f);
    EXPECT_EQ(path.points, filePoints);  // the file's points stay for the next rebuild
    EXPECT_EQ(trail.time, 0.0);

    trail.update(10.0);
    EXPECT_DOUBLE_EQ(trail.time, 10.0 * path.length / 25.0);
    EXPECT_EQ(trail.flyer->position(), path.positionAt(float(trail.time)));
    EXPECT_DOUBLE_EQ(trail.streakLength(), 300000.0 / path.length);
}

TEST_F(SplineTrailTest, ASpawnWhileATrailRunsChangesNothing) {
    SplineTrail& trail = SplineTrail::instance();
    trail.spawn({1, 1, 0.75f});
    ASSERT_TRUE(trail.isRunning());
    trail.update(100.0);
    const double time = trail.time;
    const OWayPoint* path = trail.flyer->path.get();
    const FlyObject* flyer = trail.flyer.get();
    const float length = path->length;
    const int cursor = PathSet::instance().cursor();

    trail.spawn({-6, 2, 0.75f});
    EXPECT_EQ(trail.time, time);
    EXPECT_EQ(trail.flyer.get(), flyer);
    EXPECT_EQ(trail.flyer->path.get(), path);
    EXPECT_EQ(path->length, length);
    EXPECT_EQ(PathSet::instance().cursor(), cursor);
}

TEST_F(SplineTrailTest, TheTrailEndsBeforeItsStreakPassesTheEndOfThePath) {
    SplineTrail& trail = SplineTrail::instance();
    trail.spawn({0, 0, 0.75f});
    ASSERT_TRUE(trail.isRunning());
    const double streak = trail.streakLength();
    const double limit = 60000.0 - streak - 1.0;
    int frames = 0;
    while (trail.isRunning() && frames < 100000) {
        trail.update(16.0);
        if (trail.isRunning()) {
            EXPECT_LE(trail.time, limit);
        }
        ++frames;
    }
    EXPECT_FALSE(trail.isRunning());
    EXPECT_GT(frames, 10);

    // The next spawn takes the next path of the order.
    const int cursor = PathSet::instance().cursor();
    trail.spawn({0, 0, 0.75f});
    EXPECT_TRUE(trail.isRunning());
    EXPECT_EQ(PathSet::instance().cursor(), cursor + 1);
}

TEST_F(SplineTrailTest, APointOnThePathStartIsRefusedAndThePathKeepsItsOwnSpline) {
    SplineTrail& trail = SplineTrail::instance();
    const PathSet& set = PathSet::instance();
    OWayPoint* next = set.path(set.order()[1]);
    const float fileLength = next->length;
    // The trail would pass through the path's first point twice in a row: no spline.
    trail.spawn(next->points.front());
    EXPECT_FALSE(trail.isRunning());
    EXPECT_TRUE(next->isBuilt());
    EXPECT_EQ(next->length, fileLength);
}

// The paths are released (a new context, the end of the run) or reloaded while the trail flies:
// it flies on along its own copy and ends as it would have (clean under ASan).
TEST_F(SplineTrailTest, ReleasingOrReloadingThePathsMidFlightLeavesTheTrailItsPath) {
    SplineTrail& trail = SplineTrail::instance();
    trail.spawn({1, 1, 0.75f});
    ASSERT_TRUE(trail.isRunning());
    const float length = trail.flyer->path->length;
    PathSet::instance().releaseAll();
    trail.update(100.0);
    EXPECT_EQ(trail.flyer->path->length, length);
    PathSet::instance().loadAll();
    for (int step = 0; step < 100000 && trail.isRunning(); ++step) trail.update(50.0);
    EXPECT_FALSE(trail.isRunning()) << "the trail reaches the end of its path";
}

TEST(SplineTrailWithoutPaths, SpawnDoesNothingWhenNoPathIsLoaded) {
    PathSet::instance().releaseAll();
    SplineTrail& trail = SplineTrail::instance();
    trail.spawn({0, 0, 0});
    EXPECT_FALSE(trail.isRunning());
    trail.update(10.0);
    EXPECT_FALSE(trail.isRunning());
}

}  // namespace
}  // namespace brx
