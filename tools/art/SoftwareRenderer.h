// A small CPU rasteriser for looking at models without OpenGL: perspective camera on +z
// looking at the origin, the board's point light at (0, 0, 26) with the fixed-function terms
// (ambient 0.5 plus the global 0.2, diffuse, specular with an infinitely far viewer), flat
// shading per triangle as the game's loader computes it, the skin texture modulating the lit
// colour, and a depth buffer.
#pragma once

#include <vector>

#include "tools/art/Image.h"
#include "tools/art/Mesh.h"

namespace brx::tools {

// The OpenGL material terms the game's colour file sets.
struct PreviewMaterial {
    Colour ambient{0.2f, 0.2f, 0.2f, 1};
    Colour diffuse{0.8f, 0.8f, 0.8f, 1};
    Colour specular{0.5f, 0.5f, 0.5f, 1};
    float shininess = 40;
};

class SoftwareRenderer {
public:
    // target: the picture to draw into (its contents stay as the background).
    SoftwareRenderer(Image& target, float cameraDistance, float fieldOfViewDeg);

    // Draws a mesh turned by yaw and pitch (radians) and then moved to `at`.
    void draw(const Mesh& mesh, const Image* texture, const PreviewMaterial& material, Vec3 at,
              float yaw = 0, float pitch = 0, float scale = 1);

private:
    Vec3 project(Vec3 world) const;

    Image& target_;
    std::vector<float> depth_;
    float distance_;
    float focal_;
};

}  // namespace brx::tools
