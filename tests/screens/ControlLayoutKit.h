// Where a screen's controls and their captions stand, as rectangles in the virtual 800 x 600
// space, so layout tests can ask whether anything overlaps and whether texts fit their boxes.
#pragma once

#include <string>
#include <vector>

#include "engine/BitmapFont.h"
#include "engine/KvCheckBox.h"
#include "engine/KvIncDec.h"
#include "engine/KvSlider.h"
#include "engine/OTextStack.h"
#include "shell/ORenderWindow.h"

namespace screentest {

struct Area {
    std::string what;
    float left = 0, bottom = 0, right = 0, top = 0;

    bool overlaps(const Area& other) const {
        return left < other.right && other.left < right && bottom < other.top && other.bottom < top;
    }
};

inline std::string describe(const Area& area) {
    return area.what + " [" + std::to_string(int(area.left)) + ".." +
           std::to_string(int(area.right)) + "] x [" + std::to_string(int(area.bottom)) + ".." +
           std::to_string(int(area.top)) + "]";
}

// The rectangles a player can point at: each shown control's box, each arrow of a stepper.
inline std::vector<Area> controlAreas(const brx::ORenderWindow& screen) {
    std::vector<Area> areas;
    for (std::size_t i = 0; i < screen.controlCount(); ++i) {
        const brx::OControl* control = screen.control(i);
        if (!control->visible() || control->hidden()) continue;
        const std::string id = std::to_string(control->controlId());
        if (const auto* arrows = dynamic_cast<const brx::KvIncDec*>(control)) {
            for (const int16_t x : {arrows->leftArrowX(), arrows->rightArrowX()}) {
                areas.push_back({"arrow of " + id, float(x), float(arrows->y()),
                                 float(x + arrows->arrowWidth()),
                                 float(arrows->y() + arrows->arrowHeight())});
            }
            continue;
        }
        const auto* placed = dynamic_cast<const brx::O2D*>(control);
        if (!placed) continue;
        areas.push_back({"control " + id, float(placed->x()), float(placed->y()),
                         float(placed->x() + placed->width()),
                         float(placed->y() + placed->height())});
    }
    return areas;
}

// Every text a cycler can show, first to last (its current item is kept).
inline std::vector<std::string> itemTexts(brx::OTextStack& stack) {
    const int kept = stack.currentKey();
    for (std::size_t i = 0; i < stack.itemCount(); ++i) stack.previous();
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < stack.itemCount(); ++i) {
        texts.push_back(stack.currentText());
        stack.next();
    }
    stack.setCurrent(kept);
    return texts;
}

// The caption drawn left of a control at (x, y) with the given height.
inline Area captionArea(const brx::BitmapFont& font, const std::string& caption, float scale,
                        float x, float y, float height) {
    const float right = x - brx::OControl::kLabelGap;
    return {"caption \"" + caption + "\"", right - float(font.textWidth(caption)) * scale, y, right,
            y + height};
}

}  // namespace screentest
