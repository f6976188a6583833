// One closed flight path of the glowing trail: the points read from a path file and the cubic
// spline through them, parameterised by chord length over 0 to kParameterSpan.
//
// Design note: the file's points are kept apart from the spline so that the trail can rebuild
// the spline through extra points of its own and still start from the file's points next time.
// The last point of a file repeats its first, which closes the loop.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/Vector3.h"

namespace brx {

class OWayPoint {
public:
    // The parameter of the last sample; positions are asked for in 0 <= u < kParameterSpan.
    static constexpr float kParameterSpan = 60000.0f;
    // The loader takes this off every z read from a file (units).
    static constexpr float kFileZOffset = 0.125f;
    // A closed loop needs its start, one other point and its start again.
    static constexpr int kMinimumPoints = 3;

    // Reads the path file (through the resource archive) into points, then builds the spline.
    // False, logged, when the file is missing or its points make no spline.
    bool load(const std::string& fileName);
    // Makes the spline from points; false (logged, spline emptied) when they make none.
    bool build();
    // Makes the spline through pointList in order, leaving points as they are; false (spline
    // emptied) for fewer than kMinimumPoints points or two equal neighbours.
    bool rebuild(const std::vector<Vector3>& pointList);
    // The point at parameter u; u below 0 gives the first sample, u at or past the last
    // parameter the last sample; the origin while there is no spline.
    Vector3 positionAt(float u) const;
    // True when a spline has been built.
    bool isBuilt() const { return count > 0; }

    // Points of a path file's text: tokens cut at blanks, commas, tabs and line feeds, three to
    // a point, kFileZOffset taken off z. An incomplete last triple is dropped and logged.
    static std::vector<Vector3> parsePoints(const char* text, size_t size,
                                            const std::string& fileName);

    int32_t count = 0;  // spline samples n
    std::vector<float> zs, ys, xs;
    std::vector<float> params;  // parameter of each sample, 0 to kParameterSpan
    std::vector<float> xCubic, xQuadratic;
    std::vector<float> yCubic, yQuadratic;
    std::vector<float> zCubic, zQuadratic;
    float length = 0.0f;          // straight distances between consecutive samples, summed (units)
    std::vector<Vector3> points;  // as read from the file

private:
    // Forgets the spline (count 0, arrays emptied, length 0).
    void clearSpline();
    // Fills params by chord length; false when the points have no length at all.
    bool assignParameters(const std::vector<Vector3>& pointList);
    // One coordinate's value across interval i (1..count-1) at offset s from its start.
    float coordinateAt(const std::vector<float>& v, const std::vector<float>& c3,
                       const std::vector<float>& c2, int i, float s) const;
};

}  // namespace brx
