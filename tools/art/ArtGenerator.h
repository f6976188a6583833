// The art half of the build's data: every texture and model of the game, by archive path, and
// the writing of them all below a staging folder. Pictures are painted on both cores at once;
// every painter is seeded, so two runs give identical files.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace brx::tools {

class ArtGenerator {
public:
    struct Job {
        std::string path;                   // archive path, e.g. "Data/Textures/Font.Tga"
        std::function<std::string()> make;  // the file's bytes
    };

    // One job per texture and model file the game loads.
    static std::vector<Job> jobs();
    // The job for an archive path, or none.
    static const Job* find(const std::vector<Job>& jobs, const std::string& path);
    // Writes every file below stagingDir with `threads` workers; false with a message on the
    // first failure.
    static bool writeAll(const std::string& stagingDir, int threads, std::string* error);
    // Writes the desktop icons of the installed game below themeDir as the hicolor theme lays
    // them out (<n>x<n>/apps/<iconName>.png); false with a message on failure.
    static bool writeIcons(const std::string& themeDir, const std::string& iconName,
                           std::string* error);
};

}  // namespace brx::tools
