// Builds small Resource.Kvr archives for tests, in the layout the game reads, and installs
// them as the process-wide archive so loaders can be fed files made in the test.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "tests/support/TempDir.h"

namespace testsupport {

class ArchiveBuilder {
public:
    // Adds a file under its archive name, e.g. "Data/Textures/Font.Tga".
    ArchiveBuilder& add(const std::string& name, const std::string& bytes);
    // The archive image: header, directory, then the files in the order added.
    std::string build() const;
    // Writes the archive to folder/relative and opens it as the process-wide archive (the
    // previous one is closed); returns false when it cannot be opened.
    bool install(const TempDir& folder, const std::string& relative = "Data/Resource.Kvr") const;

private:
    std::vector<std::pair<std::string, std::string>> files_;
};

}  // namespace testsupport
