#include "screens/OSystemOptions.h"

#include <GL/gl.h>

#include <algorithm>
#include <string>

#include "core/DataManifest.h"
#include "core/ErrorLog.h"
#include "engine/BitmapFont.h"
#include "engine/KvCheckBox.h"
#include "engine/KvIncDec.h"
#include "engine/KvSlider.h"
#include "engine/OCamera.h"
#include "engine/OTextStack.h"
#include "game/Game.h"
#include "game/GameVariables.h"
#include "objects/BlockPrototypes.h"
#include "objects/Box.h"
#include "objects/ColorMaterials.h"
#include "objects/ColorTable.h"
#include "objects/ModelLibrary.h"
#include "screens/BlockLighting.h"
#include "screens/ScreenDecoration.h"
#include "screens/ScreenKit.h"
#include "shell/ScreenHost.h"
#include "sound/SoundManager.h"

namespace brx {
namespace {

// Layout of the option rows (virtual units, y upwards).
constexpr int kColumnX = 425;
constexpr int kResolutionY = 552;
constexpr int kColorDepthY = 504;
constexpr int kFullScreenY = 456;
constexpr int kModelDetailY = 408;
constexpr int kSoundY = 360;
constexpr int kMusicY = 312;
constexpr int kDifficultyY = 264;
constexpr int kBeginLevelY = 216;
constexpr int kSelectEffectY = 168;
constexpr int kSkinY = 113;
constexpr int kBackgroundY = 72;
constexpr int kOkX = 530, kCancelX = 190, kButtonsY = 20;
// "Symbols on blocks" shares the full-screen row: its box inside the right side line, its
// caption a little smaller than the others' so that it ends clear of the full-screen box.
constexpr int kSymbolsX = 616;
constexpr float kSymbolsTextScale = 0.58f;
// The Sound and Music boxes stand this many of their own widths left of the sliders.
constexpr float kCheckBoxGapWidths = 2.5f;

constexpr const char* kSkinSelectorSkin = "Interface/Skins.Tga";
constexpr const char* kArrowSkin = "Interface/HArrow.Tga";
constexpr const char* kCheckBoxSkin = "Interface/CheckBox.Tga";
constexpr const char* kSliderTrack = "Interface/Slider.Tga";
constexpr const char* kSliderThumb = "Interface/Thumb.Tga";
constexpr const char* kOkSkin = "Interface/Ok.Tga";
constexpr const char* kCancelSkin = "Interface/Cancel.Tga";
constexpr float kVolumeMin = 0.0f, kVolumeMax = 255.0f, kVolumeStep = 5.0f;
constexpr int kMaxBeginLevel = 10;

struct Item {
    int key;
    const char* text;
};
// Resolution values are the settings' mode numbers: 0 is the 640 x 480 mode.
constexpr Item kResolutions[] = {{0, "640 x 480"}, {1, "800 x 600"}, {2, "1024 x 768"}};
constexpr Item kColorDepths[] = {{16, "16"}, {32, "32"}};
constexpr Item kDetails[] = {{0, "Normal"}, {1, "Hi"}};
constexpr Item kDifficulties[] = {{0, "Easy"}, {1, "Normal"}, {2, "Hard"}, {3, "Impossible"}};
constexpr Item kSelectEffects[] = {{0, "Transparency"}, {1, "Zooming"}};
// Each name matches its picture: 0 the lake at dusk, 1 deep space, 2 the desert dunes.
constexpr Item kBackgrounds[] = {{0, "Lake"}, {1, "Space"}, {2, "Alien Planet"}};

// The preview row: models, colour ids and where the first stands (world units).
constexpr const char* kPreviewModels[] = {"SkinRed.Asvm", "SkinBlue.Asvm", "SkinGreen.Asvm",
                                          "SkinYellow.Asvm"};
constexpr int32_t kPreviewColours[] = {Box::kRed, Box::kBlue, Box::kGreen, Box::kYellow};
constexpr float kPreviewFirstX = 1.3f, kPreviewSpacing = 1.2f, kPreviewY = -5.0f;
constexpr float kPreviewFovDegrees = 45.0f, kPreviewNear = 1.0f, kPreviewFar = 256.0f;
const Vector3 kPreviewCameraPosition(0.0f, 0.0f, 22.0f);
const Vector3 kPreviewLight(0.0f, -3.0f, 26.0f);

template <std::size_t N>
void addItems(OTextStack& selector, const Item (&items)[N]) {
    for (const Item& item : items) selector.addItem(item.key, item.text);
}

}  // namespace

OSystemOptions::OSystemOptions() : ORenderWindow(kScreenOptions) {}

OSystemOptions::~OSystemOptions() = default;

// --- building ------------------------------------------------------------------------------

bool OSystemOptions::init() {
    copy_ = SystemSettings::instance();
    BitmapFont* font = fontOf(*this);
    buildDisplayControls(font);
    buildSoundControls(font);
    controls_.ok = makeButton(font, kOk, kOkSkin, kOkX, kButtonsY).release();
    addControl(controls_.ok);
    controls_.cancel = makeButton(font, kCancel, kCancelSkin, kCancelX, kButtonsY).release();
    addControl(controls_.cancel);
    buildGameControls(font);
    dialog_.create(*this, font);
    createPreview();
    loadControls();
    return true;
}

OTextStack* OSystemOptions::addSelector(BitmapFont* font, int commandId, int arrowsId,
                                        const char* caption, int y, const char* skin) {
    auto selector = std::make_unique<OTextStack>(font, commandId, false, kButtonTextScale);
    selector->setTexture(skin);
    selector->setPosition(kColumnX, int16_t(y));
    selector->setLabel(caption);
    selector->setSounds(kHoverSound, kClickSound);
    auto arrows = std::make_unique<KvIncDec>(arrowsId, false);
    arrows->setAttached(selector.get());
    arrows->setTexture(kArrowSkin);
    arrows->setSounds(kHoverSound, kClickSound);
    OTextStack* added = selector.get();
    addControl(selector.release());
    addControl(arrows.release());
    return added;
}

KvSlider* OSystemOptions::addSlider(BitmapFont* font, int commandId, int arrowsId, int y) {
    auto slider = std::make_unique<KvSlider>(font, commandId, kVolumeMin, kVolumeMax, kVolumeStep);
    slider->setTextures(kSliderTrack, kSliderThumb);
    // Right edge in line with the selectors'.
    const int x = kColumnX + (controls_.modelDetail->width() - slider->width());
    slider->setPosition(int16_t(x), int16_t(y));
    slider->setSounds(kHoverSound, kClickSound);
    auto arrows = std::make_unique<KvIncDec>(arrowsId, false);
    arrows->setAttached(slider.get());
    arrows->setTexture(kArrowSkin);
    arrows->setSounds(kHoverSound, kClickSound);
    KvSlider* added = slider.get();
    addControl(slider.release());
    addControl(arrows.release());
    return added;
}

KvCheckBox* OSystemOptions::addCheckBox(BitmapFont* font, int commandId, const char* caption, int x,
                                        int y) {
    auto box = std::make_unique<KvCheckBox>(font, commandId, kButtonTextScale);
    box->setTexture(kCheckBoxSkin);
    box->setLabel(caption);
    box->setSounds(kHoverSound, kClickSound);
    box->setPosition(int16_t(x), int16_t(y));
    KvCheckBox* added = box.get();
    addControl(box.release());
    return added;
}

void OSystemOptions::buildDisplayControls(BitmapFont* font) {
    controls_.resolution =
        addSelector(font, kResolution, kResolution, "Screen Resolution ", kResolutionY);
    addItems(*controls_.resolution, kResolutions);
    controls_.colorDepth =
        addSelector(font, kColorDepth, kColorDepth, "Color Depth ", kColorDepthY);
    addItems(*controls_.colorDepth, kColorDepths);
    controls_.fullScreen = addCheckBox(font, kFullScreen, "Full Screen ", kColumnX, kFullScreenY);
    controls_.modelDetail =
        addSelector(font, kModelDetail, kDetailArrows, "Object Detail ", kModelDetailY);
    addItems(*controls_.modelDetail, kDetails);
}

void OSystemOptions::buildSoundControls(BitmapFont* font) {
    controls_.musicVolume = addSlider(font, kMusicSlider, kMusicArrows, kMusicY);
    controls_.soundVolume = addSlider(font, kSoundSlider, kSoundArrows, kSoundY);
    // Both boxes need their own width first; the skin gives it.
    controls_.sound = addCheckBox(font, kSoundCheck, "Sound", 0, kSoundY);
    controls_.music = addCheckBox(font, kMusicCheck, "Music", 0, kMusicY);
    const int boxX =
        controls_.soundVolume->x() - int(kCheckBoxGapWidths * float(controls_.sound->width()));
    controls_.sound->setPosition(int16_t(boxX), kSoundY);
    controls_.music->setPosition(int16_t(boxX), kMusicY);
}

void OSystemOptions::buildGameControls(BitmapFont* font) {
    controls_.difficulty =
        addSelector(font, kDifficulty, kDifficultyArrows, "Game Difficulty ", kDifficultyY);
    addItems(*controls_.difficulty, kDifficulties);
    controls_.beginLevel =
        addSelector(font, kBeginLevel, kBeginLevelArrows, "Begin Level ", kBeginLevelY);
    for (int level = 1; level <= kMaxBeginLevel; ++level)
        controls_.beginLevel->addItem(level, std::to_string(level));
    controls_.selectEffect =
        addSelector(font, kSilent, kDetailArrows, "Select Effect ", kSelectEffectY);
    addItems(*controls_.selectEffect, kSelectEffects);
    controls_.skin = addSelector(font, kSilent, kDetailArrows, "Skin ", kSkinY, kSkinSelectorSkin);
    for (int index = 0; index < DataManifest::kSkinCount; ++index)
        controls_.skin->addItem(index, "  " + std::to_string(index));
    controls_.background =
        addSelector(font, kBackground, kBackgroundArrows, "Background Texture ", kBackgroundY);
    addItems(*controls_.background, kBackgrounds);
    auto symbols = std::make_unique<KvCheckBox>(font, kSymbolsCheck, kSymbolsTextScale);
    symbols->setTexture(kCheckBoxSkin);
    symbols->setLabel("Symbols on blocks");
    symbols->setSounds(kHoverSound, kClickSound);
    symbols->setPosition(int16_t(kSymbolsX), int16_t(kFullScreenY));
    controls_.symbols = symbols.get();
    addControl(symbols.release());
}

void OSystemOptions::createPreview() {
    previewCamera_ = std::make_unique<OCamera>(float(width()), float(height()), kPreviewFovDegrees,
                                               kPreviewNear, kPreviewFar);
    previewCamera_->setPosition(kPreviewCameraPosition);
    ColorTable colours;
    colours.load();
    colours.fillPlainColours(ColorMaterials::instance());
    for (int index = 0; index < kPreviewBlockCount; ++index) {
        auto block = std::make_unique<Box>(KvModel::kNoShadow);
        BlockPrototypes::prepareModel(*block, kPreviewModels[index], {});
        block->colour = kPreviewColours[index];
        block->setPosition(
            Vector3(kPreviewFirstX + kPreviewSpacing * float(index), kPreviewY, 0.0f));
        preview_.push_back(std::move(block));
    }
    for (int index = 0; index < DataManifest::kSkinCount; ++index) {
        skins_.emplace_back();
        skins_.back().load(DataManifest::skinTexture(index), true);
    }
}

// --- activation ----------------------------------------------------------------------------

void OSystemOptions::activate() {
    dialog_.close();
    backgroundChanged_ = false;
    confirmPending_ = false;
    copy_ = SystemSettings::instance();
    loadControls();
}

void OSystemOptions::loadControls() {
    const SystemSettings& settings = SystemSettings::instance();
    controls_.fullScreen->setChecked(settings.fullScreen);
    controls_.resolution->setCurrent(settings.screenRes);
    controls_.colorDepth->setCurrent(settings.colorDepth);
    controls_.modelDetail->setCurrent(settings.modelDetail);
    controls_.music->setChecked(settings.music);
    controls_.musicVolume->setValue(float(settings.musicVolume));
    controls_.sound->setChecked(settings.sound);
    controls_.soundVolume->setValue(float(settings.soundVolume));
    controls_.beginLevel->setCurrent(settings.beginLevel);
    controls_.difficulty->setCurrent(settings.difficultyLevel);
    controls_.selectEffect->setCurrent(copy_.selectEffect);
    controls_.skin->setCurrent(copy_.skinIndex);
    controls_.background->setCurrent(settings.background);
    controls_.symbols->setChecked(copy_.symbolsOnBlocks);
    difficultyAtOpen_ = controls_.difficulty->currentKey();
    beginLevelAtOpen_ = controls_.beginLevel->currentKey();
}

void OSystemOptions::displayModeChanged() {
    const SystemSettings& settings = SystemSettings::instance();
    copy_.fullScreen = settings.fullScreen;
    copy_.screenRes = settings.screenRes;
    copy_.colorDepth = settings.colorDepth;
    controls_.fullScreen->setChecked(settings.fullScreen);
    controls_.resolution->setCurrent(settings.screenRes);
    controls_.colorDepth->setCurrent(settings.colorDepth);
}

void OSystemOptions::deactivate() {
    dialog_.close();
}

// --- per frame -----------------------------------------------------------------------------

void OSystemOptions::update(int elapsedMs) {
    ORenderWindow::update(elapsedMs);
    if (backgroundChanged_) {
        backgroundChanged_ = false;
        applyBackground();
        requestRedraw();
    }
    if (!confirmPending_) return;
    const bool unchanged = controls_.difficulty->currentKey() == difficultyAtOpen_ &&
                           controls_.beginLevel->currentKey() == beginLevelAtOpen_;
    if (unchanged) return;
    dialog_.open();
    confirmPending_ = false;
    requestRedraw();
}

bool OSystemOptions::isAnimating() const {
    return controlsAnimating();
}

// --- input ---------------------------------------------------------------------------------

bool OSystemOptions::onEvent(const InputEvent& event) {
    if (ORenderWindow::onEvent(event)) return true;
    if (!isEscapePress(event)) return false;
    if (dialog_.isOpen()) {
        // As the dialog's Cancel: nothing is left behind for a later OK to apply.
        onCommand(ConfirmDialog::kCancelCommand, 0);
        requestRedraw();
        return false;
    }
    leave();
    return true;
}

bool OSystemOptions::onCommand(int controlId, int value) {
    switch (controlId) {
        case kSoundCheck:
            switchSound(value == KvCheckBox::kBecameChecked);
            break;
        case kSoundArrows:
        case kSoundSlider:
            applySoundVolume();
            break;
        case kMusicArrows:
        case kMusicSlider:
            applyMusicVolume();
            break;
        case kMusicCheck:
            switchMusic(value == KvCheckBox::kBecameChecked);
            break;
        case kDifficulty:
        case kBeginLevel:
        case kDifficultyArrows:
        case kBeginLevelArrows:
            noteGameOptionChanged(controlId);
            break;
        case ConfirmDialog::kOkCommand:
            dialog_.close();
            endRunningGame();
            break;
        case ConfirmDialog::kCancelCommand:
            dialog_.close();
            restoreGameOptions();
            break;
        case kBackground:
            applyBackground();
            break;
        case kBackgroundArrows:
            backgroundChanged_ = true;
            break;
        case kOk:
            applySettings();
            leave();
            break;
        case kCancel:
            leave();
            break;
        case kSymbolsCheck:
            requestRedraw();  // the preview follows the box
            break;
        default:
            break;
    }
    return true;
}

void OSystemOptions::leave() {
    switchScreen(*this, kScreenMenu);
}

// --- immediate reactions -------------------------------------------------------------------

void OSystemOptions::switchSound(bool on) {
    SoundManager& sound = SoundManager::instance();
    if (on) {
        sound.setSoundOn(true);
        copy_.soundVolume = int(controls_.soundVolume->value());
        sound.setSoundVolume(copy_.soundVolume);
        sound.setMusicVolume(copy_.musicVolume);
    } else {
        sound.setSoundVolume(0);
        sound.setMusicVolume(copy_.musicVolume);
        sound.setSoundOn(false);
    }
    copy_.sound = SystemSettings::instance().sound = sound.soundOn();
    controls_.sound->setChecked(sound.soundOn());
}

void OSystemOptions::switchMusic(bool on) {
    SoundManager& sound = SoundManager::instance();
    sound.setMusicOn(on);
    copy_.music = SystemSettings::instance().music = sound.musicOn();
    controls_.music->setChecked(sound.musicOn());
}

void OSystemOptions::applySoundVolume() {
    SoundManager& sound = SoundManager::instance();
    copy_.soundVolume = int(controls_.soundVolume->value());
    sound.setSoundVolume(copy_.soundVolume);
    sound.setMusicVolume(copy_.musicVolume);
}

void OSystemOptions::applyMusicVolume() {
    copy_.musicVolume = int(controls_.musicVolume->value());
    SoundManager::instance().setMusicVolume(copy_.musicVolume);
}

void OSystemOptions::noteGameOptionChanged(int controlId) {
    if (!currentGame || !currentGame->optionsSensitive) return;
    // An arrow may have stepped either selector; update() compares both with the opening values.
    if (controlId == kDifficultyArrows || controlId == kBeginLevelArrows) {
        confirmPending_ = true;
        return;
    }
    const OTextStack* selector =
        controlId == kDifficulty ? controls_.difficulty : controls_.beginLevel;
    const int atOpen = controlId == kDifficulty ? difficultyAtOpen_ : beginLevelAtOpen_;
    if (selector->currentKey() != atOpen) confirmPending_ = true;
}

void OSystemOptions::endRunningGame() {
    Game* game = currentGame;
    if (!game) return;
    currentGame = nullptr;
    if (ScreenHost* host = hostOf(*this)) {
        host->retireScreen(game);
    } else {
        delete game;
    }
}

void OSystemOptions::restoreGameOptions() {
    confirmPending_ = false;
    controls_.difficulty->setCurrent(difficultyAtOpen_);
    controls_.beginLevel->setCurrent(beginLevelAtOpen_);
}

void OSystemOptions::applyBackground() {
    const int background = controls_.background->currentKey();
    copy_.background = SystemSettings::instance().background = background;
    const std::string picture = backgroundPicture(background);
    setBackground(picture, "");
    ScreenHost* host = hostOf(*this);
    if (!host) return;
    for (ORenderWindow* screen : host->screens())
        if (screen != this) screen->setBackground(picture, "");
    const auto& screens = host->screens();
    if (currentGame && std::find(screens.begin(), screens.end(), currentGame) == screens.end())
        currentGame->setBackground(picture, "");
}

// --- OK ------------------------------------------------------------------------------------

void OSystemOptions::applySettings() {
    readControls();
    SystemSettings& settings = SystemSettings::instance();
    applyDisplayMode();
    if (copy_.modelDetail != settings.modelDetail) {
        settings.modelDetail = copy_.modelDetail;
        ModelLibrary& models = ModelLibrary::instance();
        models.setDetail(copy_.modelDetail);
        if (!models.reloadDetailSwitched())
            BRX_LOG_ERROR("Models could not be reloaded at detail %d", copy_.modelDetail);
    }
    SoundManager& sound = SoundManager::instance();
    sound.setSoundVolume(copy_.soundVolume);
    sound.setMusicVolume(copy_.musicVolume);
    // A running game keeps what it was built with; the next one takes the settings.
    if (!currentGame) {
        difficulty = copy_.difficultyLevel;
        startLevel = copy_.beginLevel;
    }
    settings = copy_;
    if (!settings.save()) BRX_LOG_ERROR("Settings could not be saved to Data/System.Cfg");
}

void OSystemOptions::readControls() {
    copy_.fullScreen = controls_.fullScreen->isChecked();
    copy_.screenRes = controls_.resolution->currentKey();
    copy_.colorDepth = controls_.colorDepth->currentKey();
    copy_.modelDetail = controls_.modelDetail->currentKey();
    copy_.soundVolume = int(controls_.soundVolume->value());
    copy_.musicVolume = int(controls_.musicVolume->value());
    copy_.sound = controls_.sound->isChecked();
    copy_.music = controls_.music->isChecked();
    copy_.difficultyLevel = controls_.difficulty->currentKey();
    copy_.beginLevel = controls_.beginLevel->currentKey();
    copy_.selectEffect = controls_.selectEffect->currentKey();
    copy_.skinIndex = controls_.skin->currentKey();
    copy_.symbolsOnBlocks = controls_.symbols->isChecked();
}

void OSystemOptions::applyDisplayMode() {
    SystemSettings& settings = SystemSettings::instance();
    const bool changed = copy_.screenRes != settings.screenRes ||
                         copy_.colorDepth != settings.colorDepth ||
                         copy_.fullScreen != settings.fullScreen;
    if (!changed) return;
    const SystemSettings previous = settings;
    settings.screenRes = copy_.screenRes;
    settings.colorDepth = copy_.colorDepth;
    settings.fullScreen = copy_.fullScreen;
    ScreenHost* host = hostOf(*this);
    if (host && !host->setFullScreen(copy_.fullScreen)) {
        // The run ends; what is saved is the mode that worked, so the next start opens.
        settings.screenRes = previous.screenRes;
        settings.colorDepth = previous.colorDepth;
        settings.fullScreen = previous.fullScreen;
        BRX_LOG_ERROR("The display mode could not be changed; the previous one stays saved");
    }
    // The mode switch may have turned full screen on or fallen back to another mode.
    copy_.fullScreen = settings.fullScreen;
    copy_.screenRes = settings.screenRes;
    copy_.colorDepth = settings.colorDepth;
}

// --- drawing -------------------------------------------------------------------------------

void OSystemOptions::draw() {
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    BitmapFont* font = fontOf(*this);
    if (font) font->setColour(1.0f, 1.0f, 1.0f, 1.0f);
    ORenderWindow::draw();
    drawPreview();
    beginScreen2D(*this);
    drawSideLines();
    dialog_.draw();
    drawCornerLogo(logo());
    glEnable(GL_DEPTH_TEST);
}

void OSystemOptions::drawPreview() {
    previewCamera_->apply(float(width()), float(height()));
    lightBlocks(kPreviewLight);
    const int skin = controls_.skin->currentKey();
    if (skin >= 0 && skin < int(skins_.size())) skins_[size_t(skin)].bind();
    for (const auto& block : preview_) block->draw();
    // The preview shows the box as it stands, before OK.
    if (controls_.symbols->isChecked() && symbols_.begin()) {
        for (const auto& block : preview_) symbols_.drawOn(*block);
        symbols_.end();
    }
    unlightBlocks();
}

}  // namespace brx
