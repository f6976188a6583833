#include "screens/Help.h"

#include <GL/gl.h>

#include <algorithm>
#include "core/DataManifest.h"
#include "core/SystemSettings.h"
#include "engine/BitmapFont.h"
#include "engine/OCamera.h"
#include "engine/OTextStack.h"

#include "game/Bonus.h"
#include "game/BonusChooser.h"
#include "game/BonusPrototypes.h"
#include "game/ColorBomb.h"
#include "game/RemoveHLine.h"
#include "game/RemoveHVLine.h"
#include "objects/BlockPrototypes.h"
#include "objects/Box.h"
#include "objects/ColorTable.h"
#include "screens/BlockLighting.h"
#include "screens/HelpPages.h"
#include "screens/ScreenDecoration.h"
#include "screens/ScreenKit.h"

namespace brx {
namespace {

constexpr float kCameraFovDegrees = 45.0f;
constexpr float kCameraNear = 1.0f;
constexpr float kCameraFar = 256.0f;
const Vector3 kCameraPosition(0.0f, 0.0f, 22.0f);
const Vector3 kLightPosition(0.0f, 0.0f, 26.0f);

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

// Prev and Next, as on the high-score screen: Next stands right of where Prev's width ends.
constexpr const char* kPrevSkin = "Interface/Prev.Tga";
constexpr const char* kNextSkin = "Interface/Next.Tga";
constexpr int kPrevX = 190;
constexpr int kNextGap = 185 - kPrevX;
constexpr int kPagingY = 10;
// Key codes that turn the page besides the arrows.
constexpr uint16_t kPageUpKey = 33;
constexpr uint16_t kPageDownKey = 34;
// The special blocks stand left of their text, level with it (world units; the camera sees
// kHalfViewHeight units above and below the middle of the board plane).
constexpr float kSpecialModelX = -5.5f;
constexpr float kHalfViewHeight = 9.1126f;  // 22 * tan(22.5 degrees)
constexpr float kModelBelowName = 6.0f;     // virtual units under the entry's name line
// Prototype keys of the special blocks, in the order of their entries.
struct SpecialBlock {
    bool bonusMap;
    int32_t key;
};
constexpr SpecialBlock kSpecialBlocks[HelpPages::kSpecialCount] = {
    {false, BlockPrototypes::kFixedKey}, {true, BonusChooser::kUnmovable},
    {true, BonusChooser::kBigBomb},      {true, BonusChooser::kFirstColourBomb},
    {true, BonusChooser::kRowRemover},   {true, BonusChooser::kColumnRemover},
    {true, BonusChooser::kCrossRemover},
};

float worldYOfVirtual(float y) {
    const float half = ORenderWindow::kVirtualHeight / 2.0f;
    return (y - half) / half * kHalfViewHeight;
}

}  // namespace

Help::Help() : ORenderWindow(kScreenHelp) {}

Help::~Help() = default;

bool Help::init() {
    BitmapFont* font = fontOf(*this);
    addControl(makeDoneButton(font, kDoneCommand).release());
    auto prev = makeButton(font, kPrevCommand, kPrevSkin, kPrevX, kPagingY);
    const int nextX = kPrevX + kNextGap + prev->skin().width();
    addControl(prev.release());
    addControl(makeButton(font, kNextCommand, kNextSkin, nextX, kPagingY).release());
    helpCamera_ = std::make_unique<OCamera>(float(width()), float(height()), kCameraFovDegrees,
                                            kCameraNear, kCameraFar);
    helpCamera_->setPosition(kCameraPosition);
    for (int index = 0; index < DataManifest::kSkinCount; ++index) {
        skins_.emplace_back();
        skins_.back().load(DataManifest::skinTexture(index), true);
    }
    createBlocks();
    createSpecialBlocks();
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

void Help::createSpecialBlocks() {
    prototypes_ = std::make_unique<BlockPrototypes>();
    prototypes_->setUp(nullptr, BonusPrototypes::builderFor(nullptr));
    for (int k = 0; k < HelpPages::kSpecialCount; ++k) {
        const SpecialBlock& special = kSpecialBlocks[k];
        std::unique_ptr<Box> block = special.bonusMap ? prototypes_->cloneBonus(special.key)
                                                      : prototypes_->cloneBlock(special.key);
        if (!block) continue;
        const float y = worldYOfVirtual(HelpPages::specialEntryY(k) - kModelBelowName);
        block->setPosition(Vector3(kSpecialModelX, y, 0.0f));
        specialBlocks_.push_back(std::move(block));
    }
}

void Help::activate() {
    page_ = 1;
}

void Help::showPage(int page) {
    const int shown = std::clamp(page, 1, HelpPages::kCount);
    if (shown == page_) return;
    page_ = shown;
    requestRedraw();
}

std::vector<TextLine> Help::pageLines(int page) const {
    const BitmapFont* font = fontOf(*this);
    if (!font) return {};
    std::vector<TextLine> lines = HelpPages::layout(page, *font);
    lines.push_back(HelpPages::pageNumber(page, *font));
    return lines;
}

void Help::draw() {
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    ORenderWindow::draw();
    if (page_ == HelpPages::kRulesPage) drawBlocks(blocks_);
    if (page_ == HelpPages::kSpecialBlocksPage) drawBlocks(specialBlocks_);
    beginScreen2D(*this);
    drawSideLines();
    drawPageText();
    if (BitmapFont* font = fontOf(*this)) font->setColour(1.0f, 1.0f, 1.0f, 1.0f);
    glEnable(GL_DEPTH_TEST);
}

void Help::drawBlocks(const std::vector<std::unique_ptr<Box>>& blocks) {
    glEnable(GL_DEPTH_TEST);
    glDepthMask(GL_TRUE);
    glDepthFunc(GL_LEQUAL);
    helpCamera_->apply(float(width()), float(height()));
    lightBlocks(kLightPosition);
    const int skin = SystemSettings::instance().skinIndex;
    if (skin >= 0 && skin < int(skins_.size())) skins_[size_t(skin)].bind();
    for (const auto& block : blocks) block->draw();
    if (SymbolDecal::wanted() && symbols_.begin()) {
        for (const auto& block : blocks) symbols_.drawOn(*block);
        symbols_.end();
    }
    unlightBlocks();
}

void Help::drawPageText() const {
    if (BitmapFont* font = fontOf(*this)) drawTextLines(*font, pageLines(page_));
}

bool Help::isAnimating() const {
    return controlsAnimating();
}

bool Help::onEvent(const InputEvent& event) {
    if (ORenderWindow::onEvent(event)) return true;
    if (event.type != kInputKeyDown) return false;
    switch (event.key) {
        case kKeyEscape:
            switchScreen(*this, kScreenMenu);
            return true;
        case kKeyLeft:
        case kPageUpKey:
            showPage(page_ - 1);
            return true;
        case kKeyRight:
        case kPageDownKey:
            showPage(page_ + 1);
            return true;
        default:
            return false;
    }
}

bool Help::onCommand(int controlId, int /*value*/) {
    switch (controlId) {
        case kDoneCommand:
            switchScreen(*this, kScreenMenu);
            break;
        case kPrevCommand:
            showPage(page_ - 1);
            break;
        case kNextCommand:
            showPage(page_ + 1);
            break;
        default:
            break;
    }
    return true;
}

}  // namespace brx
