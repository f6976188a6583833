#include "screens/CreditsScroll.h"

#include <algorithm>

namespace brx {
namespace {

constexpr float kVirtualWidth = 800.0f;

// One line of the file: the carriage return of a CR LF pair and a heading mark dropped.
CreditLine parseLine(std::string text) {
    if (!text.empty() && text.back() == '\r') text.pop_back();
    CreditLine line{CreditsScroll::kTextColour, CreditsScroll::kTextScale, 0.0f, 0.0f, {}};
    if (!text.empty() && text.back() == CreditsScroll::kHeadingMark) {
        text.pop_back();
        line.colour = CreditsScroll::kHeadingColour;
    }
    line.text = std::move(text);
    return line;
}

}  // namespace

void CreditsScroll::load(const std::string& fileText, const TextWidth& width) {
    lines_.clear();
    std::size_t start = 0;
    while (start < fileText.size()) {
        std::size_t end = fileText.find('\n', start);
        if (end == std::string::npos) end = fileText.size();
        lines_.push_back(parseLine(fileText.substr(start, end - start)));
        start = end + 1;
    }
    restart(width);
}

void CreditsScroll::restart(const TextWidth& width) {
    int number = kFirstLineNumber;
    for (CreditLine& line : lines_) {
        const float textWidth = width ? width(line.text) : 0.0f;
        line.x = (kVirtualWidth - textWidth * line.scale) / 2.0f;
        line.y = -kLineSpacing * float(number++);
    }
}

void CreditsScroll::advance(int elapsedMs) {
    const float rise = kSpeedPerMs * float(elapsedMs);
    for (CreditLine& line : lines_) line.y += rise;
}

bool CreditsScroll::finished() const {
    return lines_.empty() || lines_.back().y > kScreenTop;
}

float CreditsScroll::fadeAt(float y) {
    float fade = 1.0f;
    if (y < kFadeBand) fade = y / kFadeBand;
    if (y > kScreenTop - kFadeBand) fade = (kScreenTop - y) / kFadeBand;
    // Clamped before squaring: a line still below the screen must not square to visible.
    fade = std::clamp(fade, 0.0f, 1.0f);
    return fade * fade;
}

}  // namespace brx
