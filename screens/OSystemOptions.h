// The options screen: display mode, colour depth, full screen, model detail, sound and music
// with their volumes, difficulty, starting level, the selection effect, the block skin (with a
// live preview of four blocks) and the background picture.
//
// Design note: edits live in the controls and a working copy of the settings until OK, which
// applies them, re-creates the window when the display mode changed, and saves the settings
// file at once; Cancel and Escape save nothing. Sound, music, the volumes and the background
// take effect while they are changed. Changing the difficulty or the starting level under a
// running game that cares asks "End current game?"; only its OK ends the game, and Cancel or
// Escape put both selectors back, so a running game always keeps the difficulty and start level
// it was built with: the process-wide values change only while no game runs, and the next game
// takes the settings.
#pragma once

#include <memory>
#include <vector>

#include "core/SystemSettings.h"
#include "engine/TextureRef.h"
#include "objects/SymbolDecal.h"
#include "screens/ConfirmDialog.h"
#include "shell/ORenderWindow.h"

namespace brx {

class Box;
class KvCheckBox;
class KvSlider;
class OCamera;
class OTextStack;

class OSystemOptions : public ORenderWindow {
public:
    // Command ids the controls report.
    enum Command : int {
        kSilent = 0,  // select effect and skin report nothing of interest
        kResolution = 10,
        kColorDepth = 20,
        kDetailArrows = 499,  // also the arrows of select effect and skin
        kModelDetail = 500,
        kSoundCheck = 502,
        kSoundArrows = 503,
        kSoundSlider = 504,
        kMusicArrows = 505,
        kMusicSlider = 506,
        kMusicCheck = 507,
        kDifficulty = 520,
        kBeginLevel = 521,
        kFullScreen = 522,
        kBackgroundArrows = 550,
        kDifficultyArrows = 553,
        kBeginLevelArrows = 656,
        kOk = 11100,
        kCancel = 11101,
        kBackground = 11102,
        kSymbolsCheck = 11103,
    };
    static constexpr int kPreviewBlockCount = 4;
    static constexpr const char* kSelectorSkin = "Interface/Button.Tga";

    // The controls, for the screen's own use and for tests that press them.
    struct Controls {
        OTextStack* resolution = nullptr;
        OTextStack* colorDepth = nullptr;
        KvCheckBox* fullScreen = nullptr;
        OTextStack* modelDetail = nullptr;
        KvSlider* musicVolume = nullptr;
        KvSlider* soundVolume = nullptr;
        KvCheckBox* sound = nullptr;
        KvCheckBox* music = nullptr;
        OTextStack* ok = nullptr;
        OTextStack* cancel = nullptr;
        OTextStack* difficulty = nullptr;
        OTextStack* beginLevel = nullptr;
        OTextStack* selectEffect = nullptr;
        OTextStack* skin = nullptr;
        OTextStack* background = nullptr;
        KvCheckBox* symbols = nullptr;
    };

    OSystemOptions();
    ~OSystemOptions() override;

    // Closes the dialog, clears the pending flags and loads every control from the settings.
    void activate() override;
    // Closes the dialog.
    void deactivate() override;
    // Controls, the skin preview, the red side lines, the dialog when open, and the logo.
    void draw() override;
    // Serves a background stepped by an arrow, and opens the dialog when a change of
    // difficulty or starting level waits for it.
    void update(int elapsedMs) override;
    // Builds the controls, the dialog, the preview camera and the preview blocks.
    bool init() override;
    // Escape closes an open dialog as its Cancel would, otherwise leaves without saving.
    bool onEvent(const InputEvent& event) override;
    // Reacts to a control (see the design note). Always true.
    bool onCommand(int controlId, int value) override;
    // Nothing moves by itself: drawn again after input or a change made while updating.
    bool isAnimating() const override;
    // The preview and the controls change only on input; what an input starts in update (a new
    // background, the confirm dialog) asks for its frame in that pass.
    bool changesOnlyOnInput() const override { return true; }
    // The open dialog holds every key.
    bool shortcutsBlocked() const override { return dialog_.isOpen(); }
    // The full-screen box and the working copy follow a mode switched by a shortcut.
    void displayModeChanged() override;

    const Controls& controls() const { return controls_; }
    const ConfirmDialog& dialog() const { return dialog_; }
    const SystemSettings& workingCopy() const { return copy_; }
    bool confirmPending() const { return confirmPending_; }
    const std::vector<std::unique_ptr<Box>>& previewBlocks() const { return preview_; }

private:
    void buildDisplayControls(BitmapFont* font);
    void buildSoundControls(BitmapFont* font);
    void buildGameControls(BitmapFont* font);
    OTextStack* addSelector(BitmapFont* font, int commandId, int arrowsId, const char* caption,
                            int y, const char* skin = kSelectorSkin);
    KvSlider* addSlider(BitmapFont* font, int commandId, int arrowsId, int y);
    KvCheckBox* addCheckBox(BitmapFont* font, int commandId, const char* caption, int x, int y);
    void createPreview();
    void loadControls();

    void switchSound(bool on);
    void switchMusic(bool on);
    void applySoundVolume();
    void applyMusicVolume();
    void noteGameOptionChanged(int controlId);
    void endRunningGame();
    void restoreGameOptions();
    void applyBackground();
    void applySettings();
    void readControls();
    void applyDisplayMode();
    void leave();

    void drawPreview();

    Controls controls_;
    ConfirmDialog dialog_;
    SystemSettings copy_;
    bool backgroundChanged_ = false;
    bool confirmPending_ = false;
    int difficultyAtOpen_ = 0;
    int beginLevelAtOpen_ = 0;
    std::unique_ptr<OCamera> previewCamera_;
    std::vector<std::unique_ptr<Box>> preview_;
    std::vector<TextureRef> skins_;
    SymbolDecal symbols_;
};

}  // namespace brx
