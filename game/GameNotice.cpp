#include "game/GameNotice.h"

#include <algorithm>

#include "engine/BitmapFont.h"

namespace brx {
namespace {

constexpr float kCentreX = 400.0f;
constexpr float kTopLineY = 548.0f;  // just below the top edge of the board
constexpr float kLineHeight = 22.0f;
constexpr float kTextScale = 0.6f;

}  // namespace

void GameNotice::show(const std::string& text) {
    for (Line& line : lines_) {
        if (line.text != text) continue;
        line.leftMs = kShowMs;
        return;
    }
    if (static_cast<int>(lines_.size()) >= kMaxLines) lines_.erase(lines_.begin());
    lines_.push_back({text, kShowMs});
}

void GameNotice::update(int elapsedMs) {
    for (Line& line : lines_) line.leftMs -= elapsedMs;
    std::erase_if(lines_, [](const Line& line) { return line.leftMs <= 0; });
}

void GameNotice::draw(BitmapFont* font) const {
    if (!font) return;
    float y = kTopLineY;
    for (const Line& line : lines_) {
        const float alpha = std::min(1.0f, float(line.leftMs) / kFadeMs);
        font->setColour(1.0f, 1.0f, 0.6f, alpha);
        const float width = font->textWidth(line.text) * kTextScale;
        font->drawText(kCentreX - width / 2.0f, y, line.text, true, kTextScale, 0);
        y -= kLineHeight;
    }
    font->setColour(1.0f, 1.0f, 1.0f, 1.0f);
}

std::vector<std::string> GameNotice::texts() const {
    std::vector<std::string> result;
    for (const Line& line : lines_) result.push_back(line.text);
    return result;
}

}  // namespace brx
