// Window messages and input on SDL2: SDL events become the platform's plain events, with keys
// as Windows virtual-key numbers because the screens and controls test those numbers.
#include <SDL.h>

#include <algorithm>
#include <csignal>
#include <deque>

#include "platform/Controllers.h"
#include "platform/LostReleases.h"
#include "platform/Platform.h"

namespace platform {
namespace {

// Characters from one text-input event wait here and go out one per pollEvent.
std::deque<Event> pending;
Uint32 quitEventType = 0;
// Buttons SDL takes as held whose release it never saw (see LostReleases.h).
Uint32 lostReleases = 0;
// Set when a window was made while SDL took a button as held: until SDL takes none as held,
// pointer events look again whether the pointer really holds them (the release may still
// come, inside the new window or outside every window of the game).
bool watchingHeldButtons = false;

void lookForLostReleases() {
    const Uint32 believed = SDL_GetMouseState(nullptr, nullptr);
    // A button found lost stays so until its release has gone out to the game: by then the
    // pointer may hold it again (the press SDL swallows), and SDL may already have taken in a
    // release that still waits in the queue.
    lostReleases |= believed & ~SDL_GetGlobalMouseState(nullptr, nullptr);
    if (believed == 0 && lostReleases == 0) watchingHeldButtons = false;
}

constexpr int kEndSignals[] = {SIGTERM, SIGINT, SIGHUP};
// The longest a wait goes without looking for a caught end signal (ms).
constexpr double kSignalSliceMs = 50.0;
// The last end signal caught and not yet handed out; written only by the handler and by
// takeEndSignal, so the handler does nothing but one store.
volatile std::sig_atomic_t caughtSignal = 0;

extern "C" void noteEndSignal(int number) {
    caughtSignal = number;
}

int takeEndSignal() {
    const int number = caughtSignal;
    if (number != 0) caughtSignal = 0;
    return number;
}

struct KeyPair {
    SDL_Keycode sdl;
    int virtualKey;
};

constexpr KeyPair kNamedKeys[] = {
    {SDLK_BACKSPACE, 8},     {SDLK_TAB, 9},         {SDLK_RETURN, 13},        {SDLK_KP_ENTER, 13},
    {SDLK_LSHIFT, 16},       {SDLK_RSHIFT, 16},     {SDLK_LCTRL, 17},         {SDLK_RCTRL, 17},
    {SDLK_LALT, 18},         {SDLK_RALT, 18},       {SDLK_PAUSE, 19},         {SDLK_CAPSLOCK, 20},
    {SDLK_ESCAPE, 27},       {SDLK_SPACE, 32},      {SDLK_PAGEUP, 33},        {SDLK_PAGEDOWN, 34},
    {SDLK_END, 35},          {SDLK_HOME, 36},       {SDLK_LEFT, 37},          {SDLK_UP, 38},
    {SDLK_RIGHT, 39},        {SDLK_DOWN, 40},       {SDLK_INSERT, 45},        {SDLK_DELETE, 46},
    {SDLK_KP_MULTIPLY, 106}, {SDLK_KP_PLUS, 107},   {SDLK_KP_MINUS, 109},     {SDLK_KP_PERIOD, 110},
    {SDLK_KP_DIVIDE, 111},   {SDLK_SEMICOLON, 186}, {SDLK_EQUALS, 187},       {SDLK_COMMA, 188},
    {SDLK_MINUS, 189},       {SDLK_PERIOD, 190},    {SDLK_SLASH, 191},        {SDLK_BACKQUOTE, 192},
    {SDLK_LEFTBRACKET, 219}, {SDLK_BACKSLASH, 220}, {SDLK_RIGHTBRACKET, 221}, {SDLK_QUOTE, 222},
};

int virtualKey(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z) return 'A' + (key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9) return '0' + (key - SDLK_0);
    if (key >= SDLK_F1 && key <= SDLK_F12) return 112 + (key - SDLK_F1);
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return 97 + (key - SDLK_KP_1);
    if (key == SDLK_KP_0) return 96;
    for (const KeyPair& pair : kNamedKeys)
        if (pair.sdl == key) return pair.virtualKey;
    return 0;
}

uint16_t pointerState(Uint32 buttons) {
    uint16_t state = 0;
    if (buttons & SDL_BUTTON_LMASK) state |= kStateLeftButton;
    if (buttons & SDL_BUTTON_RMASK) state |= kStateRightButton;
    if (buttons & SDL_BUTTON_MMASK) state |= kStateMiddleButton;
    const SDL_Keymod mods = SDL_GetModState();
    if (mods & KMOD_SHIFT) state |= kStateShift;
    if (mods & KMOD_CTRL) state |= kStateControl;
    return state;
}

int buttonIndex(Uint8 sdlButton) {
    if (sdlButton == SDL_BUTTON_MIDDLE) return 1;
    if (sdlButton == SDL_BUTTON_RIGHT) return 2;
    return sdlButton == SDL_BUTTON_LEFT ? 0 : -1;
}

// Decodes UTF-8 text into character events; code points the font cannot show are dropped.
void queueCharacters(const char* text) {
    const auto* p = reinterpret_cast<const unsigned char*>(text);
    while (*p) {
        unsigned code = *p;
        int extra = code >= 0xF0 ? 3 : code >= 0xE0 ? 2 : code >= 0xC0 ? 1 : 0;
        code &= extra == 0 ? 0x7F : (0x3F >> extra);
        ++p;
        for (; extra > 0 && (*p & 0xC0) == 0x80; --extra, ++p) code = (code << 6) | (*p & 0x3F);
        if (extra == 0 && code >= 32 && code < 256 && code != 127) {
            Event event;
            event.type = EventType::character;
            event.key = int(code);
            pending.push_back(event);
        }
    }
}

bool translateWindowEvent(const SDL_WindowEvent& window, Event* out) {
    switch (window.event) {
        case SDL_WINDOWEVENT_MINIMIZED:
            out->type = EventType::minimized;
            return true;
        case SDL_WINDOWEVENT_RESTORED:
            out->type = EventType::restored;
            return true;
        case SDL_WINDOWEVENT_MAXIMIZED:
            out->type = EventType::maximized;
            return true;
        case SDL_WINDOWEVENT_SIZE_CHANGED:
            out->type = EventType::resized;
            windowSize(&out->x, &out->y);
            return true;
        case SDL_WINDOWEVENT_CLOSE:
            out->type = EventType::closeRequested;
            return true;
        case SDL_WINDOWEVENT_EXPOSED:
            out->type = EventType::exposed;
            return true;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            out->type = EventType::focusLost;
            return true;
        default:
            return false;
    }
}

bool translateKey(const SDL_KeyboardEvent& key, Event* out) {
    out->type = key.type == SDL_KEYDOWN ? EventType::keyDown : EventType::keyUp;
    out->key = virtualKey(key.keysym.sym);
    if (key.keysym.mod & KMOD_SHIFT) out->state |= kStateShift;
    if (key.keysym.mod & KMOD_CTRL) out->state |= kStateControl;
    if (key.repeat) out->state |= kStateRepeat;
    return out->key != 0;
}

bool translateButton(const SDL_MouseButtonEvent& button, Event* out) {
    out->button = buttonIndex(button.button);
    if (out->button < 0) return false;
    out->type = button.type == SDL_MOUSEBUTTONDOWN ? EventType::buttonDown : EventType::buttonUp;
    out->x = button.x;
    out->y = button.y;
    out->state = pointerState(SDL_GetMouseState(nullptr, nullptr) & ~lostReleases);
    const Uint32 mask = SDL_BUTTON(button.button);
    if (!(lostReleases & mask)) return true;
    lostReleases &= ~mask;
    if (out->type == EventType::buttonUp) {
        // SDL swallowed the press of this click: the game gets both halves.
        Event release = *out;
        out->type = EventType::buttonDown;
        out->state = uint16_t(out->state | pointerState(mask));
        pending.push_back(release);
    }
    return true;
}

// Fills *out from one SDL event; false for events the game does not see.
bool translate(const SDL_Event& in, Event* out) {
    *out = Event{};
    switch (in.type) {
        case SDL_KEYDOWN:
        case SDL_KEYUP:
            return translateKey(in.key, out);
        case SDL_TEXTINPUT:
            queueCharacters(in.text.text);
            return false;
        case SDL_MOUSEMOTION:
            if (watchingHeldButtons) lookForLostReleases();
            out->type = EventType::pointerMove;
            out->x = in.motion.x;
            out->y = in.motion.y;
            out->state = pointerState(in.motion.state & ~lostReleases);
            return true;
        case SDL_MOUSEBUTTONDOWN:
        case SDL_MOUSEBUTTONUP:
            return translateButton(in.button, out);
        case SDL_WINDOWEVENT:
            if (watchingHeldButtons && in.window.event == SDL_WINDOWEVENT_ENTER)
                lookForLostReleases();
            return translateWindowEvent(in.window, out);
        case SDL_QUIT:
            out->type = EventType::closeRequested;
            return true;
        default:
            if (translateController(in, out)) return true;
            if (quitEventType == 0 || in.type != quitEventType) return false;
            out->type = EventType::quit;
            out->exitCode = in.user.code;
            return true;
    }
}

}  // namespace

void catchEndSignals() {
    // SDL would otherwise turn SIGINT and SIGTERM into a window-close of its own.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    struct sigaction action {};
    action.sa_handler = noteEndSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int number : kEndSignals) sigaction(number, &action, nullptr);
}

bool pollEvent(Event* event) {
    if (const int number = takeEndSignal()) {
        *event = Event{};
        event->type = EventType::endSignal;
        event->key = number;
        return true;
    }
    for (;;) {
        if (!pending.empty()) {
            *event = pending.front();
            pending.pop_front();
            return true;
        }
        if (takeControllerRepeat(preciseTimeMs(), event)) return true;
        SDL_Event in;
        if (!SDL_PollEvent(&in)) return false;
        if (translate(in, event)) return true;
    }
}

bool waitEvent(Event* event, int timeoutMs) {
    // Events the game does not see wake SDL too: wait on for the rest of the time.
    const double endMs = preciseTimeMs() + timeoutMs;
    for (;;) {
        if (pollEvent(event)) return true;
        const double leftMs = endMs - preciseTimeMs();
        if (leftMs <= 0.0) return false;
        // In slices, so that an end signal caught meanwhile is handed out soon.
        SDL_Event in;
        const double sliceMs = std::min(leftMs, kSignalSliceMs);
        if (SDL_WaitEventTimeout(&in, int(sliceMs + 0.999)) && translate(in, event)) return true;
    }
}

void postQuit(int exitCode) {
    if (quitEventType == 0) quitEventType = SDL_RegisterEvents(1);
    SDL_Event event{};
    event.type = quitEventType;
    event.user.code = exitCode;
    if (SDL_PushEvent(&event) != 1) {
        // The queue is full or events are off: deliver it ahead of anything else instead.
        Event quit;
        quit.type = EventType::quit;
        quit.exitCode = exitCode;
        pending.push_back(quit);
    }
}

void findLostReleases() {
    SDL_PumpEvents();  // releases that did reach SDL are taken into account first
    watchingHeldButtons = true;
    lostReleases = 0;
    lookForLostReleases();
}

void setPointerCapture(bool captured) {
    SDL_CaptureMouse(captured ? SDL_TRUE : SDL_FALSE);
}

int virtualKeyFromName(const char* keyName) {
    const SDL_Keycode key = SDL_GetKeyFromName(keyName);
    return key == SDLK_UNKNOWN ? 0 : virtualKey(key);
}

}  // namespace platform
