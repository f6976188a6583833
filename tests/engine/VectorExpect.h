// Approximate comparisons of vectors and matrices for the engine tests.
#pragma once

#include <gtest/gtest.h>

#include <cmath>

#include "engine/Matrix4.h"
#include "engine/Vector3.h"

namespace brx {

inline ::testing::AssertionResult vectorsNear(const Vector3& actual, const Vector3& expected,
                                              float tolerance) {
    if ((actual - expected).length() <= tolerance) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "(" << actual.x << ", " << actual.y << ", " << actual.z << ") is not within "
           << tolerance << " of (" << expected.x << ", " << expected.y << ", " << expected.z << ")";
}

inline ::testing::AssertionResult matricesNear(const Matrix4& actual, const Matrix4& expected,
                                               float tolerance) {
    for (int i = 0; i < 16; ++i) {
        if (std::fabs(actual[i] - expected[i]) > tolerance)
            return ::testing::AssertionFailure()
                   << "element " << i << ": " << actual[i] << " vs " << expected[i];
    }
    return ::testing::AssertionSuccess();
}

}  // namespace brx
