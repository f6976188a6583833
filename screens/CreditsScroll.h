// The rolling credits as data: the lines of the credits file with their colour, scale and
// place, moving up the 800 x 600 virtual screen at a fixed speed, and the fade that hides them
// near the top and bottom edges. Kept apart from the screen so it runs without a GL context.
//
// Design note: the file may use CR LF or bare LF line ends; a carriage return before the line
// feed is dropped, so a heading mark "#" is found either way. A line feed that ends the file
// does not start another, empty line. Short and empty lines are ordinary (blank) lines.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "engine/O2D.h"

namespace brx {

struct CreditLine {
    Rgba colour;
    float scale;
    float x, y;  // virtual units, y upwards
    std::string text;
};

class CreditsScroll {
public:
    static constexpr float kTextScale = 0.75f;
    static constexpr float kLineSpacing = 18.0f;  // units between two lines
    static constexpr int kFirstLineNumber = -2;   // the first line starts at y 36
    static constexpr float kSpeedPerMs = 0.05f;   // units per millisecond, upwards
    static constexpr float kScreenTop = 600.0f;   // the last line past this ends the scroll
    static constexpr float kFadeBand = 50.0f;     // units over which a line fades in or out
    static constexpr char kHeadingMark = '#';
    static constexpr Rgba kHeadingColour{1.0f, 1.0f, 0.0f, 1.0f};
    static constexpr Rgba kTextColour{1.0f, 1.0f, 1.0f, 1.0f};

    // Width of a text at scale 1 (units).
    using TextWidth = std::function<float(const std::string&)>;

    // Replaces the lines with those of a credits file's text and lays them out from the start.
    void load(const std::string& fileText, const TextWidth& width);
    // Centres every line and puts the scroll back at its start.
    void restart(const TextWidth& width);
    // Moves every line up by elapsedMs of scrolling.
    void advance(int elapsedMs);
    // True when there is nothing (more) to show: no lines, or the last has left the top.
    bool finished() const;

    // The alpha a line gets at height y: fading in over the bottom band, out over the top one.
    static float fadeAt(float y);

    const std::vector<CreditLine>& lines() const { return lines_; }

private:
    std::vector<CreditLine> lines_;
};

}  // namespace brx
