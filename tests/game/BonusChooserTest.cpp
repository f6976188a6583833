// The bonus chooser: which kind each draw from 0 to 99 gives on every difficulty, borders
// going to the earlier kind, and damaged weight lists that never leave a draw without a kind.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <map>

#include "game/BonusChooser.h"

namespace brx {
namespace {

const std::vector<float> kWeights = {14, 32, 20, 20, 10};

// How often each kind answers the draws 0 to 99.
std::map<int32_t, int> countKinds(const BonusChooser& chooser) {
    std::map<int32_t, int> counts;
    for (int x = 0; x < 100; ++x) ++counts[chooser.choose(x)];
    return counts;
}

TEST(BonusChooser, EasySplitsTheColourBombsOverThreeColoursWithBordersToTheEarlierKind) {
    BonusChooser chooser;
    chooser.configure(kWeights, 0);
    // [0,14] bomb, [14,24.7] red, [24.7,35.3] blue, [35.3,46] green, [46,66] row,
    // [66,86] column, [86,96] cross, [96,100] unmovable.
    const std::pair<int, int32_t> expected[] = {
        {0, 10},  {14, 10}, {15, 11}, {24, 11}, {25, 12}, {35, 12}, {36, 13}, {46, 13},
        {47, 16}, {66, 16}, {67, 17}, {86, 17}, {87, 18}, {96, 18}, {97, 19}, {99, 19}};
    for (const auto& [x, kind] : expected) EXPECT_EQ(chooser.choose(x), kind) << "draw " << x;
    const auto counts = countKinds(chooser);
    EXPECT_EQ(counts.count(14), 0u);
    EXPECT_EQ(counts.count(15), 0u);
    EXPECT_EQ(counts.count(BonusChooser::kNone), 0u);
}

TEST(BonusChooser, NormalAndHarderDifficultiesBringMoreColours) {
    BonusChooser normal;
    normal.configure(kWeights, 1);  // colour bombs of 8 each from 14
    EXPECT_EQ(normal.choose(22), 11);
    EXPECT_EQ(normal.choose(23), 12);
    EXPECT_EQ(normal.choose(38), 13);
    EXPECT_EQ(normal.choose(46), 14);
    EXPECT_EQ(countKinds(normal).count(15), 0u);
    for (int difficulty : {2, 3}) {
        BonusChooser chooser;
        chooser.configure(kWeights, difficulty);  // 6.4 each from 14
        EXPECT_EQ(chooser.choose(20), 11);
        EXPECT_EQ(chooser.choose(21), 12);
        EXPECT_EQ(chooser.choose(40), 15);
        EXPECT_EQ(chooser.choose(46), 15);
        EXPECT_EQ(chooser.choose(47), 16);
        const auto counts = countKinds(chooser);
        for (int32_t kind = 10; kind <= 19; ++kind) EXPECT_GT(counts.at(kind), 0) << kind;
    }
}

TEST(BonusChooser, ShortMissingOrDamagedWeightsCountAsZeroAndEveryDrawFindsAKind) {
    const std::vector<std::vector<float>> damaged = {
        {},
        {14},
        {14, 32},
        {std::nanf(""), -5, std::numeric_limits<float>::infinity(), 20, 10},
        {60, 60, 60, 60, 60},  // sums past 100
    };
    for (const auto& weights : damaged) {
        for (int difficulty = 0; difficulty < 4; ++difficulty) {
            BonusChooser chooser;
            chooser.configure(weights, difficulty);
            ASSERT_EQ(chooser.weights().size(), 5u);
            for (float w : chooser.weights()) EXPECT_TRUE(std::isfinite(w) && w >= 0.0f);
            for (int x = 0; x <= 100; ++x) {
                const int32_t kind = chooser.choose(x);
                EXPECT_GE(kind, 10);
                EXPECT_LE(kind, 19);
            }
        }
    }
    // Nothing configured, or a draw outside 0..100: no bonus kind at all.
    BonusChooser blank;
    EXPECT_EQ(blank.choose(50), BonusChooser::kNone);
    blank.configure(kWeights, 0);
    EXPECT_EQ(blank.choose(-1), BonusChooser::kNone);
    EXPECT_EQ(blank.choose(101), BonusChooser::kNone);
}

TEST(BonusChooser, AKindOfWeightZeroKeepsItsOnePointRangeBehindEarlierKinds) {
    BonusChooser chooser;
    chooser.configure({0, 30, 0, 20, 0}, 1);
    // [0,0] bomb, four colour bombs of 7.5 from 0, [30,30] row, [30,50] column, [50,50] cross,
    // [50,100] unmovable: the bomb's point is its own, the row's and the cross's are taken by
    // the kinds before them.
    ASSERT_EQ(chooser.ranges().size(), 9u);
    EXPECT_EQ(chooser.ranges()[0].upper, 0.0f);
    EXPECT_EQ(chooser.ranges()[5].lower, 30.0f);
    EXPECT_EQ(chooser.ranges()[5].upper, 30.0f);
    EXPECT_EQ(chooser.choose(0), 10);
    EXPECT_EQ(chooser.choose(1), 11);
    EXPECT_EQ(chooser.choose(30), 14);
    EXPECT_EQ(chooser.choose(50), 17);
    EXPECT_EQ(
        countKinds(chooser),
        (std::map<int32_t, int>{{10, 1}, {11, 7}, {12, 8}, {13, 7}, {14, 8}, {17, 20}, {19, 49}}));
    // An empty list: the draw 0 is a big bomb, everything else an unmovable block.
    chooser.configure({}, 2);
    EXPECT_EQ(countKinds(chooser), (std::map<int32_t, int>{{10, 1}, {19, 99}}));
}

}  // namespace
}  // namespace brx
