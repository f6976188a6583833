// Writes the contact sheet as a PNG (RGBA, rows top-down as a viewer expects).
#pragma once

#include <string>

#include "tools/art/Image.h"

namespace brx::tools {

class PngWriter {
public:
    // Writes the picture to path; false when the file cannot be written.
    static bool save(const Image& image, const std::string& path);
};

}  // namespace brx::tools
