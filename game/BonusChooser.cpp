#include "game/BonusChooser.h"

#include <cmath>

#include "core/ErrorLog.h"

namespace brx {
namespace {

constexpr int kEasyColours = 3;
constexpr int kNormalColours = 4;
constexpr int kAllColours = 5;

// A weight the ranges can use: NaN, infinite and negative values count as nothing.
float usableWeight(float weight) {
    return std::isfinite(weight) && weight > 0.0f ? weight : 0.0f;
}

}  // namespace

BonusChooser& BonusChooser::instance() {
    static BonusChooser chooser;
    return chooser;
}

int BonusChooser::coloursInPlay(int difficulty) {
    if (difficulty <= 0) return kEasyColours;
    if (difficulty == 1) return kNormalColours;
    return kAllColours;
}

void BonusChooser::configure(const std::vector<float>& weights, int difficulty) {
    if (weights.size() < size_t(kWeightCount))
        BRX_LOG_ERROR("Bonus weights: %zu of %d values given, the rest count as 0", weights.size(),
                      kWeightCount);
    weights_.assign(kWeightCount, 0.0f);
    for (size_t i = 0; i < weights.size() && i < size_t(kWeightCount); ++i)
        weights_[i] = usableWeight(weights[i]);

    const int colours = coloursInPlay(difficulty);
    ranges_.clear();
    addRange(0.0f, weights_[0], kBigBomb);
    float start = weights_[0];
    for (int i = 0; i < colours; ++i) {
        addRange(start, weights_[1] / float(colours), kFirstColourBomb + i);
        start += weights_[1] / float(colours);
    }
    // The removers start at the exact sum, not the running one, as the tuning reads them.
    start = weights_[0] + weights_[1];
    const int32_t removers[] = {kRowRemover, kColumnRemover, kCrossRemover};
    for (int i = 0; i < 3; ++i) {
        addRange(start, weights_[2 + i], removers[i]);
        start += weights_[2 + i];
    }
    ranges_.push_back({start, kWholeRange, kUnmovable});
}

void BonusChooser::addRange(float lower, float width, int32_t kind) {
    // A weight of 0 still gets its range [lower, lower]: a draw there that no earlier range
    // took (the draw 0 for the big bomb) goes to this kind.
    ranges_.push_back({lower, lower + width, kind});
}

int32_t BonusChooser::choose(int x) const {
    const float value = float(x);
    for (const Range& range : ranges_)
        if (range.lower <= value && value <= range.upper) return range.kind;
    return kNone;
}

}  // namespace brx
