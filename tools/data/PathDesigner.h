// The 23 flight paths of the glowing trail ("Data/Splines/%i.Ase"). Each path is a closed curve
// (ellipses, figure-eights, roses, spirals, knots, swoops) sampled into points in front of the
// board: x to the right and y up in board units, z toward the camera. The file stores z plus
// the 0.125 that the game's loader takes off again, so the trail flies at the intended height
// above the block faces (which stand 0.5 in front of the board plane).
#pragma once

#include <string>
#include <vector>

namespace brx::tools {

struct PathPoint {
    double x = 0, y = 0, z = 0;
};

class PathDesigner {
public:
    static constexpr int kPathCount = 23;
    // The loader's offset: it subtracts this from every z it reads.
    static constexpr double kLoaderZOffset = 0.125;
    // The camera of the game: 22 units in front of the board (25 on the largest board),
    // 45 degrees vertical field of view, a 4:3 window.
    static constexpr double kCameraDistance = 22.0;
    static constexpr double kHalfFovTan = 0.41421356;  // tan(22.5 degrees)
    static constexpr double kAspect = 4.0 / 3.0;

    // Path index 0..22 as points in flight space; the last point repeats the first.
    static std::vector<PathPoint> design(int index);
    // The file text: one "x,y,z" line per point, z raised by kLoaderZOffset.
    static std::string format(const std::vector<PathPoint>& points);
    // Reads a file as the game does (tokens at blanks, commas, tabs and line feeds, three per
    // point, kLoaderZOffset taken off z); empty when the token count is not a multiple of 3.
    static std::vector<PathPoint> parse(const std::string& text);
    // The length of the polyline through the points.
    static double length(const std::vector<PathPoint>& points);
    // Where the point lands in the camera's view, -1..1 on each axis at the window's edges.
    static void project(const PathPoint& point, double& screenX, double& screenY);
};

}  // namespace brx::tools
