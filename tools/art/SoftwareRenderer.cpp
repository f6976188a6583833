#include "tools/art/SoftwareRenderer.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace brx::tools {
namespace {

Vec3 turned(Vec3 p, float yaw, float pitch) {
    const float cy = std::cos(yaw), sy = std::sin(yaw), cp = std::cos(pitch), sp = std::sin(pitch);
    const Vec3 a{p.x * cy + p.z * sy, p.y, -p.x * sy + p.z * cy};
    return {a.x, a.y * cp - a.z * sp, a.y * sp + a.z * cp};
}

Vec3 unit(Vec3 v) {
    const float l = std::sqrt(dot(v, v));
    return l > 0 ? v * (1.0f / l) : v;
}

}  // namespace

SoftwareRenderer::SoftwareRenderer(Image& target, float cameraDistance, float fieldOfViewDeg)
    : target_(target),
      depth_(size_t(target.width()) * size_t(target.height()), std::numeric_limits<float>::max()),
      distance_(cameraDistance),
      focal_(float(target.height()) * 0.5f /
             std::tan(fieldOfViewDeg * 0.5f * 3.14159265f / 180.0f)) {}

Vec3 SoftwareRenderer::project(Vec3 world) const {
    const float depth = distance_ - world.z;
    return {float(target_.width()) * 0.5f + world.x * focal_ / depth,
            float(target_.height()) * 0.5f - world.y * focal_ / depth, depth};
}

void SoftwareRenderer::draw(const Mesh& mesh, const Image* texture, const PreviewMaterial& material,
                            Vec3 at, float yaw, float pitch, float scale) {
    const Vec3 eye{0, 0, distance_};
    for (const auto& triangle : mesh.triangles) {
        Vec3 world[3], screen[3];
        UV uv[3];
        for (int c = 0; c < 3; ++c) {
            world[c] = turned(mesh.vertices[size_t(triangle[c].vertex)] * scale, yaw, pitch) + at;
            screen[c] = project(world[c]);
            uv[c] = mesh.texCoords[size_t(triangle[c].texCoord)];
        }
        const Vec3 normal = unit(cross(world[1] - world[0], world[2] - world[0]));
        const Vec3 centre = (world[0] + world[1] + world[2]) * (1.0f / 3.0f);
        const Vec3 toEye = unit(eye - centre);
        if (dot(normal, toEye) <= 0) continue;  // back faces are culled, as in the game
        const Vec3 toLight = unit(Vec3{0, 0, 26} - centre);
        const float diffuse = std::max(0.0f, dot(normal, toLight));
        const float specular = std::pow(std::max(0.0f, dot(normal, unit(toLight + Vec3{0, 0, 1}))),
                                        material.shininess);
        const float area = (screen[1].x - screen[0].x) * (screen[2].y - screen[0].y) -
                           (screen[2].x - screen[0].x) * (screen[1].y - screen[0].y);
        if (std::abs(area) < 1e-6f) continue;
        const int x0 =
            std::max(0, int(std::floor(std::min({screen[0].x, screen[1].x, screen[2].x}))));
        const int x1 = std::min(target_.width() - 1,
                                int(std::ceil(std::max({screen[0].x, screen[1].x, screen[2].x}))));
        const int y0 =
            std::max(0, int(std::floor(std::min({screen[0].y, screen[1].y, screen[2].y}))));
        const int y1 = std::min(target_.height() - 1,
                                int(std::ceil(std::max({screen[0].y, screen[1].y, screen[2].y}))));
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) {
                const float px = float(x) + 0.5f, py = float(y) + 0.5f;
                float w[3];
                for (int c = 0; c < 3; ++c) {
                    const Vec3 a = screen[(c + 1) % 3], b = screen[(c + 2) % 3];
                    w[c] = ((b.x - a.x) * (py - a.y) - (px - a.x) * (b.y - a.y)) / area;
                }
                if (w[0] < 0 || w[1] < 0 || w[2] < 0) continue;
                const float z = w[0] * screen[0].z + w[1] * screen[1].z + w[2] * screen[2].z;
                float& stored = depth_[size_t(y) * size_t(target_.width()) + size_t(x)];
                if (z >= stored) continue;
                stored = z;
                Colour tex{1, 1, 1, 1};
                if (texture) {
                    const float u = w[0] * uv[0].u + w[1] * uv[1].u + w[2] * uv[2].u;
                    const float v = w[0] * uv[0].v + w[1] * uv[1].v + w[2] * uv[2].v;
                    // Texture v runs bottom-up; the picture's rows top-down.
                    tex = texture->sample(u * float(texture->width()),
                                          (1 - v) * float(texture->height()));
                }
                const auto lit = [&](float ambient, float diffuseTerm, float specularTerm) {
                    return 0.7f * ambient + diffuse * diffuseTerm + specular * specularTerm;
                };
                const Colour c{
                    tex.r * lit(material.ambient.r, material.diffuse.r, material.specular.r),
                    tex.g * lit(material.ambient.g, material.diffuse.g, material.specular.g),
                    tex.b * lit(material.ambient.b, material.diffuse.b, material.specular.b), 1};
                target_.at(x, y) = c.clamped();
            }
    }
}

}  // namespace brx::tools
