// The text of the help pages, laid out in the 800 x 600 interface space: the rules and bonuses
// beside their models, the six modes, the special blocks beside theirs, scoring, and two pages
// of keys. Laid out with the font's own advances, so a page is measured exactly as it is drawn.
//
// Design note: the first page keeps its hand-placed lines; the others are written top-down by a
// cursor that wraps paragraphs to the column between the side lines. The special-blocks page
// places one entry every kSpecialStep units from kSpecialFirstTop, and the help screen puts each
// block model level with its entry.
#pragma once

#include <string>
#include <vector>

#include "screens/TextLayout.h"

namespace brx {

class BitmapFont;

class HelpPages {
public:
    static constexpr int kCount = 6;
    // Pages with block models beside their text.
    static constexpr int kRulesPage = 1;
    static constexpr int kSpecialBlocksPage = 3;
    // The special-blocks page: entries from the top, one every kSpecialStep units.
    static constexpr int kSpecialCount = 7;
    static constexpr float kSpecialFirstTop = 502.0f;
    static constexpr float kSpecialStep = 64.0f;
    // The column text stands in (virtual x), between the side lines.
    static constexpr float kLeft = 172.0f;
    static constexpr float kRight = 640.0f;

    // The lines of a page (1 to kCount); none for another number.
    static std::vector<TextLine> layout(int page, const BitmapFont& font);
    // The page number as shown at the top right ("2 / 6").
    static TextLine pageNumber(int page, const BitmapFont& font);
    // Baseline of the name of special-blocks entry k (0 at the top).
    static float specialEntryY(int k) { return kSpecialFirstTop - kSpecialStep * float(k); }
};

}  // namespace brx
