#include "engine/ClosedSpline.h"

#include <vector>

namespace brx {

namespace {

// One row of the cyclic system: lower x[i-1] + diagonal x[i] + upper x[i+1] = rhs.
struct Row {
    double lower, diagonal, upper, rhs;
};

// Solves the cyclic tridiagonal system. The last unknown s is kept symbolic: the first
// count - 1 rows give every other unknown as value + slope * s (one forward sweep, one back
// substitution), and the closing row then fixes s.
std::vector<double> solveCyclic(const std::vector<Row>& rows) {
    const int count = int(rows.size());
    if (count == 1) {
        const Row& r = rows[0];
        return {r.rhs / (r.lower + r.diagonal + r.upper)};
    }
    const int last = count - 1;
    std::vector<double> diag(last), value(last), slope(last);
    for (int i = 0; i < last; ++i) {
        value[i] = rows[i].rhs;
        slope[i] = 0.0;
    }
    slope[0] -= rows[0].lower;                // row 0 couples back to the last unknown
    slope[last - 1] -= rows[last - 1].upper;  // so does the row before the closing one
    diag[0] = rows[0].diagonal;
    for (int i = 1; i < last; ++i) {
        const double factor = rows[i].lower / diag[i - 1];
        diag[i] = rows[i].diagonal - factor * rows[i - 1].upper;
        value[i] -= factor * value[i - 1];
        slope[i] -= factor * slope[i - 1];
    }
    for (int i = last - 1; i >= 0; --i) {
        if (i < last - 1) {
            value[i] -= rows[i].upper * value[i + 1];
            slope[i] -= rows[i].upper * slope[i + 1];
        }
        value[i] /= diag[i];
        slope[i] /= diag[i];
    }
    const Row& close = rows[last];
    const double s = (close.rhs - close.lower * value[last - 1] - close.upper * value[0]) /
                     (close.diagonal + close.lower * slope[last - 1] + close.upper * slope[0]);
    std::vector<double> x(count);
    for (int i = 0; i < last; ++i) x[i] = value[i] + slope[i] * s;
    x[last] = s;
    return x;
}

}  // namespace

bool closedSplineCoefficients(const float* y, const float* t, int n, float* c3, float* c2) {
    if (n < 2) return false;
    for (int i = 0; i + 1 < n; ++i)
        if (!(t[i + 1] > t[i])) return false;
    const int count = n - 1;  // unknown slopes m[0..n-2]; m[n-1] repeats m[0]
    auto h = [&](int i) { return double(t[(i + count) % count + 1]) - t[(i + count) % count]; };
    auto sample = [&](int i) { return double(y[(i + count) % count]); };
    std::vector<Row> rows(count);
    for (int i = 0; i < count; ++i) {
        const double before = h(i - 1), after = h(i);
        const double mu = before / (before + after);
        const double rhs = 3.0 * ((double(y[i + 1]) - y[i]) * mu / after +
                                  (double(y[i]) - sample(i - 1)) * (1.0 - mu) / before);
        rows[i] = {1.0 - mu, 2.0, mu, rhs};
    }
    std::vector<double> m = solveCyclic(rows);
    m.push_back(m[0]);
    for (int i = 0; i < count; ++i) {
        const double f = (double(y[i + 1]) - y[i]) / h(i);
        c3[i] = float(m[i] + m[i + 1] - 2.0 * f);
        c2[i] = float(f - c3[i] - m[i]);
    }
    return true;
}

float closedSplineValue(const float* y, const float* t, const float* c3, const float* c2, int i,
                        float u) {
    const float h = t[i + 1] - t[i];
    const float slope = (y[i + 1] - y[i]) / h - c3[i] - c2[i];
    return y[i] + h * (u * (u * (u * c3[i] + c2[i]) + slope));
}

}  // namespace brx
