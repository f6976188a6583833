// The closed cubic spline of the flight paths: slopes m from the periodic (C2) spline system,
// stored per interval as cubic and quadratic coefficients so that across interval i, with u in
// [0, 1], the value is y[i] + h[i] (m[i] u + c2[i] u^2 + c3[i] u^3), h[i] = t[i+1] - t[i].
#pragma once

namespace brx {

// Fills c3[0..n-2] and c2[0..n-2] for n samples y at strictly increasing parameters t, with
// y[n-1] == y[0] closing the loop. Returns false (outputs untouched) when n < 2 or the
// parameters do not increase, which would divide by a zero interval.
bool closedSplineCoefficients(const float* y, const float* t, int n, float* c3, float* c2);

// The value at u (0..1) across interval i of a spline built by closedSplineCoefficients.
float closedSplineValue(const float* y, const float* t, const float* c3, const float* c2, int i,
                        float u);

}  // namespace brx
