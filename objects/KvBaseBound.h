// The base of every timed effect: where it stands, its tint, whether it still runs, and the
// operations EffectList drives each frame. Effects are made by cloning a prototype; clones
// share the prototype's textures (one more reference each).
//
// Design note: prototypes load their sprites once (loadTextures) when the registry builds them,
// so effects can be made, started and advanced without a rendering context; only draw() needs
// one.
#pragma once

#include <cstdint>
#include <memory>

#include "engine/O2D.h"
#include "engine/TextureRef.h"
#include "engine/Vector3.h"
#include "objects/Particle.h"

namespace brx {

class KvBaseBound {
public:
    KvBaseBound() = default;
    KvBaseBound(const KvBaseBound&) = default;
    KvBaseBound& operator=(const KvBaseBound&) = delete;
    virtual ~KvBaseBound() = default;

    // A new effect of the same class copied from this one (shares the textures).
    virtual std::unique_ptr<KvBaseBound> clone() const;
    // Begins the effect once position and tint are set; the base does nothing.
    virtual void start();
    // Advances the effect by dtMs milliseconds; the base does nothing.
    virtual void update(double dtMs);
    // Draws the effect with the current billboard corners; the base draws nothing.
    virtual void draw();
    // Initial values of the blasts; mode is a direction for HVExplosion, ignored elsewhere.
    virtual void setup(int16_t mode);
    // Loads the effect's sprites with mipmaps (prototypes only); throws OFileNotFound when one
    // is missing. The base has none.
    virtual void loadTextures();

    TextureRef texture;
    Rgba tint{1.0f, 1.0f, 1.0f, 1.0f};  // colour given by the creator
    bool alive = true;                  // false asks EffectList to delete the effect
    double elapsed = -1.0;              // ms; -1 while a clip is not running
    Vector3 position;                   // where the creator wants the effect (world units)

protected:
    // Depth writes off, alpha blending, the blast's texture and colour, one billboard of the
    // blast's size at its position.
    static void drawBlast(const Particle& blast, const TextureRef& blastTexture);
    // A billboard in its own colour for every particle whose life is not below 0 (texture and
    // blending as the caller set them).
    static void drawParticles(const Particle* particles, int count);
    // Depth writes off, blending source alpha / one minus source alpha, texturing on.
    static void drawBlendedSprites();
};

}  // namespace brx
