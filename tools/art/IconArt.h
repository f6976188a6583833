// The desktop icon of the installed game, drawn from the splash emblem: the five blocks of the
// splash stacked as a small pyramid on the dark glass plate of the menus, with the splash's
// "3D" above them where the size leaves room for lettering.
#pragma once

#include <string>
#include <vector>

#include "tools/art/Image.h"

namespace brx::tools {

class IconArt {
public:
    // The pixel sizes installed into the hicolor icon theme.
    static const std::vector<int>& sizes();
    // The icon at size x size pixels, drawn at that size (not scaled from a larger one).
    static Image icon(int size);
    // Writes <folder>/<n>x<n>/apps/<name>.png for every size; false with a message on failure.
    static bool writeTheme(const std::string& folder, const std::string& name, std::string* error);
};

}  // namespace brx::tools
