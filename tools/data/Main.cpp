// brx_datagen <stagingDir>: writes the flight paths, tuning, level and credits files of the
// game below <stagingDir>/Data, ready for the archive packer.
#include <cstdio>
#include <string>

#include "tools/data/DataGenerator.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: brx_datagen <stagingDir>\n");
        return 2;
    }
    std::string error;
    if (!brx::tools::DataGenerator(argv[1]).generate(&error)) {
        std::fprintf(stderr, "brx_datagen: %s\n", error.c_str());
        return 1;
    }
    return 0;
}
