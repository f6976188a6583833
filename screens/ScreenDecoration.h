// The frame the information screens share: two red lines fading in and out along the edges of
// the middle band, and the studio logo in the lower-left corner. Both draw in the 800 x 600
// virtual space; the caller sets the 2D projection first.
#pragma once

namespace brx {

class TextureRef;

// Two vertical red strips at x 150 and x 650, transparent at the top and bottom edges and
// half opaque between y 150 and y 450.
void drawSideLines();
// The logo centred on x 85 with its lower edge at y 5, alpha-blended.
void drawCornerLogo(const TextureRef& logo);

}  // namespace brx
