// Maps a draw from 0 to 99 onto a bonus kind (a bonus prototype key) by the weights of the
// current tuning: big bomb, colour bombs split over the colours in play, row, column and
// cross removers, and the rest up to 100 as unmovable blocks.
//
// Design note: the ranges are inclusive at both ends and searched in building order, so a
// draw on a border goes to the earlier kind. Weights that are missing, negative or not numbers
// count as 0. A kind of weight 0 keeps its one-point range and so still takes a draw on it
// that no earlier range holds: with the big bomb at 0 the draw 0 still brings a big bomb.
// Every draw from 0 to 100 finds a range; anything else gets kNone, which the game turns into
// a plain block.
#pragma once

#include <cstdint>
#include <vector>

namespace brx {

class BonusChooser {
public:
    // Bonus prototype keys.
    static constexpr int32_t kBigBomb = 10;
    static constexpr int32_t kFirstColourBomb = 11;  // + colour id - 1
    static constexpr int32_t kRowRemover = 16;
    static constexpr int32_t kColumnRemover = 17;
    static constexpr int32_t kCrossRemover = 18;
    static constexpr int32_t kUnmovable = 19;
    // The answer for a draw outside every range: no bonus prototype has this key.
    static constexpr int32_t kNone = 20;
    static constexpr int kWeightCount = 5;
    static constexpr float kWholeRange = 100.0f;

    struct Range {
        float lower = 0.0f;  // inclusive
        float upper = 0.0f;  // inclusive
        int32_t kind = kNone;
    };

    // The process-wide chooser, configured by the line modes when a game is built.
    static BonusChooser& instance();

    // Number of colours in play for a difficulty: 3 on Easy, 4 on Normal, 5 above.
    static int coloursInPlay(int difficulty);
    // Stores the weights (percent; missing entries count as 0) and rebuilds the ranges for
    // the difficulty's number of colours.
    void configure(const std::vector<float>& weights, int difficulty);
    // The kind of the first range holding x, or kNone when no range holds it.
    int32_t choose(int x) const;

    const std::vector<float>& weights() const { return weights_; }
    const std::vector<Range>& ranges() const { return ranges_; }

private:
    void addRange(float lower, float width, int32_t kind);

    std::vector<float> weights_ = std::vector<float>(kWeightCount, 0.0f);
    std::vector<Range> ranges_;
};

}  // namespace brx
