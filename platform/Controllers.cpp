// Design note: a pad speaks in keys. The D-pad and the left stick are the arrow keys, A is
// Enter, B Escape, X Ctrl+Z (undo), Y Ctrl+Y (redo), Start the Pause key and either shoulder
// button N. A held direction repeats like a keyboard key (a first delay, then a steady rate);
// the stick counts as pushed only past a dead zone and as let go only well inside it, so a
// resting stick never trembles between the two.
#include "platform/Controllers.h"

#include <cstdlib>
#include <map>

namespace platform {
namespace {

constexpr int kKeyEnter = 13, kKeyEscape = 27, kKeyPause = 19;
constexpr int kKeyLeft = 37, kKeyUp = 38, kKeyRight = 39, kKeyDown = 40;
// Stick travel (of 32767) that counts as a push, and the travel under which it is let go.
constexpr int kStickPush = 16000;
constexpr int kStickRelease = 10000;
// Repeat of a held direction (milliseconds).
constexpr double kRepeatDelayMs = 400.0;
constexpr double kRepeatIntervalMs = 110.0;

struct ButtonKey {
    SDL_GameControllerButton button;
    int key;
    uint16_t state;
};
constexpr ButtonKey kButtonKeys[] = {
    {SDL_CONTROLLER_BUTTON_A, kKeyEnter, 0},
    {SDL_CONTROLLER_BUTTON_B, kKeyEscape, 0},
    {SDL_CONTROLLER_BUTTON_X, 'Z', kStateControl},
    {SDL_CONTROLLER_BUTTON_Y, 'Y', kStateControl},
    {SDL_CONTROLLER_BUTTON_START, kKeyPause, 0},
    {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, 'N', 0},
    {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, 'N', 0},
    {SDL_CONTROLLER_BUTTON_DPAD_UP, kKeyUp, 0},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, kKeyDown, 0},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, kKeyLeft, 0},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, kKeyRight, 0},
};

// A direction held down: its arrow key and when it repeats next; key 0 when none.
struct Held {
    int key = 0;
    double nextMs = 0.0;
};

struct Pads {
    bool started = false;
    std::map<SDL_JoystickID, SDL_GameController*> open;
    Held dpad;
    Held stickX;
    Held stickY;
};
Pads pads;

void hold(Held& held, int key) {
    held.key = key;
    held.nextMs = preciseTimeMs() + kRepeatDelayMs;
}

void makeKey(Event* out, bool down, int key, uint16_t state) {
    out->type = down ? EventType::keyDown : EventType::keyUp;
    out->key = key;
    out->state = state;
}

bool isDpad(SDL_GameControllerButton button) {
    return button >= SDL_CONTROLLER_BUTTON_DPAD_UP && button <= SDL_CONTROLLER_BUTTON_DPAD_RIGHT;
}

bool translateButton(const SDL_ControllerButtonEvent& event, Event* out) {
    const auto button = SDL_GameControllerButton(event.button);
    for (const ButtonKey& entry : kButtonKeys) {
        if (entry.button != button) continue;
        const bool down = event.state == SDL_PRESSED;
        if (isDpad(button)) {
            if (down) hold(pads.dpad, entry.key);
            if (!down && pads.dpad.key == entry.key) pads.dpad.key = 0;
        }
        makeKey(out, down, entry.key, entry.state);
        return true;
    }
    return false;
}

// The stick's axis crossed into a direction (a key goes down) or back to rest (it comes up).
bool translateAxis(const SDL_ControllerAxisEvent& event, Event* out) {
    Held* held = nullptr;
    int negative = 0, positive = 0;
    if (event.axis == SDL_CONTROLLER_AXIS_LEFTX) {
        held = &pads.stickX;
        negative = kKeyLeft;
        positive = kKeyRight;
    } else if (event.axis == SDL_CONTROLLER_AXIS_LEFTY) {
        held = &pads.stickY;
        negative = kKeyUp;
        positive = kKeyDown;
    } else {
        return false;
    }
    const int value = event.value;
    const int pushed = value <= -kStickPush ? negative : value >= kStickPush ? positive : 0;
    if (pushed != 0 && pushed != held->key) {
        hold(*held, pushed);
        makeKey(out, true, pushed, 0);
        return true;
    }
    if (held->key != 0 && std::abs(value) < kStickRelease) {
        const int released = held->key;
        held->key = 0;
        makeKey(out, false, released, 0);
        return true;
    }
    return false;
}

void openPad(int deviceIndex) {
    if (!SDL_IsGameController(deviceIndex)) return;
    SDL_GameController* pad = SDL_GameControllerOpen(deviceIndex);
    if (!pad) return;
    const SDL_JoystickID id = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad));
    if (pads.open.count(id) != 0) {
        SDL_GameControllerClose(pad);  // announced twice: keep the first
        return;
    }
    pads.open[id] = pad;
}

void closePad(SDL_JoystickID id) {
    const auto found = pads.open.find(id);
    if (found == pads.open.end()) return;
    SDL_GameControllerClose(found->second);
    pads.open.erase(found);
    // A direction held on a pad that went away must not go on repeating.
    pads.dpad = pads.stickX = pads.stickY = Held{};
}

}  // namespace

bool openControllerSupport() {
    if (pads.started) return true;
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) return false;
    pads.started = true;
    return true;
}

void closeControllerSupport() {
    if (!pads.started) return;
    for (const auto& [id, pad] : pads.open) SDL_GameControllerClose(pad);
    pads = Pads{};
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
}

bool translateController(const SDL_Event& in, Event* out) {
    switch (in.type) {
        case SDL_CONTROLLERDEVICEADDED:
            openPad(in.cdevice.which);
            return false;
        case SDL_CONTROLLERDEVICEREMOVED:
            closePad(in.cdevice.which);
            return false;
        case SDL_CONTROLLERBUTTONDOWN:
        case SDL_CONTROLLERBUTTONUP:
            return translateButton(in.cbutton, out);
        case SDL_CONTROLLERAXISMOTION:
            return translateAxis(in.caxis, out);
        default:
            return false;
    }
}

bool takeControllerRepeat(double nowMs, Event* out) {
    for (Held* held : {&pads.dpad, &pads.stickX, &pads.stickY}) {
        if (held->key == 0 || nowMs < held->nextMs) continue;
        held->nextMs = nowMs + kRepeatIntervalMs;
        *out = Event{};
        makeKey(out, true, held->key, kStateRepeat);
        return true;
    }
    return false;
}

int controllerCount() {
    return int(pads.open.size());
}

static_assert(int(kPadA) == int(SDL_CONTROLLER_BUTTON_A) &&
                  int(kPadStart) == int(SDL_CONTROLLER_BUTTON_START) &&
                  int(kPadLeftShoulder) == int(SDL_CONTROLLER_BUTTON_LEFTSHOULDER) &&
                  int(kPadRight) == int(SDL_CONTROLLER_BUTTON_DPAD_RIGHT),
              "pad buttons are numbered as SDL numbers them");
static_assert(int(kPadLeftX) == int(SDL_CONTROLLER_AXIS_LEFTX) &&
                  int(kPadLeftY) == int(SDL_CONTROLLER_AXIS_LEFTY),
              "pad axes are numbered as SDL numbers them");

namespace {

std::map<int, SDL_Joystick*> virtualPads;
int nextVirtualHandle = 0;

SDL_Joystick* virtualPad(int handle) {
    const auto found = virtualPads.find(handle);
    return found == virtualPads.end() ? nullptr : found->second;
}

}  // namespace

int attachVirtualController() {
    if (!openControllerSupport()) return -1;
    const int index = SDL_JoystickAttachVirtual(
        SDL_JOYSTICK_TYPE_GAMECONTROLLER, SDL_CONTROLLER_AXIS_MAX, SDL_CONTROLLER_BUTTON_MAX, 0);
    if (index < 0) return -1;
    SDL_Joystick* joystick = SDL_JoystickOpen(index);
    if (!joystick) {
        SDL_JoystickDetachVirtual(index);
        return -1;
    }
    virtualPads[nextVirtualHandle] = joystick;
    return nextVirtualHandle++;
}

bool setVirtualControllerButton(int handle, int button, bool down) {
    SDL_Joystick* joystick = virtualPad(handle);
    return joystick && SDL_JoystickSetVirtualButton(joystick, button, down ? 1 : 0) == 0;
}

bool setVirtualControllerAxis(int handle, int axis, int value) {
    SDL_Joystick* joystick = virtualPad(handle);
    const auto clamped = Sint16(value < -32768 ? -32768 : value > 32767 ? 32767 : value);
    return joystick && SDL_JoystickSetVirtualAxis(joystick, axis, clamped) == 0;
}

void detachVirtualController(int handle) {
    SDL_Joystick* joystick = virtualPad(handle);
    if (!joystick) return;
    const SDL_JoystickID id = SDL_JoystickInstanceID(joystick);
    virtualPads.erase(handle);
    SDL_JoystickClose(joystick);
    for (int index = 0; index < SDL_NumJoysticks(); ++index)
        if (SDL_JoystickGetDeviceInstanceID(index) == id) SDL_JoystickDetachVirtual(index);
}

}  // namespace platform
