// Sprites of the timed effects. They are drawn blended (most with source alpha, the fire flash
// additively) and tinted by the effect's colour, so they are white or warm light shaped by
// alpha, brightest in the middle and fading to nothing at the border.
#pragma once

#include "tools/art/Image.h"

namespace brx::tools {

class EffectArt {
public:
    static Image hundred();    // "100.Tga": the rising 100-points sign
    static Image blastRing();  // "BmBlast.Tga": shock ring of a colour bomb
    static Image dirtPuff();   // "DirtPuf.Tga": the bomb's particles
    static Image flash();      // "HVBlast.Tga": line remover and big bomb flash
    static Image sparkle();    // "ParticleBit.Tga": sparkle around removed blocks
    static Image fireFlash();  // "FireFlash.Jpg": fire, black for no light
    static Image trailDot();   // "Spl.Tga": one dot of the glowing trail
    static Image softBlob();   // "BlurPart.Tga": a soft round blur
};

}  // namespace brx::tools
