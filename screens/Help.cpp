#include "screens/Help.h"

#include <GL/gl.h>

#include "core/DataManifest.h"
#include "core/SystemSettings.h"
#include "engine/BitmapFont.h"
#include "engine/OCamera.h"
#include "engine/OTextStack.h"
#include "game/Bonus.h"
#include "game/ColorBomb.h"
#include "game/RemoveHLine.h"
#include "game/RemoveHVLine.h"
#include "objects/BlockPrototypes.h"
#include "objects/Box.h"
#include "objects/ColorTable.h"
#include "screens/BlockLighting.h"
#include "screens/ScreenDecoration.h"
#include "screens/ScreenKit.h"

namespace brx {
namespace {

constexpr float kCameraFovDegrees = 45.0f;
constexpr float kCameraNear = 1.0f;
constexpr float kCameraFar = 256.0f;
const Vector3 kCameraPosition(0.0f, 0.0f, 22.0f);
const Vector3 kLightPosition(0.0f, 0.0f, 26.0f);
constexpr float kTextScale = 0.75f;

// The kinds of bonus block shown.
enum class Kind { kBigBomb, kColourBomb, kRowRemover, kColumnRemover, kCrossRemover };

// The bonus blocks shown, with the material each is drawn in and where it stands (world).
struct DemoBlock {
    Kind kind;
    const char* model;
    const char* material;
    int32_t colour;
    float x, y, z;
};
constexpr DemoBlock kDemoBlocks[Help::kDemoBlockCount] = {
    {Kind::kBigBomb, "Bonuses/BigBomb.Asvm", "Black", Box::kNoColour, -5.5f, 3.0f, 0.0f},
    {Kind::kColourBomb, "Bonuses/RedBomb.Asvm", "Red", Box::kRed, -5.5f, 1.5f, 0.0f},
    {Kind::kColourBomb, "Bonuses/GreenBomb.Asvm", "Green", Box::kGreen, -4.95f, 1.0f, 0.25f},
    {Kind::kColourBomb, "Bonuses/BlueBomb.Asvm", "Blue", Box::kBlue, -5.5f, 0.5f, 0.5f},
    {Kind::kColourBomb, "Bonuses/WhiteBomb.Asvm", "White", Box::kWhite, -4.95f, 0.0f, 0.75f},
    {Kind::kColourBomb, "Bonuses/YellowBomb.Asvm", "Yellow", Box::kYellow, -5.375f, -0.5f, 1.0f},
    {Kind::kRowRemover, "Bonuses/hLine.Asvm", "ArrowBonus", Box::kNoColour, -5.5f, -2.0f, 0.0f},
    {Kind::kColumnRemover, "Bonuses/vLine.Asvm", "ArrowBonus", Box::kNoColour, -5.5f, -3.5f, 0.0f},
    {Kind::kCrossRemover, "Bonuses/hvLine.Asvm", "ArrowBonus", Box::kNoColour, -5.5f, -5.0f, 0.0f},
};

// A bonus block of the kind, made as the game's prototypes are (shadow mode 1, colour 1).
std::unique_ptr<Box> makeBonus(Kind kind) {
    switch (kind) {
        case Kind::kBigBomb:
            return std::make_unique<Bonus>(KvModel::kNoShadow);
        case Kind::kColourBomb:
            return std::make_unique<ColorBomb>(KvModel::kNoShadow, Box::kRed);
        case Kind::kRowRemover:
        case Kind::kColumnRemover: {
            auto remover = std::make_unique<RemoveHLine>(KvModel::kNoShadow, Box::kRed);
            remover->horizontal = kind == Kind::kRowRemover;
            return remover;
        }
        case Kind::kCrossRemover:
            break;
    }
    return std::make_unique<RemoveHVLine>(KvModel::kNoShadow, Box::kRed);
}

// The first page: where each line starts (virtual units) and whether it is a heading.
struct PageLine {
    float x, y;
    bool heading;
    const char* text;
};
constexpr PageLine kPageOne[] = {
    {181, 536, true, "Game Rules"},
    {181, 516, false, "Detonate the group of 3 (or 2 in Remover)"},
    {181, 500, false, "blocks of same color. These blocks are"},
    {181, 484, false, "selected  when the mouse moves over,"},
    {181, 468, false, "just click on the block to take it out. The"},
    {181, 452, false, "bigger the cluster, the large the score."},
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

}  // namespace

Help::Help() : ORenderWindow(kScreenHelp) {}

Help::~Help() = default;

bool Help::init() {
    addControl(makeDoneButton(fontOf(*this), kDoneCommand).release());
    helpCamera_ = std::make_unique<OCamera>(float(width()), float(height()), kCameraFovDegrees,
                                            kCameraNear, kCameraFar);
    helpCamera_->setPosition(kCameraPosition);
    for (int index = 0; index < DataManifest::kSkinCount; ++index) {
        skins_.emplace_back();
        skins_.back().load(DataManifest::skinTexture(index), true);
    }
    createBlocks();
    return true;
}

void Help::createBlocks() {
    ColorTable colours;
    colours.load();
    for (const DemoBlock& demo : kDemoBlocks) {
        const Material material = colours.material(demo.material);
        BlockPrototypes::ModelSetUp setUp;
        setUp.ownMaterial = &material;
        std::unique_ptr<Box> block = makeBonus(demo.kind);
        BlockPrototypes::prepareModel(*block, demo.model, setUp);
        block->colour = demo.colour;
        block->setPosition(Vector3(demo.x, demo.y, demo.z));
        blocks_.push_back(std::move(block));
    }
}

void Help::activate() {
    page_ = 1;
}

void Help::draw() {
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    ORenderWindow::draw();
    drawBlocks();
    beginScreen2D(*this);
    drawSideLines();
    if (page_ == 1) drawPageText();
    if (BitmapFont* font = fontOf(*this)) font->setColour(1.0f, 1.0f, 1.0f, 1.0f);
    glEnable(GL_DEPTH_TEST);
}

void Help::drawBlocks() {
    glEnable(GL_DEPTH_TEST);
    glDepthMask(GL_TRUE);
    glDepthFunc(GL_LEQUAL);
    helpCamera_->apply(float(width()), float(height()));
    lightBlocks(kLightPosition);
    const int skin = SystemSettings::instance().skinIndex;
    if (skin >= 0 && skin < int(skins_.size())) skins_[size_t(skin)].bind();
    for (const auto& block : blocks_) block->draw();
    if (SymbolDecal::wanted() && symbols_.begin()) {
        for (const auto& block : blocks_) symbols_.drawOn(*block);
        symbols_.end();
    }
    unlightBlocks();
}

void Help::drawPageText() const {
    BitmapFont* font = fontOf(*this);
    if (!font) return;
    for (const PageLine& line : kPageOne) {
        if (line.heading) {
            font->setColour(1.0f, 1.0f, 0.0f, 1.0f);
        } else {
            font->setColour(1.0f, 1.0f, 1.0f, 1.0f);
        }
        font->drawText(line.x, line.y, line.text, false, kTextScale);
    }
}

bool Help::isAnimating() const {
    return controlsAnimating();
}

bool Help::onEvent(const InputEvent& event) {
    if (ORenderWindow::onEvent(event)) return true;
    if (!isEscapePress(event)) return false;
    switchScreen(*this, kScreenMenu);
    return true;
}

bool Help::onCommand(int controlId, int /*value*/) {
    if (controlId == kDoneCommand) switchScreen(*this, kScreenMenu);
    return true;
}

}  // namespace brx
