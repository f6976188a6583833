#include "objects/OWayPoint.h"

#include <charconv>
#include <cmath>
#include <cstring>

#include "core/ErrorLog.h"
#include "core/ResourceArchive.h"
#include "engine/ClosedSpline.h"

namespace brx {
namespace {

constexpr const char* kSeparators = " ,\t\n";

bool isSeparator(char c) {
    return c != '\0' && std::strchr(kSeparators, c) != nullptr;
}

// The leading decimal number of a token, 0 when it does not start with one. Words such as
// "inf" or "nan" are not numbers here, so a path never holds a non-finite coordinate.
float leadingNumber(const char* begin, const char* end) {
    const char* start = (begin < end && *begin == '+') ? begin + 1 : begin;
    const char* digits = (start < end && *start == '-') ? start + 1 : start;
    if (digits < end && *digits == '.') ++digits;
    if (digits >= end || *digits < '0' || *digits > '9') return 0.0f;
    float value = 0.0f;
    const auto result = std::from_chars(start, end, value);
    if (result.ec != std::errc() || !std::isfinite(value)) return 0.0f;
    return value;
}

}  // namespace

std::vector<Vector3> OWayPoint::parsePoints(const char* text, size_t size,
                                            const std::string& fileName) {
    std::vector<float> numbers;
    const char* end = text + size;
    for (const char* c = text; c < end;) {
        if (isSeparator(*c)) {
            ++c;
            continue;
        }
        const char* tokenEnd = c;
        while (tokenEnd < end && !isSeparator(*tokenEnd)) ++tokenEnd;
        numbers.push_back(leadingNumber(c, tokenEnd));
        c = tokenEnd;
    }
    if (numbers.size() % 3 != 0) {
        BRX_LOG_ERROR("Path %s: %zu numbers do not make whole points; the last %zu dropped",
                      fileName.c_str(), numbers.size(), numbers.size() % 3);
    }
    std::vector<Vector3> result;
    result.reserve(numbers.size() / 3);
    for (size_t i = 0; i + 2 < numbers.size(); i += 3)
        result.emplace_back(numbers[i], numbers[i + 1], numbers[i + 2] - kFileZOffset);
    return result;
}

bool OWayPoint::load(const std::string& fileName) {
    const ResourceBuffer file = ResourceArchive::instance().readFile(fileName);
    if (!file) {
        BRX_LOG_ERROR("Path %s is not in the archive", fileName.c_str());
        points.clear();
        clearSpline();
        return false;
    }
    points = parsePoints(file.text(), file.size, fileName);
    if (build()) return true;
    BRX_LOG_ERROR("Path %s: %zu points make no closed spline (at least %d distinct neighbours)",
                  fileName.c_str(), points.size(), kMinimumPoints);
    return false;
}

bool OWayPoint::build() {
    return rebuild(points);
}

bool OWayPoint::rebuild(const std::vector<Vector3>& pointList) {
    clearSpline();
    const int n = int(pointList.size());
    if (n < kMinimumPoints || !assignParameters(pointList)) {
        clearSpline();
        return false;
    }
    for (const Vector3& p : pointList) {
        xs.push_back(p.x);
        ys.push_back(p.y);
        zs.push_back(p.z);
    }
    for (auto* coefficients : {&xCubic, &xQuadratic, &yCubic, &yQuadratic, &zCubic, &zQuadratic})
        coefficients->assign(size_t(n - 1), 0.0f);
    const bool made =
        closedSplineCoefficients(xs.data(), params.data(), n, xCubic.data(), xQuadratic.data()) &&
        closedSplineCoefficients(ys.data(), params.data(), n, yCubic.data(), yQuadratic.data()) &&
        closedSplineCoefficients(zs.data(), params.data(), n, zCubic.data(), zQuadratic.data());
    if (!made) {
        clearSpline();
        return false;
    }
    count = n;
    return true;
}

bool OWayPoint::assignParameters(const std::vector<Vector3>& pointList) {
    std::vector<double> chords;
    double total = 0.0;
    for (size_t i = 0; i + 1 < pointList.size(); ++i) {
        const double d = distance(pointList[i], pointList[i + 1]);
        if (!(d > 0.0)) return false;  // two equal neighbours: an interval of no length
        chords.push_back(d);
        total += d;
    }
    length = float(total);
    // Accumulated in double so the last parameter lands on the span itself.
    const double unitsPerParameter = total / double(kParameterSpan);
    double parameter = 0.0;
    params.push_back(0.0f);
    for (const double d : chords) {
        parameter += d / unitsPerParameter;
        params.push_back(float(parameter));
    }
    return true;
}

void OWayPoint::clearSpline() {
    count = 0;
    length = 0.0f;
    for (auto* array :
         {&zs, &ys, &xs, &params, &xCubic, &xQuadratic, &yCubic, &yQuadratic, &zCubic, &zQuadratic})
        array->clear();
}

Vector3 OWayPoint::positionAt(float u) const {
    if (count < 2) return {};
    if (!(u > 0.0f)) return {xs[0], ys[0], zs[0]};  // also catches NaN
    int i = 1;
    while (i < count && !(params[size_t(i)] > u)) ++i;
    if (i == count) return {xs.back(), ys.back(), zs.back()};
    const float s = u - params[size_t(i - 1)];
    return {coordinateAt(xs, xCubic, xQuadratic, i, s), coordinateAt(ys, yCubic, yQuadratic, i, s),
            coordinateAt(zs, zCubic, zQuadratic, i, s)};
}

float OWayPoint::coordinateAt(const std::vector<float>& v, const std::vector<float>& c3,
                              const std::vector<float>& c2, int i, float s) const {
    const float h = params[size_t(i)] - params[size_t(i - 1)];
    return closedSplineValue(v.data(), params.data(), c3.data(), c2.data(), i - 1, s / h);
}

}  // namespace brx
