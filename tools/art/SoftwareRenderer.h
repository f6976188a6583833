// A small CPU rasteriser for looking at models without OpenGL: perspective camera on +z
// looking at the origin, one point light, flat shading per triangle as the game's loader
// computes it, the skin texture modulated by a material colour, and a depth buffer.
#pragma once

#include <vector>

#include "tools/art/Image.h"
#include "tools/art/Mesh.h"

namespace brx::tools {

struct PreviewMaterial {
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
