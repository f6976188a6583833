#include "engine/ClosedSpline.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace brx {
namespace {

// A built spline with its derivatives, for checking the joins.
struct Spline {
    std::vector<float> y, t, c3, c2;

    Spline(std::vector<float> samples, std::vector<float> params)
        : y(std::move(samples)), t(std::move(params)), c3(y.size() - 1), c2(y.size() - 1) {
        EXPECT_TRUE(
            closedSplineCoefficients(y.data(), t.data(), int(y.size()), c3.data(), c2.data()));
    }
    int intervals() const { return int(y.size()) - 1; }
    float h(int i) const { return t[i + 1] - t[i]; }
    float value(int i, float u) const {
        return closedSplineValue(y.data(), t.data(), c3.data(), c2.data(), i, u);
    }
    // dy/dt and d2y/dt2 at u across interval i.
    float slope(int i, float u) const {
        const float m = (y[i + 1] - y[i]) / h(i) - c3[i] - c2[i];
        return m + 2 * c2[i] * u + 3 * c3[i] * u * u;
    }
    float curvature(int i, float u) const { return (2 * c2[i] + 6 * c3[i] * u) / h(i); }
};

TEST(ClosedSpline, PassesThroughEverySample) {
    const Spline s({0, 3, -2, 0}, {0, 1, 2.5f, 4});
    for (int i = 0; i < s.intervals(); ++i) {
        EXPECT_NEAR(s.value(i, 0), s.y[i], 1e-6f);
        EXPECT_NEAR(s.value(i, 1), s.y[i + 1], 1e-5f);
    }
}

TEST(ClosedSpline, JoinsSmoothlyIncludingWhereTheLoopCloses) {
    const Spline s({1, 4, 2, -3, 0, 1}, {0, 2, 3, 7, 8, 11});
    const int last = s.intervals() - 1;
    for (int i = 0; i < s.intervals(); ++i) {
        const int next = i == last ? 0 : i + 1;  // m[n-1] repeats m[0]
        EXPECT_NEAR(s.slope(i, 1), s.slope(next, 0), 1e-4f) << "interval " << i;
        EXPECT_NEAR(s.curvature(i, 1), s.curvature(next, 0), 1e-4f) << "interval " << i;
    }
}

TEST(ClosedSpline, FollowsAPeriodicCurve) {
    constexpr int kSamples = 17;
    constexpr float kTwoPi = 6.2831853f;
    std::vector<float> y, t;
    for (int i = 0; i < kSamples; ++i) {
        t.push_back(i * 100.0f);
        y.push_back(std::sin(kTwoPi * i / (kSamples - 1)));
    }
    y.back() = y.front();
    const Spline s(y, t);
    for (int i = 0; i < s.intervals(); ++i) {
        const float between = std::sin(kTwoPi * (i + 0.5f) / (kSamples - 1));
        EXPECT_NEAR(s.value(i, 0.5f), between, 1e-3f);
    }
}

TEST(ClosedSpline, ConstantSamplesGiveAFlatCurve) {
    const Spline s({2, 2, 2}, {0, 1, 5});
    for (int i = 0; i < s.intervals(); ++i) {
        EXPECT_EQ(s.c3[i], 0.0f);
        EXPECT_EQ(s.c2[i], 0.0f);
    }
    const Spline single({7, 7}, {0, 60000});  // the smallest loop: one interval
    EXPECT_FLOAT_EQ(single.value(0, 0.3f), 7.0f);
}

TEST(ClosedSpline, RefusesInputThatWouldDivideByZero) {
    const float y[] = {0, 1, 0};
    float c3[2] = {-1, -1}, c2[2] = {-1, -1};
    const float repeated[] = {0, 1, 1};
    EXPECT_FALSE(closedSplineCoefficients(y, repeated, 3, c3, c2));
    const float falling[] = {0, 2, 1};
    EXPECT_FALSE(closedSplineCoefficients(y, falling, 3, c3, c2));
    EXPECT_FALSE(closedSplineCoefficients(y, falling, 1, c3, c2));
    EXPECT_EQ(c3[0], -1.0f);
}

}  // namespace
}  // namespace brx
