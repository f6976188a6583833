// Short lines the game shows over the top of the board for a few seconds ("No hint found",
// the practice notice). A new line goes below those still showing; each fades out at its end.
#pragma once

#include <string>
#include <vector>

namespace brx {

class BitmapFont;

class GameNotice {
public:
    static constexpr int kShowMs = 3000;
    static constexpr int kFadeMs = 500;  // the last part of kShowMs
    static constexpr int kMaxLines = 3;

    // Shows a line for kShowMs; the same text already showing starts over instead.
    void show(const std::string& text);
    // Advances the lines' time and drops those that have run out.
    void update(int elapsedMs);
    // Draws the lines centred in the 800 x 600 space (the caller sets up the 2D projection).
    void draw(BitmapFont* font) const;
    bool active() const { return !lines_.empty(); }
    void clear() { lines_.clear(); }
    // The texts showing, oldest first.
    std::vector<std::string> texts() const;

private:
    struct Line {
        std::string text;
        int leftMs = 0;
    };
    std::vector<Line> lines_;
};

}  // namespace brx
