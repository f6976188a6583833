// A screen host without a window for the rule tests: it remembers every screen a game asks
// for and switches nothing.
#pragma once

#include <vector>

#include "shell/ScreenHost.h"

namespace brx::testkit {

class RecordingHost : public ScreenHost {
public:
    void addScreen(ORenderWindow*) override {}
    ORenderWindow* removeScreen(ORenderWindow* screen) override { return screen; }
    bool setActiveScreen(ScreenId id) override {
        requests.push_back(id);
        return true;
    }
    void retireScreen(ORenderWindow*) override {}
    void quit() override {}
    const std::vector<ORenderWindow*>& screens() const override { return none_; }
    bool setFullScreen(bool) override { return true; }
    double pulse() const override { return 1.0; }
    BitmapFont* font() const override { return nullptr; }
    OCamera* camera() const override { return nullptr; }
    int windowWidth() const override { return 800; }
    int windowHeight() const override { return 600; }
    void recreateWindow() override {}

    std::vector<ScreenId> requests;

private:
    std::vector<ORenderWindow*> none_;
};

}  // namespace brx::testkit
