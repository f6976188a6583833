#include "tools/data/CreditsWriter.h"

namespace brx::tools {

const std::vector<std::string>& CreditsWriter::lines() {
    static const std::vector<std::string> text = {
        "Brixeler 3D version 1.3#",
        " ",
        "A game by#",
        "Brickwork Lantern Studio",
        " ",
        "Game Design#",
        "Ilsa Brightwater",
        " ",
        "Programming#",
        "Corin Ashdown",
        "Maren Tollowby",
        " ",
        "Art and 3D Models#",
        "Pell Harrowgate",
        " ",
        "Sound and Music#",
        "Wren Fairlight",
        " ",
        "Level Design#",
        "Ilsa Brightwater",
        "Tobin Quarrel",
        " ",
        "Testing#",
        "Tobin Quarrel",
        "Maren Tollowby",
        " ",
        "Built with free software#",
        "SDL2 - zlib licence",
        "SDL2_mixer - zlib licence",
        "Mesa 3D - MIT licence",
        "libjpeg-turbo - IJG and BSD licences",
        "This software is based in part on",
        "the work of the Independent JPEG Group.",
        "FreeType - FreeType Licence (FTL)",
        "Portions of this software are",
        "copyright (c) The FreeType Project",
        "(www.freetype.org). All rights reserved.",
        "DejaVu Fonts - DejaVu Fonts Licence",
        "LAME - GNU LGPL",
        "libvorbis - BSD licence",
        "GoogleTest - BSD 3-Clause licence",
        "Google Benchmark - Apache License 2.0",
        " ",
        "Made with#",
        "GCC, Clang, CMake and Ninja",
        " ",
        "Thank you for playing!#",
        " ",
    };
    return text;
}

std::string CreditsWriter::creditsFile() {
    std::string text;
    const std::vector<std::string>& all = lines();
    for (size_t i = 0; i < all.size(); ++i) {
        text += all[i] + "\r";
        if (i + 1 < all.size()) text += "\n";
    }
    return text;
}

}  // namespace brx::tools
