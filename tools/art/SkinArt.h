// The three block skins (SkinIndex 0, 1, 2): light, nearly grey pictures that the block's
// material colour tints, so one texture serves all five colours. 0 is a plain glossy sheen,
// 1 an engraved frame and ring, 2 a cut gem with facets. Every skin carries three flat tone
// patches in its corners that untextured parts of other models point at (MeshBuilder::toneUV).
#pragma once

#include "tools/art/Image.h"

namespace brx::tools {

class SkinArt {
public:
    static constexpr int kSize = 256;
    static constexpr int kPatch = 8;
    static constexpr float kLightTone = 1.0f;
    static constexpr float kMidTone = 0.6f;
    static constexpr float kDarkTone = 0.25f;

    static Image skin(int index);
};

}  // namespace brx::tools
