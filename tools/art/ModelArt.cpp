#include "tools/art/ModelArt.h"

#include <cmath>
#include <cstdio>

#include "tools/art/MeshBuilder.h"

namespace brx::tools {
namespace {

constexpr float kHalf = ModelArt::kBlockHalf;
const UV kLight = MeshBuilder::toneUV(SkinTone::Light);
const UV kMid = MeshBuilder::toneUV(SkinTone::Mid);
const UV kDark = MeshBuilder::toneUV(SkinTone::Dark);
// Where a bomb's fuse leaves the ball: up, a little right and towards the viewer.
const Vec3 kFuseDirection{0.45f / 0.9823f, 0.85f / 0.9823f, 0.2f / 0.9823f};

void box(MeshBuilder& b, Vec3 low, Vec3 high, float bevel, UV tone) {
    b.addBevelledBox(low, high, bevel, &tone);
}

// A thin bar between two points in the plane z, as a prism of the given half width.
void bar(MeshBuilder& b, UV from, UV to, float halfWidth, float z0, float z1, UV tone) {
    const float dx = to.u - from.u, dy = to.v - from.v;
    const float length = std::hypot(dx, dy);
    const float nx = -dy / length * halfWidth, ny = dx / length * halfWidth;
    b.addPrism({{from.u + nx, from.v + ny},
                {from.u - nx, from.v - ny},
                {to.u - nx, to.v - ny},
                {to.u + nx, to.v + ny}},
               z0, z1, tone);
}

// One double-headed arrow along x (or y when turned), lying on the tile face.
void arrow(MeshBuilder& b, bool turned, float z0, float z1) {
    auto p = [&](float along, float across) -> UV {
        return turned ? UV{across, along} : UV{along, across};
    };
    b.addPrism({p(-0.24f, -0.075f), p(0.24f, -0.075f), p(0.24f, 0.075f), p(-0.24f, 0.075f)}, z0, z1,
               kLight);
    b.addPrism({p(0.2f, -0.2f), p(0.44f, 0.0f), p(0.2f, 0.2f)}, z0, z1, kLight);
    b.addPrism({p(-0.2f, 0.2f), p(-0.44f, 0.0f), p(-0.2f, -0.2f)}, z0, z1, kLight);
}

// Fuse: a bent chain of short cylinders from `start`, ending in a spark.
void fuse(MeshBuilder& b, Vec3 start, float scale) {
    Vec3 at = start;
    for (int i = 0; i < 5; ++i) {
        const float t = float(i) / 4.0f;
        const Vec3 next = at + Vec3{0.045f, 0.025f - 0.03f * t, 0.015f} * scale;
        b.addCylinder(at, next, 0.022f * scale, 6, kMid);
        at = next;
    }
    b.addOctahedron(at, 0.07f * scale, kLight);
    b.addOctahedron(at + Vec3{0.02f, 0.02f, 0.02f} * scale, 0.045f * scale, kLight);
}

}  // namespace

Mesh ModelArt::fastBox(bool highDetail) {
    Mesh mesh;
    MeshBuilder b(mesh);
    b.addBevelledBox({-kHalf, -kHalf, -kHalf}, {kHalf, kHalf, kHalf}, highDetail ? 0.07f : 0.0f);
    return mesh;
}

Mesh ModelArt::roundBox(bool highDetail) {
    Mesh mesh;
    MeshBuilder(mesh).addRoundedCube({0, 0, 0}, kHalf, 0.09f, highDetail ? 3 : 1);
    return mesh;
}

Mesh ModelArt::fixedBox(bool highDetail) {
    // A braced crate of stone grey: a heavy bevelled body with an X brace and corner studs on
    // the face, so it reads as fixed hardware rather than a clickable block.
    Mesh mesh;
    MeshBuilder b(mesh);
    box(b, {-kHalf, -kHalf, -kHalf}, {kHalf, kHalf, kHalf}, 0.1f, kMid);
    const float f = kHalf - 0.12f, z0 = kHalf - 0.02f, z1 = kHalf + 0.05f;
    bar(b, {-f, -f}, {f, f}, 0.05f, z0, z1, kDark);
    bar(b, {-f, f}, {f, -f}, 0.05f, z0, z1, kDark);
    box(b, {-f - 0.06f, -f - 0.06f, z0}, {f + 0.06f, -f + 0.02f, z1}, 0.015f, kLight);
    box(b, {-f - 0.06f, f - 0.02f, z0}, {f + 0.06f, f + 0.06f, z1}, 0.015f, kLight);
    if (highDetail)
        for (const float sx : {-1.0f, 1.0f})
            for (const float sy : {-1.0f, 1.0f})
                b.addSphere({sx * f, sy * (f + 0.02f), z1}, 0.045f, 8, 4, kLight);
    return mesh;
}

Mesh ModelArt::scoreBox(bool highDetail) {
    // A gold ingot block with a raised diamond on its face.
    Mesh mesh;
    MeshBuilder b(mesh);
    box(b, {-kHalf, -kHalf, -kHalf}, {kHalf, kHalf, kHalf}, 0.08f, kLight);
    const float depth = highDetail ? 0.16f : 0.1f;
    b.addCone({0, 0, kHalf - 0.01f}, {0, 0, kHalf + depth}, 0.36f, 4, kLight);
    if (highDetail)
        b.addCone({0, 0, kHalf + depth - 0.02f}, {0, 0, kHalf + depth + 0.05f}, 0.12f, 4, kMid);
    return mesh;
}

Mesh ModelArt::unmovableBox(bool highDetail) {
    // Dark riveted steel: a plate with a raised border and a rivet in every corner.
    Mesh mesh;
    MeshBuilder b(mesh);
    box(b, {-kHalf, -kHalf, -kHalf}, {kHalf, kHalf, kHalf}, 0.05f, kMid);
    const float e = kHalf - 0.05f, z0 = kHalf - 0.02f, z1 = kHalf + 0.04f;
    box(b, {-e, -e, z0}, {e, -e + 0.1f, z1}, 0.02f, kDark);
    box(b, {-e, e - 0.1f, z0}, {e, e, z1}, 0.02f, kDark);
    box(b, {-e, -e, z0}, {-e + 0.1f, e, z1}, 0.02f, kDark);
    box(b, {e - 0.1f, -e, z0}, {e, e, z1}, 0.02f, kDark);
    const float r = kHalf - 0.1f;
    for (const float sx : {-1.0f, 1.0f})
        for (const float sy : {-1.0f, 1.0f}) {
            if (highDetail)
                b.addSphere({sx * r, sy * r, z1}, 0.07f, 10, 6, kLight);
            else
                b.addOctahedron({sx * r, sy * r, z1}, 0.075f, kLight);
        }
    return mesh;
}

Mesh ModelArt::bigBomb() {
    // Ball, cap and fuse all stay inside the bomb's cell: the fuse curls off to the right.
    Mesh mesh;
    MeshBuilder b(mesh);
    const Vec3 centre{-0.05f, -0.1f, 0};
    b.addSphere(centre, 0.36f, 24, 16, kLight);
    const Vec3 capTop = centre + kFuseDirection * 0.43f;
    b.addCylinder(centre + kFuseDirection * 0.3f, capTop, 0.09f, 12, kMid);
    fuse(b, capTop, 1.0f);
    return mesh;
}

Mesh ModelArt::colourBomb() {
    Mesh mesh;
    MeshBuilder b(mesh);
    const Vec3 centre{-0.04f, -0.08f, 0};
    b.addSphere(centre, 0.34f, 20, 14, kLight);
    // A darker band round the middle tells it apart from a plain block of the same colour.
    b.addCylinder(centre + Vec3{0, -0.045f, 0}, centre + Vec3{0, 0.045f, 0}, 0.352f, 20, kMid);
    const Vec3 capTop = centre + kFuseDirection * 0.41f;
    b.addCylinder(centre + kFuseDirection * 0.28f, capTop, 0.075f, 10, kMid);
    fuse(b, capTop, 0.85f);
    return mesh;
}

Mesh ModelArt::lineArrows(bool horizontal, bool vertical) {
    Mesh mesh;
    MeshBuilder b(mesh);
    box(b, {-0.4f, -0.4f, -0.3f}, {0.4f, 0.4f, -0.12f}, 0.05f, kDark);
    if (horizontal) arrow(b, false, -0.13f, 0.13f);
    if (vertical) arrow(b, true, -0.13f, 0.13f);
    return mesh;
}

Mesh ModelArt::board(int columns, int rows) {
    // The opening spans the cells plus the quarter cell the next line hangs below them; the
    // game places the model 0.125 lower than the cell centres to match.
    Mesh mesh;
    MeshBuilder b(mesh);
    const float w = float(columns) * 0.5f, h = (float(rows) + 0.25f) * 0.5f, t = 0.32f;
    const float zBack = -0.52f, zFront = 0.22f;
    box(b, {-w - t, -h - t, -0.62f}, {-w, h + t, zFront}, 0.07f, kLight);
    box(b, {w, -h - t, -0.62f}, {w + t, h + t, zFront}, 0.07f, kLight);
    box(b, {-w, h, -0.62f}, {w, h + t, zFront}, 0.07f, kLight);
    box(b, {-w, -h - t, -0.62f}, {w, -h, zFront}, 0.07f, kLight);
    box(b, {-w, -h, -0.64f}, {w, h, zBack}, 0.0f, kDark);
    // Faint raised lines between the columns help the eye follow a column down.
    for (int c = 1; c < columns; ++c) {
        const float x = -w + float(c);
        box(b, {x - 0.015f, -h, zBack - 0.01f}, {x + 0.015f, h, zBack + 0.02f}, 0.0f, kMid);
    }
    return mesh;
}

Mesh ModelArt::tray(int columns) {
    Mesh mesh;
    MeshBuilder b(mesh);
    const float w = float(columns) * 0.5f;
    box(b, {-w, -0.5f, -0.52f}, {w, 0.5f, -0.47f}, 0.0f, kMid);
    box(b, {-w, 0.47f, -0.52f}, {w, 0.57f, -0.3f}, 0.02f, kLight);
    box(b, {-w, -0.57f, -0.52f}, {w, -0.47f, -0.3f}, 0.02f, kLight);
    for (int c = 0; c <= columns; ++c) {
        const float x = -w + float(c);
        box(b, {x - 0.02f, -0.47f, -0.5f}, {x + 0.02f, 0.47f, -0.44f}, 0.0f, kDark);
    }
    return mesh;
}

Mesh ModelArt::model(const std::string& name, bool highDetail) {
    if (name == "FastBox.Asvm") return fastBox(highDetail);
    if (name == "Box.Asvm") return roundBox(highDetail);
    if (name == "FlyBox.Asvm") return fixedBox(highDetail);
    if (name == "ScoreBox.Asvm") return scoreBox(highDetail);
    if (name == "UMoveBox.Asvm") return unmovableBox(highDetail);
    if (name == "Bonuses/BigBomb.Asvm") return bigBomb();
    if (name.rfind("Bonuses/", 0) == 0 && name.find("Bomb.Asvm") != std::string::npos)
        return colourBomb();
    if (name == "Bonuses/hLine.Asvm") return lineArrows(true, false);
    if (name == "Bonuses/vLine.Asvm") return lineArrows(false, true);
    if (name == "Bonuses/hvLine.Asvm") return lineArrows(true, true);
    if (name.rfind("Skin", 0) == 0) return roundBox(true);
    int columns = 0, rows = 0;
    if (std::sscanf(name.c_str(), "C%dx%d.Asvm", &columns, &rows) == 2) return tray(columns);
    if (std::sscanf(name.c_str(), "%dx%d.Asvm", &columns, &rows) == 2) return board(columns, rows);
    return {};
}

}  // namespace brx::tools
