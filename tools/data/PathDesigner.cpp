#include "tools/data/PathDesigner.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace brx::tools {

namespace {

constexpr double kTwoPi = 6.283185307179586;

enum class Curve { Ellipse, Lissajous, Rose, Spiral, Epicycle, Limacon, Heart, WavyRing, Knot };

// One path: a unit curve scaled by (width, height), turned by tilt (radians) and lifted to a
// height that swings zWaves times around the loop (for spirals and knots the swing follows the
// curve instead).
struct PathShape {
    Curve curve;
    int p, q;              // curve parameters: frequencies, petals, windings
    double c;              // secondary amplitude (epicycle radius, limacon offset)
    double width, height;  // half extents in board units
    double tilt;
    double zBase, zSwing;
    int zWaves;
    int samples;
};

// The curve set, varied so that consecutive trails rarely look alike; every one stays inside
// the camera's view in front of the board.
const PathShape kShapes[PathDesigner::kPathCount] = {
    {Curve::Ellipse, 1, 0, 0, 9.0, 6.5, 0.0, 2.0, 1.0, 2, 32},         // 1 ellipse
    {Curve::Lissajous, 1, 2, 0, 8.0, 5.5, 0.0, 3.0, 2.0, 1, 40},       // 2 figure-eight
    {Curve::Spiral, 3, 0, 0, 8.5, 6.5, 0.0, 3.5, 2.0, 0, 72},          // 3 spiral in and out
    {Curve::Rose, 2, 0, 0, 7.5, 7.0, 0.0, 2.5, 1.5, 4, 64},            // 4 four-leaf rose
    {Curve::Rose, 3, 0, 0, 7.5, 7.0, 0.0, 2.0, 1.0, 3, 54},            // 5 three-leaf rose
    {Curve::Lissajous, 3, 2, 0, 8.5, 6.5, 0.0, 2.5, 1.0, 2, 64},       // 6 pretzel
    {Curve::Epicycle, -2, 0, 0.3, 6.5, 6.5, 0.0, 3.0, 2.0, 3, 48},     // 7 rounded triangle
    {Curve::Limacon, 1, 0, 0.5, 6.0, 6.0, 0.0, 2.5, 1.5, 1, 48},       // 8 loop-the-loop
    {Curve::Heart, 1, 0, 0, 7.0, 6.5, 0.0, 2.5, 1.0, 2, 48},           // 9 heart
    {Curve::WavyRing, 6, 0, 0.12, 8.5, 6.5, 0.0, 2.0, 0.5, 6, 72},     // 10 wavy ring
    {Curve::Ellipse, 1, 0, 0, 10.0, 2.5, 0.6109, 3.5, 2.5, 1, 36},     // 11 diagonal swoop
    {Curve::Lissajous, 1, 2, 0, 9.5, 3.0, -0.5236, 2.5, 1.5, 2, 44},   // 12 tilted figure-eight
    {Curve::Epicycle, 4, 0, 0.25, 6.5, 6.5, 0.0, 2.5, 1.5, 3, 60},     // 13 cloud
    {Curve::Spiral, 4, 0, 0, 7.0, 5.5, 0.7854, 3.0, 2.0, 0, 88},       // 14 tilted spiral
    {Curve::Lissajous, 3, 4, 0, 8.0, 6.0, 0.0, 2.0, 1.0, 2, 80},       // 15 woven lissajous
    {Curve::Rose, 4, 0, 0, 7.0, 7.0, 0.3927, 2.0, 0.5, 8, 96},         // 16 eight-leaf rose
    {Curve::Epicycle, -3, 0, 0.3, 7.5, 7.5, 0.7854, 2.5, 1.5, 4, 64},  // 17 pinched square
    {Curve::Ellipse, 2, 0, 0, 8.0, 6.0, 0.0, 3.0, 2.0, 1, 56},         // 18 double ellipse
    {Curve::Lissajous, 2, 1, 0, 7.0, 7.0, 0.0, 2.5, 1.5, 2, 48},       // 19 upright figure-eight
    {Curve::Limacon, 1, 0, 0.6, 5.5, 5.5, 1.5708, 2.5, 1.5, 1, 48},    // 20 upright loop-the-loop
    {Curve::WavyRing, 8, 0, 0.1, 7.0, 6.0, 1.5708, 2.0, 0.75, 4, 88},  // 21 upright wavy ring
    {Curve::Knot, 1, 0, 0, 7.0, 6.2, 0.0, 3.0, 1.5, 0, 72},            // 22 trefoil knot
    {Curve::Spiral, 2, 0, 0, 9.0, 6.5, 0.0, 2.75, 1.25, 0, 56},        // 23 wide spiral
};

struct Flat {
    double x, y, lift;  // lift in -1..1 for curves that set their own height swing
    bool ownLift;
};

Flat roseOrSpiral(const PathShape& s, double u) {
    if (s.curve == Curve::Rose) {
        // Odd roses close after half a turn; even ones need the whole turn.
        const double theta = (s.p % 2 ? kTwoPi / 2 : kTwoPi) * u;
        const double r = std::cos(s.p * theta);
        return {r * std::cos(theta), r * std::sin(theta), 0, false};
    }
    // Spiral in over half the loop and out again; it comes toward the camera when tight.
    const double tightness = 0.5 + 0.5 * std::cos(kTwoPi * u);
    const double radius = 0.35 + 0.65 * tightness;
    const double angle = kTwoPi * s.p * u;
    return {radius * std::cos(angle), radius * std::sin(angle), 1.0 - 2.0 * tightness, true};
}

Flat unitCurve(const PathShape& s, double u) {
    const double t = kTwoPi * u;
    switch (s.curve) {
        case Curve::Ellipse:
            return {std::cos(s.p * t), std::sin(s.p * t), 0, false};
        case Curve::Lissajous:
            return {std::sin(s.p * t), std::sin(s.q * t), 0, false};
        case Curve::Rose:
        case Curve::Spiral:
            return roseOrSpiral(s, u);
        case Curve::Epicycle:
            return {(std::cos(t) + s.c * std::cos(s.p * t)) / (1 + s.c),
                    (std::sin(t) + s.c * std::sin(s.p * t)) / (1 + s.c), 0, false};
        case Curve::Limacon: {
            const double r = s.c + std::cos(t);
            return {r * std::cos(t), r * std::sin(t), 0, false};
        }
        case Curve::Heart: {
            const double sine = std::sin(t);
            return {sine * sine * sine,
                    13 * std::cos(t) - 5 * std::cos(2 * t) - 2 * std::cos(3 * t) - std::cos(4 * t),
                    0, false};
        }
        case Curve::WavyRing: {
            const double r = 1 + s.c * std::sin(s.p * t);
            return {r * std::cos(t), r * std::sin(t), 0, false};
        }
        case Curve::Knot:
            // The trefoil knot: the strands pass over and under each other in depth.
            return {(std::sin(t) + 2 * std::sin(2 * t)) / 3,
                    (std::cos(t) - 2 * std::cos(2 * t)) / 3, -std::sin(3 * t), true};
    }
    return {0, 0, 0, false};
}

// Places a curve point whose flat coordinates are already scaled to -1..1.
PathPoint pointOf(const PathShape& s, const Flat& flat, double u) {
    const double x = flat.x * s.width, y = flat.y * s.height;
    const double cosTilt = std::cos(s.tilt), sinTilt = std::sin(s.tilt);
    const double swing = flat.ownLift ? flat.lift : std::sin(kTwoPi * s.zWaves * u);
    return {x * cosTilt - y * sinTilt, x * sinTilt + y * cosTilt, s.zBase + s.zSwing * swing};
}

// Scales the samples so that their bounding box spans -1..1 on both axes, centred.
void normalise(std::vector<Flat>& flats) {
    double minX = flats[0].x, maxX = minX, minY = flats[0].y, maxY = minY;
    for (const Flat& f : flats) {
        minX = std::min(minX, f.x), maxX = std::max(maxX, f.x);
        minY = std::min(minY, f.y), maxY = std::max(maxY, f.y);
    }
    const double halfX = std::max(1e-9, (maxX - minX) / 2),
                 halfY = std::max(1e-9, (maxY - minY) / 2);
    for (Flat& f : flats) {
        f.x = (f.x - (minX + maxX) / 2) / halfX;
        f.y = (f.y - (minY + maxY) / 2) / halfY;
    }
}

bool isSeparator(char c) {
    return c == ' ' || c == ',' || c == '\t' || c == '\n';
}

}  // namespace

std::vector<PathPoint> PathDesigner::design(int index) {
    std::vector<PathPoint> points;
    if (index < 0 || index >= kPathCount) return points;
    const PathShape& shape = kShapes[index];
    std::vector<Flat> flats;
    for (int i = 0; i < shape.samples; ++i)
        flats.push_back(unitCurve(shape, static_cast<double>(i) / shape.samples));
    normalise(flats);
    for (int i = 0; i < shape.samples; ++i)
        points.push_back(pointOf(shape, flats[i], static_cast<double>(i) / shape.samples));
    points.push_back(points.front());
    return points;
}

std::string PathDesigner::format(const std::vector<PathPoint>& points) {
    std::string text;
    char line[96];
    for (const PathPoint& p : points) {
        std::snprintf(line, sizeof line, "%.3f,%.3f,%.3f\n", p.x, p.y, p.z + kLoaderZOffset);
        text += line;
    }
    return text;
}

std::vector<PathPoint> PathDesigner::parse(const std::string& text) {
    std::vector<double> numbers;
    size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && isSeparator(text[i])) ++i;
        const size_t start = i;
        while (i < text.size() && !isSeparator(text[i])) ++i;
        if (i > start) numbers.push_back(std::atof(text.substr(start, i - start).c_str()));
    }
    std::vector<PathPoint> points;
    if (numbers.size() % 3 != 0) return points;
    for (size_t k = 0; k < numbers.size(); k += 3)
        points.push_back({numbers[k], numbers[k + 1], numbers[k + 2] - kLoaderZOffset});
    return points;
}

double PathDesigner::length(const std::vector<PathPoint>& points) {
    double total = 0;
    for (size_t i = 1; i < points.size(); ++i) {
        const double dx = points[i].x - points[i - 1].x, dy = points[i].y - points[i - 1].y,
                     dz = points[i].z - points[i - 1].z;
        total += std::sqrt(dx * dx + dy * dy + dz * dz);
    }
    return total;
}

void PathDesigner::project(const PathPoint& point, double& screenX, double& screenY) {
    const double depth = kCameraDistance - point.z;
    screenY = point.y / (depth * kHalfFovTan);
    screenX = point.x / (depth * kHalfFovTan * kAspect);
}

}  // namespace brx::tools
