// One picture of everything the art generator wrote, for a person to judge: a mock-up of the
// game and the main menu as the game lays them out, every texture on a checkerboard (so alpha
// shows), every model rendered on the CPU, and a line of text set with the font's measured
// advances.
#pragma once

#include <string>

namespace brx::tools {

class ContactSheet {
public:
    // Reads the files below stagingDir and writes the sheet as a PNG; false with a message.
    static bool compose(const std::string& stagingDir, const std::string& pngPath,
                        std::string* error);
};

}  // namespace brx::tools
