// The options screen in the shell, pressed through its controls as a player would: what is
// saved when (OK at once, Cancel and Escape never), the question that guards a running game and
// Escape answering it as Cancel, the volumes and switches that act at once, and the items'
// names. Re-creating a real window is left to OptionsRecreateWindowTest.
#include "screens/OSystemOptions.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "engine/BitmapFont.h"
#include "engine/KvCheckBox.h"
#include "engine/KvIncDec.h"
#include "engine/KvSlider.h"
#include "engine/OTextStack.h"
#include "game/Game.h"
#include "game/GameVariables.h"
#include "objects/Box.h"
#include "objects/ModelLibrary.h"
#include "screens/ScreenKit.h"
#include "sound/SoundManager.h"
#include "tests/screens/ControlLayoutKit.h"
#include "tests/screens/WindowlessShell.h"
#include "tests/support/GLTestContext.h"

namespace brx {
namespace {

class OptionsScreenTest : public screentest::ScreenTest {
protected:
    void SetUp() override {
        ScreenTest::SetUp();
        if (IsSkipped()) return;
        screentest::linkGameArchive(folder);
        difficulty = Difficulty::Normal;
        startLevel = 5;
        startShell();
        options = new OSystemOptions;
        options->setBackground(backgroundPicture(0), "MenuBgrn.Tga");  // as the game gives it
        shell->addScreen(options);
        open();
    }
    void TearDown() override {
        currentGame = nullptr;
        ScreenTest::TearDown();
    }

    void open() { ASSERT_TRUE(shell->setActiveScreen(kScreenOptions)); }
    bool optionsActive() const { return OApplication::activeScreen() == options; }
    const OSystemOptions::Controls& controls() const { return options->controls(); }

    void click(const O2D& control) {
        shell->clickAt(control.x() + control.width() / 2.0f, control.y() + control.height() / 2.0f);
    }
    // The arrow pair that steps a selector or slider.
    KvIncDec& arrowsOf(const OTextStack* stepped) const {
        for (std::size_t index = 0; index < options->controlCount(); ++index) {
            auto* arrows = dynamic_cast<KvIncDec*>(options->control(index));
            if (arrows && arrows->attachedControl() == stepped) return *arrows;
        }
        throw std::logic_error("no arrows");
    }
    void clickArrow(const OTextStack* stepped, bool right) {
        const KvIncDec& arrows = arrowsOf(stepped);
        const int x = right ? arrows.rightArrowX() : arrows.leftArrowX();
        shell->clickAt(x + arrows.arrowWidth() / 2.0f, arrows.y() + arrows.arrowHeight() / 2.0f);
    }

    std::filesystem::path settingsFile() const { return folder.path() / "Data/System.Cfg"; }
    // The settings as saved on disk.
    SystemSettings saved() const {
        SystemSettings settings;
        EXPECT_TRUE(settings.load(settingsFile().string()));
        return settings;
    }
    // A game screen listed in the shell as the running game.
    Game* startGame(bool caresAboutOptions) {
        auto* game = new Game;
        shell->addScreen(game);
        game->optionsSensitive = caresAboutOptions;
        currentGame = game;
        return game;
    }
    bool listed(const ORenderWindow* screen) const {
        const auto& screens = shell->screens();
        return std::find(screens.begin(), screens.end(), screen) != screens.end();
    }

    OSystemOptions* options = nullptr;  // owned by the shell
};

TEST_F(OptionsScreenTest, ResolutionAndBackgroundItemsNameWhatTheyChoose) {
    SystemSettings::instance().screenRes = 0;
    open();
    EXPECT_EQ(controls().resolution->currentText(), "640 x 480");
    click(*controls().resolution);
    EXPECT_EQ(controls().resolution->currentText(), "800 x 600");
    click(*controls().resolution);
    EXPECT_EQ(controls().resolution->currentKey(), 2);
    EXPECT_EQ(controls().resolution->currentText(), "1024 x 768");

    // The generator paints the lake at dusk into Nature.Jpg, deep space into Space.Jpg and
    // the desert dunes (the alien planet) into Dune.Jpg.
    const std::pair<const char*, const char*> expected[] = {
        {"Space", "Space.Jpg"}, {"Alien Planet", "Dune.Jpg"}, {"Lake", "Nature.Jpg"}};
    for (const auto& [label, picture] : expected) {
        click(*controls().background);
        EXPECT_EQ(controls().background->currentText(), label);
        const int chosen = SystemSettings::instance().background;
        EXPECT_EQ(chosen, controls().background->currentKey()) << "applied at once";
        EXPECT_EQ(backgroundPicture(chosen), picture);
        EXPECT_TRUE(menu->hasBackground());
    }
    EXPECT_FALSE(std::filesystem::exists(settingsFile())) << "nothing saved before OK";
}

TEST_F(OptionsScreenTest, CancelSavesNothingAndOkSavesAtOnceWithoutANewWindow) {
    click(*controls().skin);
    click(*controls().selectEffect);
    click(*controls().cancel);
    EXPECT_FALSE(optionsActive());
    EXPECT_FALSE(std::filesystem::exists(settingsFile()));
    EXPECT_EQ(SystemSettings::instance().skinIndex, 0);

    open();
    EXPECT_EQ(controls().skin->currentKey(), 0) << "a new visit starts from the settings";
    EXPECT_EQ(controls().selectEffect->currentKey(), 0);
    click(*controls().skin);
    click(*controls().ok);
    EXPECT_FALSE(optionsActive());
    ASSERT_TRUE(std::filesystem::exists(settingsFile()));
    EXPECT_EQ(saved().skinIndex, 1);
    EXPECT_EQ(saved().selectEffect, 0);
    EXPECT_EQ(SystemSettings::instance().skinIndex, 1);
    EXPECT_EQ(shell->displayModeSwitches, 0) << "a skin needs no new window";

    open();
    click(*controls().resolution);
    pressKey(*shell, kKeyEscape);
    EXPECT_FALSE(optionsActive());
    EXPECT_EQ(saved().screenRes, 1) << "Escape leaves without saving";
    open();
    click(*controls().resolution);
    click(*controls().ok);
    EXPECT_EQ(shell->displayModeSwitches, 1);
    EXPECT_EQ(saved().screenRes, 2);
}

TEST_F(OptionsScreenTest, AModeTheDisplayCannotMakeIsNotSavedButTheOtherChangesAre) {
    const SystemSettings before = SystemSettings::instance();
    shell->failDisplayModes = true;
    click(*controls().resolution);
    click(*controls().colorDepth);
    click(*controls().fullScreen);
    click(*controls().skin);
    click(*controls().ok);
    EXPECT_EQ(shell->displayModeSwitches, 1);
    const SystemSettings file = saved();
    EXPECT_EQ(file.screenRes, before.screenRes) << "the next start must open its window";
    EXPECT_EQ(file.colorDepth, before.colorDepth);
    EXPECT_EQ(file.fullScreen, before.fullScreen);
    EXPECT_EQ(file.skinIndex, 1) << "the rest of what OK applied is kept";
    EXPECT_EQ(SystemSettings::instance().screenRes, before.screenRes);
}

TEST_F(OptionsScreenTest, SymbolsOnBlocksFitsItsRowShowsInThePreviewAndIsSavedOnOk) {
    const KvCheckBox& box = *controls().symbols;
    const KvCheckBox& fullScreen = *controls().fullScreen;
    EXPECT_FALSE(box.isChecked());
    // On the full-screen row, inside the red side lines, its caption clear of the other box.
    constexpr int kRightLineX = 650, kCaptionGap = 4;
    EXPECT_EQ(box.y(), fullScreen.y());
    EXPECT_LE(box.x() + box.width(), kRightLineX);
    const float caption = float(fontOf(*options)->textWidth(box.label())) * box.textScale();
    EXPECT_GT(float(box.x()) - caption, float(fullScreen.x() + fullScreen.width() + kCaptionGap));

    // The preview row (lower right) takes the symbols as soon as the box is ticked.
    auto previewPixels = [&] {
        options->requestRedraw();
        shell->step(16);
        return testsupport::readPixels(420, 110, 160, 50);
    };
    const auto bare = previewPixels();
    click(box);
    EXPECT_TRUE(box.isChecked());
    const auto marked = previewPixels();
    int changed = 0;
    for (std::size_t i = 0; i < bare.size(); i += 4)
        changed += bare[i] != marked[i] || bare[i + 1] != marked[i + 1];
    EXPECT_GT(changed, 200) << "the preview blocks show no symbols";
    EXPECT_FALSE(SystemSettings::instance().symbolsOnBlocks) << "nothing applied before OK";

    click(*controls().ok);
    EXPECT_TRUE(SystemSettings::instance().symbolsOnBlocks);
    EXPECT_TRUE(saved().symbolsOnBlocks);
    open();
    EXPECT_TRUE(controls().symbols->isChecked()) << "a new visit starts from the settings";
    click(*controls().symbols);
    click(*controls().cancel);
    EXPECT_TRUE(saved().symbolsOnBlocks) << "Cancel keeps what was saved";
    SystemSettings::instance().symbolsOnBlocks = false;
}

TEST_F(OptionsScreenTest, EscapeAnswersTheQuestionAsCancelAndTheGameKeepsItsDifficulty) {
    Game* game = startGame(true);
    open();
    shell->step(16);
    shell->saveScreenshot("options");
    EXPECT_FALSE(options->isAnimating()) << "a still screen is drawn only when it changes";
    click(*controls().difficulty);  // Normal -> Hard
    options->takeRedrawRequest();
    shell->step(16);
    EXPECT_TRUE(options->takeRedrawRequest()) << "the question opened while updating shows";
    shell->step(16);
    shell->saveScreenshot("options-question");
    ASSERT_TRUE(options->dialog().isOpen());
    int invisible = 0;
    for (std::size_t index = 0; index < options->controlCount(); ++index)
        invisible += options->control(index)->visible() ? 0 : 1;
    EXPECT_EQ(invisible, 26) << "every option control, OK, Cancel and the symbols box included";
    EXPECT_FALSE(controls().ok->visible()) << "only the question takes input";
    EXPECT_FALSE(options->dialog().okButton()->hidden());

    EXPECT_FALSE(shell->pressKey(kKeyEscape));
    EXPECT_TRUE(options->takeRedrawRequest()) << "the closed question disappears";
    EXPECT_TRUE(optionsActive()) << "Escape only closes the question";
    EXPECT_FALSE(options->dialog().isOpen());
    EXPECT_EQ(controls().difficulty->currentKey(), Difficulty::Normal);
    EXPECT_TRUE(options->dialog().okButton()->hidden());
    shell->step(16);
    EXPECT_FALSE(options->dialog().isOpen()) << "nothing is left pending";

    click(*controls().ok);
    EXPECT_EQ(saved().difficultyLevel, Difficulty::Normal);
    EXPECT_EQ(currentGame, game);
    EXPECT_EQ(difficulty, Difficulty::Normal);

    // The arrows ask too; the question's own Cancel puts the selector back as well.
    open();
    clickArrow(controls().beginLevel, true);  // 5 -> 6
    shell->step(16);
    ASSERT_TRUE(options->dialog().isOpen());
    click(*options->dialog().cancelButton());
    EXPECT_FALSE(options->dialog().isOpen());
    EXPECT_EQ(controls().beginLevel->currentKey(), 5);
    EXPECT_TRUE(controls().ok->visible());
    EXPECT_TRUE(listed(game));
}

TEST_F(OptionsScreenTest, TheQuestionsOkEndsTheGameAndTheNextGameTakesTheChange) {
    Game* game = startGame(true);
    open();
    click(*controls().difficulty);
    shell->step(16);
    ASSERT_TRUE(options->dialog().isOpen());
    click(*options->dialog().okButton());
    EXPECT_EQ(currentGame, nullptr);
    EXPECT_FALSE(listed(game)) << "retired once the press had unwound";
    EXPECT_FALSE(options->dialog().isOpen());
    click(*controls().ok);
    EXPECT_EQ(saved().difficultyLevel, Difficulty::Hard);
    EXPECT_EQ(difficulty, Difficulty::Hard);
}

TEST_F(OptionsScreenTest, NoQuestionWithoutAGameOrUnderAGameThatIgnoresIt) {
    click(*controls().difficulty);
    click(*controls().beginLevel);
    shell->step(16);
    EXPECT_FALSE(options->dialog().isOpen());
    click(*controls().ok);
    EXPECT_EQ(saved().difficultyLevel, Difficulty::Hard);
    EXPECT_EQ(saved().beginLevel, 6);
    EXPECT_EQ(difficulty, Difficulty::Hard) << "no game runs: the change counts at once";
    EXPECT_EQ(startLevel, 6);

    Game* puzzle = startGame(false);
    open();
    click(*controls().difficulty);
    clickArrow(controls().beginLevel, true);
    shell->step(16);
    EXPECT_FALSE(options->dialog().isOpen());
    click(*controls().ok);
    EXPECT_EQ(saved().difficultyLevel, Difficulty::Impossible);
    EXPECT_EQ(saved().beginLevel, 7);
    EXPECT_EQ(difficulty, Difficulty::Hard) << "the running game keeps what it was built with";
    EXPECT_EQ(startLevel, 6);
    EXPECT_EQ(currentGame, puzzle);
}

TEST_F(OptionsScreenTest, VolumesFollowTheirArrowsAndCancelKeepsThemAudibleButUnsaved) {
    SoundManager& sound = SoundManager::instance();
    ASSERT_TRUE(sound.soundOn()) << "the dummy audio driver opens";
    clickArrow(controls().musicVolume, true);
    clickArrow(controls().soundVolume, false);
    shell->step(16);
    EXPECT_EQ(controls().musicVolume->value(), 55.0f);
    EXPECT_EQ(sound.musicVolume(), 55) << "the value the slider shows";
    EXPECT_EQ(sound.soundVolume(), 145);
    click(*controls().cancel);
    EXPECT_FALSE(std::filesystem::exists(settingsFile()));
    EXPECT_EQ(sound.musicVolume(), 55);

    open();
    EXPECT_EQ(controls().musicVolume->value(), 50.0f);
    click(*controls().ok);
    EXPECT_EQ(saved().musicVolume, 50) << "a cancelled change is not saved by a later OK";
    EXPECT_EQ(sound.musicVolume(), 50);

    open();
    clickArrow(controls().musicVolume, true);
    clickArrow(controls().musicVolume, true);
    click(*controls().ok);  // within the same frame as the last arrow
    EXPECT_EQ(saved().musicVolume, 60);
    EXPECT_EQ(sound.musicVolume(), 60);
}

// The loop rests on a still options screen; a drag is input, and each of its moves must still
// ask for the frame that shows the thumb and the value where the pointer took them.
TEST_F(OptionsScreenTest, ARestingScreenShowsEveryStepOfAVolumeDrag) {
    shell->step(16);
    options->takeRedrawRequest();
    EXPECT_TRUE(options->changesOnlyOnInput());
    EXPECT_FALSE(options->isAnimating()) << "nothing moves: the loop may rest";
    const KvSlider& slider = *controls().musicVolume;
    const OTextStack& thumb = slider.thumb();
    float x = thumb.x() + thumb.width() / 2.0f;
    const float y = thumb.y() + thumb.height() / 2.0f;
    for (int type : {kInputPointerMove, kInputButtonDown}) {
        InputEvent event = screentest::pointerAt(*shell, type, x, y);
        shell->onEvent(event);
    }
    ASSERT_TRUE(slider.dragging());
    options->takeRedrawRequest();
    float before = slider.value();
    for (int move = 0; move < 4; ++move) {
        x += 12.0f;
        InputEvent event = screentest::pointerAt(*shell, kInputPointerMove, x, y);
        shell->onEvent(event);
        EXPECT_GT(slider.value(), before) << "move " << move;
        EXPECT_TRUE(options->takeRedrawRequest()) << "move " << move << " shows at once";
        EXPECT_EQ(SoundManager::instance().musicVolume(), int(slider.value()));
        before = slider.value();
        shell->step(16);
    }
    InputEvent release = screentest::pointerAt(*shell, kInputButtonUp, x, y);
    shell->onEvent(release);
    EXPECT_FALSE(slider.dragging());
    EXPECT_TRUE(options->takeRedrawRequest()) << "the thumb settles on its step";
    click(*controls().cancel);
}

TEST_F(OptionsScreenTest, ModelDetailReloadsTheModelsOnOk) {
    click(*controls().modelDetail);  // Hi -> Normal (wraps)
    EXPECT_EQ(ModelLibrary::instance().detail(), ModelLibrary::kHighDetail) << "not before OK";
    click(*controls().ok);
    EXPECT_EQ(ModelLibrary::instance().detail(), ModelLibrary::kLowDetail);
    EXPECT_EQ(saved().modelDetail, 0);
    for (const auto& block : options->previewBlocks()) EXPECT_NE(block->data().displayList, 0u);
    ModelLibrary::instance().setDetail(ModelLibrary::kHighDetail);
    ModelLibrary::instance().reloadDetailSwitched();
}

TEST_F(OptionsScreenTest, SoundAndMusicBoxesSwitchAtOnce) {
    SoundManager& sound = SoundManager::instance();
    click(*controls().sound);
    EXPECT_FALSE(sound.soundOn());
    EXPECT_FALSE(SystemSettings::instance().sound);
    EXPECT_FALSE(controls().sound->isChecked());
    click(*controls().sound);
    EXPECT_TRUE(sound.soundOn());
    EXPECT_EQ(sound.soundVolume(), 150);
    click(*controls().music);
    EXPECT_FALSE(sound.musicOn());
    EXPECT_FALSE(SystemSettings::instance().music);
    click(*controls().ok);
    EXPECT_TRUE(saved().sound);
    EXPECT_FALSE(saved().music);
}

// Every caption stands between the red line at x 150 and its control, clear of every control,
// and every item a selector can show fits inside its box.
TEST_F(OptionsScreenTest, EveryCaptionAndItemFitsItsArea) {
    constexpr float kLeftLine = 150.0f;
    constexpr float kInset = 4.0f;  // room a text leaves inside its box, each side
    BitmapFont* font = shell->font();
    ASSERT_NE(font, nullptr);
    const std::vector<screentest::Area> areas = screentest::controlAreas(*options);
    int captions = 0;
    for (std::size_t i = 0; i < options->controlCount(); ++i) {
        OControl* control = options->control(i);
        if (!control->visible() || control->hidden()) continue;
        std::string caption;
        float scale = 0.0f;
        const O2D* placed = nullptr;
        if (auto* selector = dynamic_cast<OTextStack*>(control)) {
            caption = selector->label();
            scale = selector->textScale();
            placed = selector;
            if (selector->hasSkin() && !dynamic_cast<KvSlider*>(selector)) {
                for (const std::string& item : screentest::itemTexts(*selector)) {
                    EXPECT_LE(float(font->textWidth(item)) * scale,
                              float(selector->width()) - 2.0f * kInset)
                        << "item \"" << item << "\" of " << caption;
                }
            }
        } else if (auto* box = dynamic_cast<KvCheckBox*>(control)) {
            caption = box->label();
            scale = box->textScale();
            placed = box;
        }
        if (caption.empty() || !placed) continue;
        ++captions;
        const screentest::Area area = screentest::captionArea(
            *font, caption, scale, float(placed->x()), float(placed->y()), float(placed->height()));
        EXPECT_GE(area.left, kLeftLine + kInset) << screentest::describe(area);
        for (const screentest::Area& other : areas)
            EXPECT_FALSE(area.overlaps(other))
                << screentest::describe(area) << " overlaps " << screentest::describe(other);
    }
    EXPECT_EQ(captions, 12);
    EXPECT_EQ(controls().modelDetail->label(), "Object Detail ");
    EXPECT_EQ(controls().difficulty->label(), "Game Difficulty ");
    controls().selectEffect->setCurrent(0);
    EXPECT_EQ(controls().selectEffect->currentText(), "Transparency");
}

}  // namespace
}  // namespace brx
