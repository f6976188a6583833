// Flight paths: reading path files, the chord-length spline through their points, positions
// at and beyond the ends of the parameter range, and the shuffled order of the path set.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <set>

#include "core/ErrorLog.h"
#include "core/Random.h"
#include "core/ResourceArchive.h"
#include "objects/OWayPoint.h"
#include "objects/PathSet.h"
#include "tests/objects/PathFiles.h"
#include "tests/support/ArchiveBuilder.h"
#include "tests/support/TempDir.h"

namespace brx {
namespace {

constexpr float kSpan = OWayPoint::kParameterSpan;

std::vector<Vector3> parse(const std::string& text) {
    return OWayPoint::parsePoints(text.data(), text.size(), "test.Ase");
}

void expectNear(const Vector3& actual, const Vector3& expected, float tolerance) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
    EXPECT_NEAR(actual.z, expected.z, tolerance);
}

// A square of side 2 in the plane z = 1, closed: five points, four equal chords.
std::vector<Vector3> square() {
    return {{0, 0, 1}, {2, 0, 1}, {2, 2, 1}, {0, 2, 1}, {0, 0, 1}};
}

TEST(PathFileTest, TokensAreCutAtBlanksCommasTabsAndLineFeedsThreeToAPoint) {
    const auto points = parse("1,2,3 4,5,6");
    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(points[0], Vector3(1, 2, 2.875f));
    EXPECT_EQ(points[1], Vector3(4, 5, 5.875f));

    // Runs of separators count as one; a carriage return stays in its token and is ignored
    // after the number; a word reads as 0, and so do words a number parser might accept.
    const auto mixed = parse("  -1.5,,\t+2e1\r\n\n.5 x7 inf\nnan,0x10,-.25\r\n7abc");
    ASSERT_EQ(mixed.size(), 3u);
    EXPECT_EQ(mixed[0], Vector3(-1.5f, 20.0f, 0.5f - 0.125f));
    EXPECT_EQ(mixed[1], Vector3(0.0f, 0.0f, -0.125f));
    EXPECT_EQ(mixed[2], Vector3(0.0f, -0.25f, 7.0f - 0.125f));
}

TEST(PathFileTest, AnIncompleteLastTripleIsDroppedAndLogged) {
    const int errorsBefore = ErrorLog::instance().errorCount();
    const auto points = parse("1 2 3 4 5 6 7 8");
    ASSERT_EQ(points.size(), 2u);
    EXPECT_EQ(points[1], Vector3(4, 5, 5.875f));
    EXPECT_EQ(ErrorLog::instance().errorCount(), errorsBefore + 1);

    EXPECT_TRUE(parse("").empty());
    EXPECT_TRUE(parse(" ,\n\t").empty());
}

TEST(OWayPointTest, EquallySpacedPointsGetEquallySpacedParametersUpToTheSpan) {
    OWayPoint path;
    path.points = square();
    ASSERT_TRUE(path.build());
    ASSERT_EQ(path.count, 5);
    EXPECT_FLOAT_EQ(path.length, 8.0f);
    for (int i = 0; i < 5; ++i) EXPECT_FLOAT_EQ(path.params[size_t(i)], kSpan / 4 * float(i));
    EXPECT_EQ(path.xCubic.size(), 4u);
    EXPECT_EQ(path.zQuadratic.size(), 4u);
    EXPECT_EQ(path.xs, (std::vector<float>{0, 2, 2, 0, 0}));
}

TEST(OWayPointTest, TheSplinePassesThroughEverySampleAndClosesSmoothly) {
    // An uneven loop: chords of different lengths, all three coordinates moving.
    OWayPoint path;
    path.points = {{0, 0, 0}, {3, 1, 0.5f}, {4, 5, 1}, {-1, 6, 0.25f}, {-3, 2, -0.5f}, {0, 0, 0}};
    ASSERT_TRUE(path.build());
    EXPECT_EQ(path.positionAt(0.0f), path.points[0]);
    for (int i = 1; i < path.count; ++i)
        expectNear(path.positionAt(path.params[size_t(i)] - 0.001f), path.points[size_t(i)], 1e-3f);
    // The loop closes with one tangent: the slope leaving the start matches the one arriving.
    const float step = 1.0f;
    const Vector3 leaving = (path.positionAt(step) - path.positionAt(0.0f)) / step;
    const Vector3 arriving =
        (path.positionAt(kSpan - 0.01f) - path.positionAt(kSpan - 0.01f - step)) / step;
    expectNear(leaving, arriving, 2e-4f);
}

TEST(OWayPointTest, PositionsOutsideTheRangeAreClampedToTheEnds) {
    OWayPoint path;
    path.points = square();
    ASSERT_TRUE(path.build());
    expectNear(path.positionAt(kSpan - 0.01f), {0, 0, 1}, 1e-3f);
    EXPECT_EQ(path.positionAt(kSpan), Vector3(0, 0, 1));
    EXPECT_EQ(path.positionAt(1e9f), Vector3(0, 0, 1));
    EXPECT_EQ(path.positionAt(std::numeric_limits<float>::infinity()), Vector3(0, 0, 1));
    EXPECT_EQ(path.positionAt(-5.0f), Vector3(0, 0, 1));
    EXPECT_EQ(path.positionAt(std::numeric_limits<float>::quiet_NaN()), Vector3(0, 0, 1));
}

TEST(OWayPointTest, TooFewOrRepeatedPointsAreRefusedWithoutASpline) {
    OWayPoint path;
    for (const std::vector<Vector3>& bad :
         {std::vector<Vector3>{}, std::vector<Vector3>{{1, 2, 3}},
          std::vector<Vector3>{{1, 2, 3}, {4, 5, 6}},                        // no loop to close
          std::vector<Vector3>{{0, 0, 0}, {1, 0, 0}, {1, 0, 0}, {0, 0, 0}},  // a chord of 0
          std::vector<Vector3>{{1, 1, 1}, {1, 1, 1}, {1, 1, 1}}}) {
        path.points = square();
        ASSERT_TRUE(path.build());
        EXPECT_FALSE(path.rebuild(bad));
        EXPECT_FALSE(path.isBuilt());
        EXPECT_EQ(path.count, 0);
        EXPECT_TRUE(path.params.empty());
        EXPECT_EQ(path.length, 0.0f);
        EXPECT_EQ(path.positionAt(100.0f), Vector3());
    }
}

TEST(OWayPointTest, RebuildLeavesTheFilePointsSoBuildRestoresTheirSpline) {
    OWayPoint path;
    path.points = square();
    ASSERT_TRUE(path.build());
    const std::vector<Vector3> through{{5, 5, -4}, {5, 5, 1}, {0, 0, 1}, {2, 0, 1}, {2, 2, 1}};
    ASSERT_TRUE(path.rebuild(through));
    EXPECT_EQ(path.count, 5);
    EXPECT_EQ(path.points, square());
    EXPECT_EQ(path.positionAt(0.0f), Vector3(5, 5, -4));
    EXPECT_FLOAT_EQ(path.length, 5.0f + distance({5, 5, 1}, {0, 0, 1}) + 4.0f);
    ASSERT_TRUE(path.build());
    EXPECT_FLOAT_EQ(path.length, 8.0f);
    EXPECT_EQ(path.positionAt(0.0f), Vector3(0, 0, 1));
}

class PathArchiveTest : public ::testing::Test {
protected:
    void TearDown() override {
        PathSet::instance().releaseAll();
        ResourceArchive::instance().close();
    }
    testsupport::TempDir folder;
};

TEST_F(PathArchiveTest, LoadReadsTheFileThroughTheArchiveAndRefusesAMissingOrShortOne) {
    ASSERT_TRUE(testsupport::ArchiveBuilder()
                    .add("Data/Splines/1.Ase", "0 0 1.125\n2 0 1.125\n2 2 1.125\n0 0 1.125\n")
                    .add("Data/Splines/2.Ase", "1,1,1 2,2,2")
                    .install(folder));
    OWayPoint path;
    EXPECT_TRUE(path.load("Data/Splines/1.Ase"));
    EXPECT_EQ(path.count, 4);
    EXPECT_EQ(path.points[2], Vector3(2, 2, 1));

    const int errorsBefore = ErrorLog::instance().errorCount();
    EXPECT_FALSE(path.load("Data/Splines/2.Ase"));
    EXPECT_EQ(path.points.size(), 2u);
    EXPECT_FALSE(path.isBuilt());
    EXPECT_FALSE(path.load("Data/Splines/3.Ase"));
    EXPECT_TRUE(path.points.empty());
    EXPECT_EQ(ErrorLog::instance().errorCount(), errorsBefore + 2);
}

// The shuffle as it must come out of the generator: 22 draws, q from 22 down to 2.
std::array<int, PathSet::kPathCount> expectedShuffle() {
    std::array<int, PathSet::kPathCount> a{};
    for (int k = 0; k < PathSet::kPathCount; ++k) a[size_t(k)] = k;
    for (int q = PathSet::kPathCount - 1; q >= 2; --q)
        std::swap(a[size_t(q)], a[size_t(random(0, q - 1))]);
    return a;
}

TEST_F(PathArchiveTest, TheOrderIsASeededPermutationDealtFromItsSecondEntry) {
    testsupport::ArchiveBuilder archive;
    ASSERT_TRUE(testpaths::addAllPaths(archive).install(folder));
    seedRandom(77);
    const auto first = expectedShuffle();
    const auto second = expectedShuffle();
    const int afterTwo = nextRandom();

    seedRandom(77);
    PathSet& set = PathSet::instance();
    set.loadAll();
    for (int k = 0; k < PathSet::kPathCount; ++k) ASSERT_TRUE(set.path(k)->isBuilt()) << k;
    EXPECT_EQ(set.order(), first);
    EXPECT_EQ(set.cursor(), 0);
    std::set<int> seen(first.begin(), first.end());
    EXPECT_EQ(seen.size(), size_t(PathSet::kPathCount));

    // 22 paths, then the order is used up and the next call shuffles again.
    for (int i = 1; i < PathSet::kPathCount; ++i)
        EXPECT_EQ(set.nextPath(), set.path(first[size_t(i)])) << i;
    EXPECT_EQ(set.nextPath(), set.path(second[1]));
    EXPECT_EQ(set.order(), second);
    EXPECT_EQ(set.cursor(), 1);
    EXPECT_EQ(nextRandom(), afterTwo);
}

TEST_F(PathArchiveTest, PathsThatMadeNoSplineAreNeverDealt) {
    testsupport::ArchiveBuilder archive;
    for (int k = 0; k < PathSet::kPathCount; ++k)
        archive.add(PathSet::fileName(k), k % 2 ? testpaths::circleText(8, 3.0f) : "1 2");
    ASSERT_TRUE(archive.install(folder));
    PathSet& set = PathSet::instance();
    set.loadAll();
    for (int i = 0; i < 60; ++i) {
        const OWayPoint* path = set.nextPath();
        ASSERT_NE(path, nullptr);
        EXPECT_TRUE(path->isBuilt());
    }

    set.releaseAll();
    EXPECT_EQ(set.nextPath(), nullptr);
}

TEST_F(PathArchiveTest, TheShippedPathsAreClosedLoopsThatAllLoad) {
    ResourceArchive& resources = ResourceArchive::instance();
    if (!resources.open() || !resources.contains(PathSet::fileName(0)))
        GTEST_SKIP() << "the built archive has no paths";
    PathSet::instance().loadAll();
    for (int k = 0; k < PathSet::kPathCount; ++k) {
        const OWayPoint* path = PathSet::instance().path(k);
        ASSERT_TRUE(path->isBuilt()) << PathSet::fileName(k);
        EXPECT_EQ(path->points.front(), path->points.back()) << PathSet::fileName(k);
        EXPECT_GT(path->length, 0.0f);
        EXPECT_FLOAT_EQ(path->params.back(), kSpan);
    }
}

}  // namespace
}  // namespace brx
