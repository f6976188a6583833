#include "screens/ModeDescriptions.h"

#include "engine/BitmapFont.h"
#include "screens/SelectGame.h"

namespace brx {
namespace {

struct Description {
    int commandId;
    const char* text;
};

constexpr Description kDescriptions[] = {
    {SelectGame::kRemoverId,
     "A full board and nothing new arrives; pairs count. Ends when no group is left."},
    {SelectGame::kClassicId,
     "New lines rise from below against the clock. Ends when a column reaches the top."},
    {SelectGame::kStrategyId,
     "After every move a new line rises: plan each removal. Ends when a column reaches the "
     "top."},
    {SelectGame::kAdvancedId,
     "Classic around fixed blocks that never fall. Ends when a column reaches the top."},
    {SelectGame::kModernId,
     "Classic, but blocks keep sliding toward the middle. Ends when a column reaches the top."},
    {SelectGame::kPuzzleId,
     "A random handmade puzzle; pick a number and Start for a chosen one. Ends solved or "
     "stuck."},
    {SelectGame::kStartId, "Plays the puzzle whose number is shown."},
    {SelectGame::kRandomId, "Plays a random handmade puzzle."},
};

}  // namespace

std::string ModeDescriptions::text(int commandId) {
    for (const Description& description : kDescriptions)
        if (description.commandId == commandId) return description.text;
    return {};
}

std::vector<TextLine> ModeDescriptions::layout(int commandId, float buttonBottom, float buttonTop,
                                               const BitmapFont& font) {
    const std::vector<std::string> wrapped =
        wrapText(font, text(commandId), kRight - kLeft, kScale);
    // The block of lines: from the first baseline down by kLineStep each, a glyph cell high.
    const float cell = float(BitmapFont::kCellPixels) * kScale;
    const float height = kLineStep * float(wrapped.size()) + (cell - kLineStep);
    float y = (buttonBottom + buttonTop) / 2.0f + height / 2.0f - cell;
    std::vector<TextLine> lines;
    for (const std::string& line : wrapped) {
        lines.push_back({kLeft, y, kScale, line, false});
        y -= kLineStep;
    }
    return lines;
}

}  // namespace brx
