// The floating score texts of the running game. The modes advance the list every frame and
// the game's draw step draws it; a text is dropped once it has faded out.
#pragma once

#include <cstddef>
#include <vector>

#include "game/ScoreText.h"

namespace brx {

class ScoreTextList {
public:
    // The process-wide list, created on first use.
    static ScoreTextList& instance();

    void add(const ScoreText& text) { texts_.push_back(text); }
    // Advances every text by ms and drops those that have faded out.
    void updateAll(int elapsedMs);
    // Draws every text (GL; depth test off meanwhile, font colour reset to white afterwards).
    void drawAll() const;
    void clear() { texts_.clear(); }

    std::size_t size() const { return texts_.size(); }
    const ScoreText& at(std::size_t i) const { return texts_[i]; }

private:
    ScoreTextList() = default;

    std::vector<ScoreText> texts_;
};

}  // namespace brx
