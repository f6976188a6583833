// brx_audiogen <stagingDir> [previewDir]: writes the game's sounds and music under
// <stagingDir>/Data/; with a preview folder, also the unencoded audio as WAV for listening.
#include <cstdio>
#include <string>

#include "tools/audio/AudioGenerator.h"

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::fprintf(stderr, "usage: brx_audiogen <stagingDir> [previewDir]\n");
        return 2;
    }
    std::string error;
    if (!brx::tools::generateAudio(argv[1], argc == 3 ? argv[2] : "", &error)) {
        std::fprintf(stderr, "brx_audiogen: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
