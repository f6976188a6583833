// Menu buttons, control skins, panels, banners, the splash, the cursor and the side panel of the
// game screen. Control skins stack their states vertically as the controls expect:
//   push buttons (OTextStack): normal state in the top half, highlighted in the bottom half;
//   arrows (KvIncDec): normal in the bottom half, under the mouse in the top half, pointing
//   right (the left arrow is drawn mirrored);
//   check box: quarters from the bottom: normal, checked, under the mouse, checked and hovered.
#pragma once

#include <string>

#include "tools/art/Image.h"
#include "tools/art/Styling.h"

namespace brx::tools {

class InterfaceArt {
public:
    // Main-menu button, 256 x 64 (two states of 32).
    static Image menuButton(const std::string& text);
    // Game-mode button, 256 x 128 (two states of 64), with a small block emblem per mode.
    static Image modeButton(const std::string& text, int emblem);
    // Small button (Done, OK ...), 128 x 64.
    static Image smallButton(const std::string& text);
    // Half the width of smallButton, for a pair side by side (the game's undo and redo).
    static Image halfButton(const std::string& text);
    // Empty value field for selectors whose text the control draws, width x 64.
    static Image valueField(bool withCube, int width = 128);
    // Stepper arrow, 16 x 64 (two states of 32): narrow, so that a stepped control's arrows
    // stay clear of its caption and of the buttons beside the puzzle chooser.
    static Image arrow();
    static Image checkBox();
    static Image sliderTrack();
    static Image sliderThumb();
    // The game screen's side panel, 1024 x 256: LEVEL / LINES on the left, SCORE / POINTS on
    // the right, with dark slots where the game prints the numbers.
    static Image infoPanel();
    // Large lettered banner, 512 x 128.
    static Image banner(const std::string& text, Colour top, Colour bottom, Colour glow);
    static Image splash();
    // One glossy block of the splash emblem, colour 0..4 (red, blue, green, white, yellow), side
    // `size`, top-left at (x, y); the icons are built from these.
    static void emblemBlock(Image& image, float x, float y, float size, int colour);
    // The lettering of the splash's "3D" at a pixel size (outline and glow scale with it).
    static LetterStyle threeDLetters(int size);
    static Image publisherLogo();
    static Image cursor();
    static Image frame();
    static Image menuOverlay();
    static Image dialogPanel();
};

}  // namespace brx::tools
