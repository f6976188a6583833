// brx_artgen <stagingDir>: writes every texture and model of the game below the folder.
// brx_artgen --contact-sheet <out.png> <stagingDir>: composes what a previous run wrote into
// one picture to look at.
// brx_artgen --icons <themeDir> <iconName>: writes the desktop icons in the hicolor layout.
#include <cstdio>
#include <string>
#include <thread>

#include "tools/art/ArtGenerator.h"
#include "tools/art/ContactSheet.h"

int main(int argc, char** argv) {
    if (argc == 4 && std::string(argv[1]) == "--contact-sheet") {
        std::string error;
        if (!brx::tools::ContactSheet::compose(argv[3], argv[2], &error)) {
            std::fprintf(stderr, "brx_artgen: %s\n", error.c_str());
            return 1;
        }
        return 0;
    }
    if (argc == 4 && std::string(argv[1]) == "--icons") {
        std::string error;
        if (!brx::tools::ArtGenerator::writeIcons(argv[2], argv[3], &error)) {
            std::fprintf(stderr, "brx_artgen: %s\n", error.c_str());
            return 1;
        }
        return 0;
    }
    if (argc != 2) {
        std::fprintf(stderr,
                     "usage: brx_artgen <stagingDir>\n"
                     "       brx_artgen --contact-sheet <out.png> <stagingDir>\n"
                     "       brx_artgen --icons <themeDir> <iconName>\n");
        return 2;
    }
    const int threads = int(std::max(2u, std::thread::hardware_concurrency()));
    std::string error;
    if (!brx::tools::ArtGenerator::writeAll(argv[1], threads, &error)) {
        std::fprintf(stderr, "brx_artgen: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
