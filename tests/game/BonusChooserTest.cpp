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

TEST(BonusChooser, AKindOfWeightZeroIsNeverChosen) {
    BonusChooser chooser;
    chooser.configure({0, 30, 0, 20, 0}, 1);
    const auto counts = countKinds(chooser);
    EXPECT_EQ(counts.count(10), 0u);  // the draw 0 goes to the first colour bomb
    EXPECT_EQ(counts.count(16), 0u);
    EXPECT_EQ(counts.count(18), 0u);
    EXPECT_EQ(chooser.choose(0), 11);
    // An empty list leaves only unmovable blocks.
    chooser.configure({}, 2);
    EXPECT_EQ(countKinds(chooser), (std::map<int32_t, int>{{19, 100}}));
}

}  // namespace
}  // namespace brx
