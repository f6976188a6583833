// The game's own icon on its windows: the icon picture of the archive (the one the desktop
// entry shows, drawn by the same generator) handed to the platform, which puts it on the open
// window and on every window made later, so a re-created window keeps it.
#pragma once

#include <string>

namespace brx {

class WindowIcon {
public:
    // The icon's side on the window, in pixels (window managers scale it for their docks).
    static constexpr int kSidePixels = 64;

    // Reads the named texture from the open archive and makes it the windows' icon. False, and
    // noted in the log (not as an error), when the picture is missing or damaged: the windows
    // then go without.
    static bool install(const std::string& textureName);
};

}  // namespace brx
