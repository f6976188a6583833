// Helpers for exercising controls without a rendering context: an owner that records what the
// controls report, skins registered straight in the texture cache (no file, no upload), input
// events placed in the 800 x 600 control space, and a recorder for interface sounds.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "engine/ControlOwner.h"
#include "engine/InputEvent.h"
#include "engine/OBaseImage.h"
#include "engine/TextureCache.h"
#include "engine/TextureRef.h"
#include "engine/UiSound.h"

namespace controltest {

// Records every (controlId, value) a control reports and answers with `answer`.
class RecordingOwner : public brx::ControlOwner {
public:
    bool onCommand(int controlId, int value) override {
        commands.emplace_back(controlId, value);
        return answer;
    }
    int16_t windowWidth() const override { return width; }
    int16_t windowHeight() const override { return height; }
    brx::OCamera* camera() const override { return nullptr; }

    std::vector<std::pair<int, int>> commands;
    bool answer = true;
    int16_t width = 800;
    int16_t height = 600;
};

// A skin image of the given pixel size, known to the texture cache under `name` for as long
// as this object lives (controls loading the name share it).
class FakeSkin {
public:
    FakeSkin(const std::string& name, int width, int height) {
        auto* image = new brx::OBaseImage;
        brx::DecodedImage decoded;
        decoded.width = uint32_t(width);
        decoded.height = uint32_t(height);
        decoded.pixels.assign(size_t(width) * size_t(height) * 3, 0);
        image->adopt(std::move(decoded));
        brx::TextureCache::instance().insert(name, image);
        holder_.load(name, true);
    }

private:
    brx::TextureRef holder_;
};

// Events at a point of the 800 x 600 control space, for an 800 x 600 window.
inline brx::InputEvent pointerEvent(int type, float vx, float vy, int button = brx::kButtonLeft) {
    brx::InputEvent event;
    event.type = type;
    event.button = button;
    event.x = int16_t(vx);
    event.y = int16_t(600 - vy);
    return event;
}
inline brx::InputEvent press(float vx, float vy, int button = brx::kButtonLeft) {
    return pointerEvent(brx::kInputButtonDown, vx, vy, button);
}
inline brx::InputEvent release(float vx, float vy, int button = brx::kButtonLeft) {
    return pointerEvent(brx::kInputButtonUp, vx, vy, button);
}
inline brx::InputEvent move(float vx, float vy, int16_t dx = 0) {
    brx::InputEvent event = pointerEvent(brx::kInputPointerMove, vx, vy);
    event.dx = dx;
    return event;
}
inline brx::InputEvent keyDown(uint16_t key) {
    brx::InputEvent event;
    event.type = brx::kInputKeyDown;
    event.key = key;
    return event;
}
inline brx::InputEvent character(char c) {
    brx::InputEvent event;
    event.type = brx::kInputCharacter;
    event.key = uint16_t(static_cast<unsigned char>(c));
    return event;
}

// Collects the interface sounds played while it lives.
class SoundRecorder {
public:
    SoundRecorder() {
        played().clear();
        brx::setUiSoundPlayer([](int id) { played().push_back(id); });
    }
    ~SoundRecorder() { brx::setUiSoundPlayer(nullptr); }
    static std::vector<int>& played() {
        static std::vector<int> ids;
        return ids;
    }
};

}  // namespace controltest
