// brx_pack <folder> <archive>: packs every file below the folder into the game's archive.
#include <cstdio>
#include <string>

#include "tools/pack/ArchiveWriter.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: brx_pack <folder> <archive>\n");
        return 2;
    }
    std::string error;
    if (!brx::tools::packFolder(argv[1], argv[2], &error)) {
        std::fprintf(stderr, "brx_pack: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
