// One input event in the shape the screens and controls expect: window messages of the
// platform become these, carrying Windows virtual-key numbers for keys.
#pragma once

#include <cstdint>

namespace brx {

enum InputType : int {
    kInputNone = 0,
    kInputCharacter = 1,
    kInputKeyDown = 2,
    kInputKeyUp = 3,
    kInputPointerMove = 4,
    kInputButtonDown = 6,
    kInputButtonUp = 7,
};

enum InputButton : int { kButtonLeft = 0, kButtonMiddle = 1, kButtonRight = 2 };

// Virtual-key codes the game reacts to.
enum VirtualKey : uint16_t {
    kKeyBackspace = 8,
    kKeyTab = 9,
    kKeyEnter = 13,
    kKeyPause = 19,
    kKeyEscape = 27,
    kKeySpace = 32,
    kKeyEnd = 35,
    kKeyHome = 36,
    kKeyLeft = 37,
    kKeyUp = 38,
    kKeyRight = 39,
    kKeyDown = 40,
    kKeyDelete = 46,
    kKeyN = 'N',
    kKeyY = 'Y',
    kKeyZ = 'Z',
    kKeyF1 = 112,
    kKeyF11 = 122,
};

// Modifier and button state in `flags` of pointer events; key events carry the modifiers.
enum PointerFlags : uint16_t {
    kFlagLeftButton = 0x0001,
    kFlagRightButton = 0x0002,
    kFlagShift = 0x0004,
    kFlagControl = 0x0008,
    kFlagMiddleButton = 0x0010,
    kFlagRepeat = 0x0020,  // key events: a repeat of a key held down
};

struct InputEvent {
    int type = kInputNone;
    int button = kButtonLeft;  // button events only
    uint16_t flags = 0;        // PointerFlags (key events: Shift, Control and Repeat only)
    uint16_t key = 0;          // character code (type 1) or virtual-key code (types 2 and 3)
    int16_t x = 0, y = 0;      // pointer position in client pixels, y downwards
    int16_t dx = 0, dy = 0;    // movement since the previous pointer event (type 4 only)
};

}  // namespace brx
