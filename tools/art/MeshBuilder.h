// Builds the closed, outward-facing solids the game's models are made of. Every solid is added
// with its own vertices (the game then shades each triangle flat) and is closed, so the pieces
// of a model never show holes from any side.
//
// Texture coordinates: block faces map the whole skin texture; parts that should show the bare
// material colour point all their corners at one flat tone of the skin textures (SkinTone).
#pragma once

#include <vector>

#include "tools/art/Mesh.h"

namespace brx::tools {

// Flat tone patches that every skin texture carries in its corners (see SkinArt).
enum class SkinTone { Light, Mid, Dark };

class MeshBuilder {
public:
    explicit MeshBuilder(Mesh& mesh) : mesh_(mesh) {}

    // The texture coordinate of a flat tone patch.
    static UV toneUV(SkinTone tone);

    // One triangle, wound so that its normal points away from `inside`.
    void addTriangle(Vec3 a, Vec3 b, Vec3 c, UV ta, UV tb, UV tc, Vec3 inside);
    // A box with straight edges bevelled by `bevel`, between two corners.
    void addBevelledBox(Vec3 low, Vec3 high, float bevel, const UV* tone = nullptr);
    // A cube of half size `half` with edges rounded by `radius`, `steps` facets per rounding;
    // faces map the full texture.
    void addRoundedCube(Vec3 centre, float half, float radius, int steps);
    // A faceted sphere.
    void addSphere(Vec3 centre, float radius, int slices, int stacks, UV tone);
    // A closed cylinder from a to b.
    void addCylinder(Vec3 a, Vec3 b, float radius, int segments, UV tone);
    // A cone from a base circle at a to the tip b, closed by its base.
    void addCone(Vec3 a, Vec3 b, float radius, int segments, UV tone);
    // A convex outline in the xy plane extruded from z0 to z1.
    void addPrism(const std::vector<UV>& outline, float z0, float z1, UV tone);
    // An eight-faced star point (two pyramids back to back).
    void addOctahedron(Vec3 centre, float radius, UV tone);

private:
    int addVertex(Vec3 p);
    int addTexCoord(UV t);

    Mesh& mesh_;
};

}  // namespace brx::tools
