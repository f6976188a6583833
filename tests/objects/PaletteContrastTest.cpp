// How far apart the five block colours stay for players with a colour-vision deficiency. The
// generated "Data/Colors.Cfg" is read from the built archive; each colour's diffuse RGB (the
// block's face under full light) is passed through the simulation of protanopia, deuteranopia
// and tritanopia of Machado, Oliveira and Fernandes, "A Physiologically-based Model for
// Simulation of Color Vision Deficiency" (IEEE TVCG 15(6), 2009), severity 1.0, applied to
// linear sRGB; the results are compared in CIE L*a*b* (D65) by the CIE76 difference. The test
// prints the closest pair per condition: the report behind the block symbols, which tell every
// pair apart by shape whatever the colours do.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <string>

#include "core/ResourceArchive.h"
#include "objects/ColorTable.h"

namespace brx {
namespace {

using Rgb = std::array<double, 3>;
using Matrix = std::array<Rgb, 3>;

// Machado et al. 2009, table of simulation matrices, severity 1.0 (linear RGB).
constexpr Matrix kProtanopia = {{{0.152286, 1.052583, -0.204868},
                                 {0.114503, 0.786281, 0.099216},
                                 {-0.003882, -0.048116, 1.051998}}};
constexpr Matrix kDeuteranopia = {{{0.367322, 0.860646, -0.227968},
                                   {0.280085, 0.672501, 0.047413},
                                   {-0.011820, 0.042940, 0.968881}}};
constexpr Matrix kTritanopia = {{{1.255528, -0.076749, -0.178779},
                                 {-0.078411, 0.930809, 0.147602},
                                 {0.004733, 0.691367, 0.303900}}};
constexpr Matrix kNormal = {{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};

double toLinear(double c) {
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}
double fromLinear(double c) {
    c = std::clamp(c, 0.0, 1.0);
    return c <= 0.0031308 ? c * 12.92 : 1.055 * std::pow(c, 1 / 2.4) - 0.055;
}

// An sRGB colour as a viewer with the condition sees it, again in sRGB.
Rgb simulate(const Matrix& m, const Rgb& srgb) {
    const Rgb lin = {toLinear(srgb[0]), toLinear(srgb[1]), toLinear(srgb[2])};
    Rgb out{};
    for (size_t row = 0; row < 3; ++row)
        out[row] = fromLinear(m[row][0] * lin[0] + m[row][1] * lin[1] + m[row][2] * lin[2]);
    return out;
}

// sRGB to CIE L*a*b*, D65 white.
Rgb toLab(const Rgb& srgb) {
    const double r = toLinear(srgb[0]), g = toLinear(srgb[1]), b = toLinear(srgb[2]);
    const double x = (0.4124564 * r + 0.3575761 * g + 0.1804375 * b) / 0.95047;
    const double y = 0.2126729 * r + 0.7151522 * g + 0.0721750 * b;
    const double z = (0.0193339 * r + 0.1191920 * g + 0.9503041 * b) / 1.08883;
    auto f = [](double t) {
        return t > 216.0 / 24389.0 ? std::cbrt(t) : (24389.0 / 27.0 * t + 16.0) / 116.0;
    };
    return {116 * f(y) - 16, 500 * (f(x) - f(y)), 200 * (f(y) - f(z))};
}

double deltaE76(const Rgb& a, const Rgb& b) {
    const Rgb la = toLab(a), lb = toLab(b);
    return std::hypot(la[0] - lb[0], la[1] - lb[1], la[2] - lb[2]);
}

struct ClosestPair {
    double deltaE = 1e9;
    int first = 0, second = 0;  // colour ids
};

ClosestPair closestPair(const Matrix& condition, const std::array<Rgb, 5>& colours) {
    ClosestPair best;
    for (size_t a = 0; a < colours.size(); ++a)
        for (size_t b = a + 1; b < colours.size(); ++b) {
            const double d =
                deltaE76(simulate(condition, colours[a]), simulate(condition, colours[b]));
            if (d < best.deltaE) best = {d, int(a) + 1, int(b) + 1};
        }
    return best;
}

TEST(PaletteContrast, ColourMathsMatchPublishedValues) {
    // sRGB primaries in L*a*b* (D65), as tabulated.
    const Rgb red = toLab({1, 0, 0});
    EXPECT_NEAR(red[0], 53.24, 0.05);
    EXPECT_NEAR(red[1], 80.09, 0.05);
    EXPECT_NEAR(red[2], 67.20, 0.05);
    const Rgb blue = toLab({0, 0, 1});
    EXPECT_NEAR(blue[0], 32.30, 0.05);
    EXPECT_NEAR(blue[2], -107.86, 0.05);
    // Every simulation keeps greys grey (each matrix row sums to one) ...
    for (const Matrix* m : {&kProtanopia, &kDeuteranopia, &kTritanopia})
        for (const double grey : {0.2, 0.5, 1.0}) {
            const Rgb seen = simulate(*m, {grey, grey, grey});
            for (double c : seen) EXPECT_NEAR(c, grey, 0.002);
        }
    // ... and takes away the very difference each condition is known for.
    EXPECT_LT(deltaE76(simulate(kDeuteranopia, {0.8, 0.3, 0.1}),
                       simulate(kDeuteranopia, {0.5, 0.55, 0.1})),
              deltaE76({0.8, 0.3, 0.1}, {0.5, 0.55, 0.1}) / 3);
    EXPECT_LT(
        deltaE76(simulate(kTritanopia, {0.2, 0.4, 0.9}), simulate(kTritanopia, {0.2, 0.6, 0.5})),
        deltaE76({0.2, 0.4, 0.9}, {0.2, 0.6, 0.5}) / 2);
}

TEST(PaletteContrast, ReportsTheClosestBlockColoursPerCondition) {
    ASSERT_TRUE(ResourceArchive::instance().open()) << "the built archive is needed";
    ColorTable table;
    ASSERT_TRUE(table.load());
    std::array<Rgb, 5> colours{};
    for (size_t i = 0; i < colours.size(); ++i) {
        const Material m = table.material(ColorTable::kPlainColourKeys[i]);
        colours[i] = {m.diffuse[0], m.diffuse[1], m.diffuse[2]};
    }
    ResourceArchive::instance().close();

    const std::pair<const char*, const Matrix*> conditions[] = {{"normal vision", &kNormal},
                                                                {"protanopia", &kProtanopia},
                                                                {"deuteranopia", &kDeuteranopia},
                                                                {"tritanopia", &kTritanopia}};
    const ClosestPair normal = closestPair(kNormal, colours);
    for (const auto& [name, matrix] : conditions) {
        const ClosestPair pair = closestPair(*matrix, colours);
        std::printf("block colours, %-13s: smallest CIE76 delta E %6.2f (colours %d and %d)\n",
                    name, pair.deltaE, pair.first, pair.second);
        RecordProperty(std::string("min_delta_e_") + name[0] + name[1],
                       std::to_string(pair.deltaE));
        EXPECT_TRUE(std::isfinite(pair.deltaE)) << name;
    }
    // Red and green, the pair one man in twelve confuses, come closer for both red-green
    // conditions: the simulation sees what it should in the real colours.
    for (const Matrix* m : {&kProtanopia, &kDeuteranopia})
        EXPECT_LT(deltaE76(simulate(*m, colours[0]), simulate(*m, colours[2])),
                  deltaE76(colours[0], colours[2]));
    // With normal vision the five colours are plainly different (a "just noticeable" step is
    // about 2.3; blocks must differ at a glance).
    EXPECT_GT(normal.deltaE, 20.0);
}

}  // namespace
}  // namespace brx
