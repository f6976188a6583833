#include "objects/SymbolDecal.h"

#include <GL/gl.h>

#include "core/DataManifest.h"
#include "core/ErrorLog.h"
#include "core/SystemSettings.h"
#include "engine/OException.h"
#include "objects/Box.h"

namespace brx {

bool SymbolDecal::wanted() {
    return SystemSettings::instance().symbolsOnBlocks;
}

bool SymbolDecal::hasSymbol(const Box& block) {
    return block.colour >= Box::kRed && block.colour <= Box::kYellow &&
           block.motion != Box::kFlyingAway;
}

bool SymbolDecal::cellOf(int32_t colour, float& u0, float& u1) {
    if (colour < 1 || colour > DataManifest::kSymbolColourCount) return false;
    const float cell = 1.0f / float(DataManifest::kSymbolCellCount);
    u0 = float(colour - 1) * cell;
    u1 = float(colour) * cell;
    return true;
}

bool SymbolDecal::begin() {
    if (missing_) return false;
    if (!atlas_) {
        try {
            atlas_.load(DataManifest::kSymbolTexture, true);
        } catch (const OFileNotFound&) {
            // Blocks without symbols beat a game that stops: the colours still tell them apart.
            ErrorLog::instance().line("Block symbols unavailable: %s is missing",
                                      DataManifest::kSymbolTexture);
            missing_ = true;
            return false;
        }
    }
    glPushAttrib(GL_ENABLE_BIT | GL_TEXTURE_BIT | GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT |
                 GL_CURRENT_BIT);
    glEnable(GL_TEXTURE_2D);
    atlas_.bind();
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);
    glDisable(GL_LIGHTING);
    glDisable(GL_CULL_FACE);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glDepthMask(GL_FALSE);
    glColor4f(1.0f, 1.0f, 1.0f, 1.0f);
    glNormal3f(0.0f, 0.0f, 1.0f);
    glBegin(GL_QUADS);
    return true;
}

void SymbolDecal::drawOn(const Box& block) const {
    float u0 = 0.0f, u1 = 0.0f;
    if (!hasSymbol(block) || !cellOf(block.colour, u0, u1)) return;
    const bool bomb = block.isBonus;
    const float half = bomb ? kBombHalfSize : kHalfSize;
    const float x = bomb ? kBombCentreX : 0.0f, y = bomb ? kBombCentreY : 0.0f;
    const float z = bomb ? kBombDepth : kFaceDepth;
    // The corners go through the block's frame here, so the whole pass stays one batch.
    const Vector3 corners[4] = {{x - half, y - half, z},
                                {x + half, y - half, z},
                                {x + half, y + half, z},
                                {x - half, y + half, z}};
    const float u[4] = {u0, u1, u1, u0}, v[4] = {0.0f, 0.0f, 1.0f, 1.0f};
    for (int i = 0; i < 4; ++i) {
        const Vector3 p = block.frame.transformPoint(corners[i]);
        glTexCoord2f(u[i], v[i]);
        glVertex3f(p.x, p.y, p.z);
    }
}

void SymbolDecal::end() const {
    glEnd();
    glPopAttrib();
}

void SymbolDecal::release() {
    atlas_.release();
    missing_ = false;
}

}  // namespace brx
