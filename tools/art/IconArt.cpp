#include "tools/art/IconArt.h"

#include <algorithm>
#include <cmath>
#include <filesystem>

#include "tools/art/InterfaceArt.h"
#include "tools/art/PngWriter.h"
#include "tools/art/Styling.h"

namespace brx::tools {
namespace {

// Below this size lettering turns to mush; the blocks alone fill the plate.
constexpr int kSmallestLettered = 48;
// Layout on a 256-unit square, scaled to the icon's size.
constexpr float kUnits = 256.0f;
constexpr float kPlateInset = 6.0f, kPlateRadius = 44.0f;
constexpr float kGapRatio = 0.1f;  // gap between blocks, of a block's side
// Splash colours bottom row first: red, blue, green; then white and yellow on top.
constexpr int kBottomRow[3] = {0, 1, 2};
constexpr int kTopRow[2] = {3, 4};

void drawPlate(Image& image, float scale) {
    PlateStyle plate;
    plate.top = {0.12f, 0.18f, 0.38f, 1};
    plate.bottom = {0.03f, 0.05f, 0.14f, 1};
    plate.radius = kPlateRadius * scale;
    plate.borderWidth = std::max(1.0f, 6.0f * scale);
    const float inset = kPlateInset * scale, far = kUnits * scale - inset;
    Styling::plate(image, inset, inset, far, far, plate);
}

// Three blocks of side `side` with the two others resting on them, the pyramid's bottom edge
// at `base`, centred across the icon.
void drawPyramid(Image& image, float side, float base, float centreX) {
    const float step = side * (1 + kGapRatio);
    const float left = centreX - (3 * side + 2 * side * kGapRatio) * 0.5f;
    for (int i = 0; i < 3; ++i)
        InterfaceArt::emblemBlock(image, left + float(i) * step, base - side, side, kBottomRow[i]);
    for (int i = 0; i < 2; ++i)
        InterfaceArt::emblemBlock(image, left + step * 0.5f + float(i) * step, base - side - step,
                                  side, kTopRow[i]);
}

}  // namespace

const std::vector<int>& IconArt::sizes() {
    static const std::vector<int> list = {16, 24, 32, 48, 64, 128, 256};
    return list;
}

Image IconArt::icon(int size) {
    Image image(size, size);
    const float scale = float(size) / kUnits;
    drawPlate(image, scale);
    const bool lettered = size >= kSmallestLettered;
    if (!lettered) {
        drawPyramid(image, 62 * scale, 193 * scale, 128 * scale);
        return image;
    }
    drawPyramid(image, 54 * scale, 218 * scale, 128 * scale);
    const int letterSize = int(std::lround(84 * scale));
    Styling::letter(image, "3D", 128 * scale, 66 * scale, InterfaceArt::threeDLetters(letterSize));
    return image;
}

bool IconArt::writeTheme(const std::string& folder, const std::string& name, std::string* error) {
    for (const int size : sizes()) {
        const std::string dimension = std::to_string(size) + "x" + std::to_string(size);
        const std::filesystem::path apps = std::filesystem::path(folder) / dimension / "apps";
        std::error_code ignored;
        std::filesystem::create_directories(apps, ignored);
        const std::string file = (apps / (name + ".png")).string();
        if (!PngWriter::save(icon(size), file)) {
            if (error) *error = "cannot write " + file;
            return false;
        }
    }
    return true;
}

}  // namespace brx::tools
