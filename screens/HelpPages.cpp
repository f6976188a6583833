#include "screens/HelpPages.h"

#include "engine/BitmapFont.h"
#include "game/Board.h"

namespace brx {
namespace {

constexpr float kTitleScale = 0.75f;
constexpr float kNameScale = 0.7f;
constexpr float kTextScale = 0.6f;
constexpr float kTitleY = 536.0f;
constexpr float kTitleStep = 26.0f;
constexpr float kNameStep = 16.0f;
constexpr float kTextStep = 14.0f;
constexpr float kParagraphGap = 7.0f;
// The special-blocks page: text right of the models.
constexpr float kSpecialTextX = 261.0f;
// Keys pages: where the action column starts.
constexpr float kActionX = 352.0f;
// The points table: columns and their spacing.
constexpr int kTableColumns = 4;
constexpr float kTableIndent = 16.0f;
constexpr float kTableColumnStep = 112.0f;
constexpr int kTableSizes[] = {3,  4,  5,  6,  7,  8,  9,  10, 11, 12,
                               15, 20, 25, 30, 40, 50, 60, 70, 80, 97};
// The page number, top right.
constexpr float kPageNumberScale = 0.5f;
constexpr float kPageNumberY = 572.0f;

// The first page as it always stood: rules beside the bonus models.
constexpr struct {
    float x, y;
    bool heading;
    const char* text;
} kRulesPage[] = {
    {181, 536, true, "Game Rules"},
    {181, 516, false, "Detonate the group of 3 (or 2 in Remover)"},
    {181, 500, false, "blocks of same color. These blocks are"},
    {181, 484, false, "selected when the mouse moves over,"},
    {181, 468, false, "just click on the block to take it out. The"},
    {181, 452, false, "bigger the cluster, the larger the score."},
    {181, 424, true, "Bonuses"},
    {261, 396, false, "Remove all blocks and"},
    {261, 380, false, "bonuses around."},
    {261, 340, false, "Blow up all blocks of the same"},
    {261, 324, false, "color on the screen. Can be used"},
    {261, 308, false, "as a part of block of same color."},
    {261, 220, false, "Blowing up a horizontal line."},
    {261, 172, false, "Blowing up a vertical line."},
    {261, 132, false, "Blowing up a vertical and"},
    {261, 116, false, "horizontal lines at once."},
};

struct Entry {
    const char* name;
    const char* text;
};

constexpr Entry kModes[] = {
    {"Remover",
     "The board starts full and nothing new arrives; pairs already count. Clear it for bonus "
     "points and a fresh board. The game ends when no group is left."},
    {"Classic",
     "A new line builds up below the board and rises in when complete; click the tray to call it "
     "early. After a level's lines the board fills with score blocks and the pace quickens. The "
     "game ends when a line would push a column over the top."},
    {"Strategy",
     "No clock: after every move a new line rises, so plan each removal. The next line always "
     "shows. Levels are shorter (20 lines at first); it ends as Classic does."},
    {"Advanced",
     "Classic around fixed blocks: each level adds a layout of them. They never fall and cannot "
     "be removed; rising blocks pass over them."},
    {"Modern",
     "Classic, but every block slides toward the middle whenever the cell beside it is free, so "
     "the heap keeps the shape of a pyramid."},
    {"Puzzle",
     "A handmade board; nothing is added. Remove all but the fixed blocks to solve it; it is lost "
     "when no move is left (Ctrl+Z undoes). The Puzzle button picks one at random: pick a number "
     "and Start for a chosen one."},
};

// In the order of the models beside them.
constexpr Entry kSpecialBlocks[HelpPages::kSpecialCount] = {
    {"Fixed block",
     "Stays where it stands: it never falls, joins no group and no bonus destroys it. Blocks "
     "above it rest on it; rising lines pass over it."},
    {"Unmovable block",
     "Joins no group and line removers leave it; it falls like any block. Only the big bomb "
     "destroys it."},
    {"Big bomb",
     "Click it alone: it blows up every block around it, unmovable ones too, but no fixed "
     "block."},
    {"Colour bombs",
     "Click one alone: every block of its colour goes, anywhere on the board. It also counts as "
     "a block of its colour in a group."},
    {"Row remover", "Click it alone: its whole row goes, but fixed and unmovable blocks stay."},
    {"Column remover",
     "Click it alone: its whole column goes, but fixed and unmovable blocks stay."},
    {"Cross remover",
     "Click it alone: its row and its column go at once, but fixed and unmovable blocks stay."},
};

struct Key {
    const char* keys;
    const char* action;
};

constexpr Key kMouse[] = {
    {"Point", "The group under the pointer lights up"},
    {"Click", "Remove the group, or set off a bonus block"},
    {"Click the tray", "Take the next line at once (below the board)"},
};
constexpr Key kPlayKeys[] = {
    {"Arrows", "Move the block cursor"},
    {"Enter", "Remove the group under the cursor"},
    {"N", "Take the next line"},
    {"Space", "Shake the camera"},
    {"P or Pause", "Pause"},
    {"Ctrl+Z", "Undo"},
    {"Ctrl+Y or Ctrl+Shift+Z", "Redo"},
    {"H", "Hint"},
    {"Esc", "Leave the game"},
};
constexpr Key kEverywhereKeys[] = {
    {"F1", "Help"},
    {"F11", "Full screen"},
    {"Ctrl+N", "New game"},
    {"Ctrl+Q", "Quit"},
};
constexpr Key kMenuKeys[] = {
    {"Tab, Shift+Tab", "Move the focus"},
    {"Up, Down", "Move the focus"},
    {"Enter", "Press"},
    {"Left, Right", "Change a value (on Help: turn the page)"},
    {"PageUp, PageDown", "Turn the Help page"},
    {"Esc", "Back"},
};
constexpr Key kControllerKeys[] = {
    {"D-pad or left stick", "As the arrows"},
    {"A", "Enter"},
    {"B", "Escape"},
    {"X", "Undo"},
    {"Y", "Redo"},
    {"Start", "Pause"},
    {"Shoulder", "Take the next line"},
};

// Writes a page top-down.
class Cursor {
public:
    explicit Cursor(const BitmapFont& font) : font_(font) {}

    void title(const std::string& text) {
        lines_.push_back({HelpPages::kLeft, y_, kTitleScale, text, true});
        y_ -= kTitleStep;
    }
    void name(const std::string& text, float x = HelpPages::kLeft) {
        lines_.push_back({x, y_, kNameScale, text, true});
        y_ -= kNameStep;
    }
    void paragraph(const std::string& text, float x = HelpPages::kLeft) {
        for (const std::string& line : wrapText(font_, text, HelpPages::kRight - x, kTextScale)) {
            lines_.push_back({x, y_, kTextScale, line, false});
            y_ -= kTextStep;
        }
        y_ -= kParagraphGap;
    }
    void keys(const Key* first, const Key* last) {
        for (const Key* key = first; key != last; ++key) {
            lines_.push_back({HelpPages::kLeft, y_, kTextScale, key->keys, true});
            for (const std::string& line :
                 wrapText(font_, key->action, HelpPages::kRight - kActionX, kTextScale)) {
                lines_.push_back({kActionX, y_, kTextScale, line, false});
                y_ -= kTextStep;
            }
        }
        y_ -= kParagraphGap;
    }
    void moveTo(float y) { y_ = y; }
    float y() const { return y_; }
    void add(TextLine line) { lines_.push_back(std::move(line)); }
    std::vector<TextLine> take() { return std::move(lines_); }

private:
    const BitmapFont& font_;
    float y_ = kTitleY;
    std::vector<TextLine> lines_;
};

std::vector<TextLine> rulesPage() {
    std::vector<TextLine> lines;
    for (const auto& line : kRulesPage)
        lines.push_back({line.x, line.y, kTitleScale, line.text, line.heading});
    return lines;
}

std::vector<TextLine> modesPage(const BitmapFont& font) {
    Cursor page(font);
    page.title("The six modes");
    for (const Entry& mode : kModes) {
        page.name(mode.name);
        page.paragraph(mode.text);
    }
    return page.take();
}

std::vector<TextLine> specialBlocksPage(const BitmapFont& font) {
    Cursor page(font);
    page.title("Special blocks");
    for (int k = 0; k < HelpPages::kSpecialCount; ++k) {
        page.moveTo(HelpPages::specialEntryY(k));
        page.name(kSpecialBlocks[k].name, kSpecialTextX);
        page.paragraph(kSpecialBlocks[k].text, kSpecialTextX);
    }
    return page.take();
}

std::vector<TextLine> scoringPage(const BitmapFont& font) {
    Cursor page(font);
    page.title("Scoring");
    page.paragraph(
        "A group scores by its size, and each block more is worth more than the last. Blocks: "
        "points");
    for (size_t i = 0; i < std::size(kTableSizes); ++i) {
        const int size = kTableSizes[i];
        const std::string text = std::to_string(size) + (size == 97 ? "+" : "") + ": " +
                                 std::to_string(Board::groupScore(size));
        const float x =
            HelpPages::kLeft + kTableIndent + kTableColumnStep * float(i % kTableColumns);
        page.add({x, page.y(), kTextScale, text, false});
        if (i % kTableColumns == kTableColumns - 1) page.moveTo(page.y() - kTextStep);
    }
    page.moveTo(page.y() - kParagraphGap);
    page.paragraph("In Remover a pair scores 1. Every block a bonus destroys scores 1.");
    page.name("Level bonus");
    page.paragraph(
        "When a level's last line is in (Classic, Strategy, Advanced, Modern) or a Remover board "
        "is cleared, the empty board fills with score blocks: 1 point each, and 100 more for "
        "every full row of them. Then the next level starts, a little faster.");
    page.name("Puzzle");
    page.paragraph("No fill: the score is what the groups and bonuses brought.");
    page.name("Side panel");
    page.paragraph(
        "Left: the level and the lines left. Right: the score and what the group under the "
        "pointer would bring.");
    return page.take();
}

std::vector<TextLine> playKeysPage(const BitmapFont& font) {
    Cursor page(font);
    page.title("Mouse and keyboard");
    page.name("Mouse");
    page.keys(std::begin(kMouse), std::end(kMouse));
    page.name("Keyboard");
    page.keys(std::begin(kPlayKeys), std::end(kPlayKeys));
    page.name("Anywhere");
    page.keys(std::begin(kEverywhereKeys), std::end(kEverywhereKeys));
    return page.take();
}

std::vector<TextLine> otherKeysPage(const BitmapFont& font) {
    Cursor page(font);
    page.title("Keys on menus, and the game controller");
    page.name("Menus");
    page.keys(std::begin(kMenuKeys), std::end(kMenuKeys));
    page.name("Game controller");
    page.keys(std::begin(kControllerKeys), std::end(kControllerKeys));
    return page.take();
}

}  // namespace

std::vector<TextLine> HelpPages::layout(int page, const BitmapFont& font) {
    switch (page) {
        case kRulesPage:
            return rulesPage();
        case 2:
            return modesPage(font);
        case kSpecialBlocksPage:
            return specialBlocksPage(font);
        case 4:
            return scoringPage(font);
        case 5:
            return playKeysPage(font);
        case 6:
            return otherKeysPage(font);
        default:
            return {};
    }
}

TextLine HelpPages::pageNumber(int page, const BitmapFont& font) {
    const std::string text = std::to_string(page) + " / " + std::to_string(kCount);
    const float width = float(font.textWidth(text)) * kPageNumberScale;
    return {kRight - width, kPageNumberY, kPageNumberScale, text, false};
}

}  // namespace brx
