// The three full-window backgrounds: a lake at dusk, deep space and desert dunes. Painted
// point by point from noise in a 4:3 scene (the game stretches them over its 800 x 600 view)
// and stored 1024 x 1024. They stay darker in the middle, where the board stands.
#pragma once

#include "tools/art/Image.h"

namespace brx::tools {

class BackgroundArt {
public:
    static constexpr int kSize = 1024;

    static Image lake();
    static Image space();
    static Image dunes();
};

}  // namespace brx::tools
