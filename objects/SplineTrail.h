// The glowing trail: a five-unit streak of sprites whose head flies along a flight path. It
// rises from below the board through the block that started it, follows the path once round
// and ends. At most one trail runs at a time.
//
// Design note: the head advances L / 25 parameter units per ms and the streak covers
// 300000 / L parameter units, L the rebuilt path's length, so the streak is always 5 units long
// whatever the path.
#pragma once

#include <memory>

#include "engine/TextureRef.h"
#include "engine/Vector3.h"
#include "objects/FlyObject.h"

namespace brx {

class SplineTrail {
public:
    static constexpr const char* kTextureName = "Spl.Tga";
    // The rebuilt path starts this far below the board (z, units).
    static constexpr float kStartDepth = -4.0f;
    // Parameter units between two sprites, and the sprite's side (units).
    static constexpr double kSpriteSpacing = 50.0;
    static constexpr float kSpriteSide = 0.35f;

    // The process-wide trail, created on first use.
    static SplineTrail& instance();

    // Starts a trail through p along the next path of the path set, unless one runs already
    // or no path is usable.
    void spawn(const Vector3& p);
    // Moves the head on by ms; past the end of the path the trail ends.
    void update(double ms);
    // The streak of sprites from the tail (transparent) to the head (half opaque), flat in the
    // board plane; leaves blending off, lighting and culling on, depth writes on.
    void draw();
    // Ends a running trail at once.
    void stop();

    // Loads the sprite (mipmaps) unless it is loaded; throws OFileNotFound when it is missing.
    void loadTexture();
    // Lets go of the sprite (before the rendering context goes away).
    void releaseTexture();

    bool isRunning() const { return flyer != nullptr; }
    // Parameter units of the visible streak: 5 units of a path of length L mapped onto the
    // parameter span; 0 while no trail runs.
    double streakLength() const;

    double time = 0.0;  // parameter of the head
    std::unique_ptr<FlyObject> flyer;
    TextureRef texture;

private:
    SplineTrail() = default;
};

}  // namespace brx
