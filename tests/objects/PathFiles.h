// Path files made in tests: closed loops in the text format the game reads, and an archive
// holding all 23 of them.
#pragma once

#include <cmath>
#include <cstdio>
#include <numbers>
#include <string>

#include "objects/PathSet.h"
#include "tests/support/ArchiveBuilder.h"

namespace testpaths {

// A closed loop of `corners` points round a circle (radius units, centre (cx, cy), file
// z given), its first point written again at the end; "x,y,z" lines.
inline std::string circleText(int corners, float radius, float cx = 0.0f, float cy = 0.0f,
                              float fileZ = 2.125f) {
    std::string text;
    for (int i = 0; i <= corners; ++i) {
        const double angle = 2.0 * std::numbers::pi * (i % corners) / corners;
        char line[96];
        std::snprintf(line, sizeof line, "%.6f,%.6f,%.6f\n", cx + radius * std::cos(angle),
                      cy + radius * std::sin(angle), double(fileZ));
        text += line;
    }
    return text;
}

// Adds the 23 path files, path k a circle of radius 4 + k (so each is told apart by length).
inline testsupport::ArchiveBuilder& addAllPaths(testsupport::ArchiveBuilder& archive) {
    for (int k = 0; k < brx::PathSet::kPathCount; ++k)
        archive.add(brx::PathSet::fileName(k), circleText(12 + k % 5, 4.0f + float(k)));
    return archive;
}

}  // namespace testpaths
