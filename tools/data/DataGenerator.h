// Writes every file of this generator below <staging>/Data: the flight paths, the tuning
// files, the level files and the credits. The same input always gives the same bytes.
#pragma once

#include <string>

namespace brx::tools {

class DataGenerator {
public:
    explicit DataGenerator(std::string stagingDir) : staging_(std::move(stagingDir)) {}

    // Writes all files; false with a message when a file cannot be written.
    bool generate(std::string* error);

    // Where a file of the archive lands on disk, e.g. "Data/Colors.Cfg".
    std::string pathOf(const std::string& archiveName) const;

private:
    bool write(const std::string& archiveName, const std::string& bytes, std::string* error);
    bool writePaths(std::string* error);
    bool writeTuning(std::string* error);
    bool writeLevels(std::string* error);

    std::string staging_;
};

}  // namespace brx::tools
