// The application's screen list without a window: adding, removing, switching, sizing, routing
// input to the active screen, and the blinking pulse.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/OApplication.h"
#include "shell/ORenderWindow.h"

namespace brx {
namespace {

std::vector<std::string> journal;

class RecordingScreen : public ORenderWindow {
public:
    RecordingScreen(ScreenId id, std::string name) : ORenderWindow(id), name_(std::move(name)) {}
    ~RecordingScreen() override { journal.push_back(name_ + ".deleted"); }
    void activate() override { journal.push_back(name_ + ".activate"); }
    void deactivate() override { journal.push_back(name_ + ".deactivate"); }
    bool init() override {
        journal.push_back(name_ + ".init " + std::to_string(width()) + "x" +
                          std::to_string(height()) + (application() ? " hosted" : ""));
        return true;
    }
    bool onEvent(const InputEvent& event) override {
        journal.push_back(name_ + ".event " + std::to_string(event.type));
        return true;
    }

private:
    std::string name_;
};

class TestApplication : public OApplication {
public:
    TestApplication() { setClientSize(640, 480); }
    void sizeTo(int width, int height) {
        setClientSize(width, height);
        resize();
    }
};

class OApplicationTest : public ::testing::Test {
protected:
    void SetUp() override { journal.clear(); }
    TestApplication app;
};

TEST_F(OApplicationTest, AddedScreenIsHostedSizedThenInitialisedOnce) {
    auto* menu = new RecordingScreen(kScreenMenu, "menu");
    app.addScreen(menu);
    app.addScreen(menu);
    ASSERT_EQ(app.screens().size(), 1u);
    EXPECT_EQ(journal, std::vector<std::string>({"menu.init 640x480 hosted"}));
    EXPECT_EQ(menu->application(), static_cast<ScreenHost*>(&app));
    EXPECT_EQ(screenHost(), static_cast<ScreenHost*>(&app));
}

TEST_F(OApplicationTest, SwitchingDeactivatesTheOldAndActivatesTheFirstMatch) {
    auto* menu = new RecordingScreen(kScreenMenu, "menu");
    auto* help = new RecordingScreen(kScreenHelp, "help");
    auto* secondHelp = new RecordingScreen(kScreenHelp, "help2");
    app.addScreen(menu);
    app.addScreen(help);
    app.addScreen(secondHelp);
    journal.clear();

    EXPECT_TRUE(app.setActiveScreen(kScreenMenu));
    EXPECT_TRUE(app.setActiveScreen(kScreenHelp));
    EXPECT_EQ(OApplication::activeScreen(), help);
    EXPECT_FALSE(app.setActiveScreen(kScreenGame));
    EXPECT_EQ(OApplication::activeScreen(), nullptr);
    EXPECT_EQ(journal, std::vector<std::string>({"menu.activate", "menu.deactivate",
                                                 "help.activate", "help.deactivate"}));
}

TEST_F(OApplicationTest, RemovedScreenIsHandedBackAndTheActivePointerKept) {
    auto* menu = new RecordingScreen(kScreenMenu, "menu");
    app.addScreen(menu);
    app.setActiveScreen(kScreenMenu);
    EXPECT_EQ(app.removeScreen(menu), menu);
    EXPECT_EQ(app.removeScreen(menu), nullptr);
    EXPECT_TRUE(app.screens().empty());
    EXPECT_EQ(OApplication::activeScreen(), menu) << "the caller switches before it deletes";
    app.setActiveScreen(kScreenMenu);  // nothing listed: the pointer is cleared
    delete menu;
}

TEST_F(OApplicationTest, ResizeReachesEveryScreen) {
    auto* menu = new RecordingScreen(kScreenMenu, "menu");
    auto* help = new RecordingScreen(kScreenHelp, "help");
    app.addScreen(menu);
    app.addScreen(help);
    app.sizeTo(1024, 768);
    EXPECT_EQ(menu->width(), 1024);
    EXPECT_EQ(help->height(), 768);
}

TEST_F(OApplicationTest, InputGoesToTheActiveScreenOnly) {
    app.addScreen(new RecordingScreen(kScreenMenu, "menu"));
    app.addScreen(new RecordingScreen(kScreenHelp, "help"));
    app.setActiveScreen(kScreenHelp);
    journal.clear();
    InputEvent event;
    event.type = kInputButtonDown;
    EXPECT_TRUE(app.onEvent(event));
    EXPECT_EQ(journal, std::vector<std::string>({"help.event 6"}));
}

TEST_F(OApplicationTest, EscapeLeavesTheBareShellWhenNoScreenIsActive) {
    platform::Event drained;
    while (platform::pollEvent(&drained)) {
    }
    InputEvent escape;
    escape.type = kInputKeyDown;
    escape.key = kKeyEscape;
    EXPECT_TRUE(app.onEvent(escape));
    platform::Event quit;
    ASSERT_TRUE(platform::pollEvent(&quit));
    EXPECT_EQ(quit.type, platform::EventType::quit);
    EXPECT_EQ(quit.exitCode, 0);
}

TEST_F(OApplicationTest, ShutdownDeletesEveryScreen) {
    app.addScreen(new RecordingScreen(kScreenMenu, "menu"));
    app.addScreen(new RecordingScreen(kScreenHelp, "help"));
    app.setActiveScreen(kScreenMenu);
    journal.clear();
    app.shutdown();
    EXPECT_TRUE(app.screens().empty());
    EXPECT_EQ(OApplication::activeScreen(), nullptr);
    EXPECT_EQ(journal, std::vector<std::string>({"menu.deleted", "help.deleted"}));
}

TEST_F(OApplicationTest, PulseSwingsBetweenHalfAndOneAndAQuarter) {
    EXPECT_EQ(app.pulse(), 0.0);
    app.advancePulse(1000);  // 0.25
    EXPECT_DOUBLE_EQ(app.pulse(), 0.5) << "at or below 0.5 it is held at 0.5 and rises";
    app.advancePulse(2000);  // 1.0
    EXPECT_DOUBLE_EQ(app.pulse(), 1.0);
    app.advancePulse(1000);  // 1.25: turns down from 1
    EXPECT_DOUBLE_EQ(app.pulse(), 1.0);
    app.advancePulse(400);
    EXPECT_DOUBLE_EQ(app.pulse(), 0.9);
}

// A screen that, inside its own event, asks to be replaced by the score screen, which retires
// it as it activates (the way a finished game leaves). Everything after the request still runs
// on a live object; the deletion comes once the event has unwound.
class SelfRetiringScreen : public RecordingScreen {
public:
    using RecordingScreen::RecordingScreen;
    bool onEvent(const InputEvent&) override {
        screenHost()->setActiveScreen(kScreenHighScores);
        journal.push_back("game.still-alive " + std::to_string(id()));
        return true;
    }
};

class RetiringScoreScreen : public RecordingScreen {
public:
    RetiringScoreScreen() : RecordingScreen(kScreenHighScores, "score") {}
    ORenderWindow* finished = nullptr;
    void activate() override {
        RecordingScreen::activate();
        screenHost()->retireScreen(finished);
        journal.push_back("score.after-retire");
    }
};

TEST_F(OApplicationTest, SwitchAndRetireAskedDuringAnEventWaitUntilItUnwinds) {
    auto* game = new SelfRetiringScreen(kScreenGame, "game");
    auto* score = new RetiringScoreScreen;
    score->finished = game;
    app.addScreen(game);
    app.addScreen(score);
    app.setActiveScreen(kScreenGame);
    journal.clear();

    InputEvent click;
    click.type = kInputButtonDown;
    EXPECT_TRUE(app.onEvent(click));
    EXPECT_EQ(journal,
              std::vector<std::string>({"game.still-alive 202", "game.deactivate", "score.activate",
                                        "score.after-retire", "game.deleted"}));
    EXPECT_EQ(OApplication::activeScreen(), score);
    EXPECT_EQ(app.screens(), std::vector<ORenderWindow*>({score}));
}

// A screen that replaces an old game by a new one inside its own event: the old game is
// retired, the new one added under the same id, and the switch must find the new one.
class ReplacingScreen : public RecordingScreen {
public:
    ReplacingScreen() : RecordingScreen(kScreenSelectGame, "select") {}
    ORenderWindow* oldGame = nullptr;
    ORenderWindow* newGame = nullptr;
    bool onEvent(const InputEvent&) override {
        screenHost()->retireScreen(oldGame);
        screenHost()->addScreen(newGame);
        screenHost()->setActiveScreen(kScreenGame);
        return true;
    }
};

TEST_F(OApplicationTest, ASwitchNeverLandsOnAScreenAwaitingRetirement) {
    auto* oldGame = new RecordingScreen(kScreenGame, "old");
    auto* newGame = new RecordingScreen(kScreenGame, "new");
    auto* select = new ReplacingScreen;
    select->oldGame = oldGame;
    select->newGame = newGame;
    app.addScreen(oldGame);
    app.addScreen(select);
    app.setActiveScreen(kScreenSelectGame);
    journal.clear();
    InputEvent click;
    click.type = kInputButtonDown;
    app.onEvent(click);
    EXPECT_EQ(OApplication::activeScreen(), newGame);
    EXPECT_EQ(journal, std::vector<std::string>({"new.init 640x480 hosted", "select.deactivate",
                                                 "new.activate", "old.deleted"}));
}

TEST_F(OApplicationTest, RetiringOutsideAFrameDeletesAtOnceAndNeverTwice) {
    auto* menu = new RecordingScreen(kScreenMenu, "menu");
    app.addScreen(menu);
    app.setActiveScreen(kScreenMenu);
    journal.clear();
    app.retireScreen(menu);
    EXPECT_EQ(journal, std::vector<std::string>({"menu.deactivate", "menu.deleted"}));
    EXPECT_EQ(OApplication::activeScreen(), nullptr);
    EXPECT_TRUE(app.screens().empty());
    RecordingScreen stranger(kScreenHelp, "stranger");
    app.retireScreen(&stranger);  // not listed: left alone
    app.retireScreen(nullptr);
    EXPECT_EQ(journal.size(), 2u);
}

}  // namespace
}  // namespace brx
