// Writes Data/Resource.Kvr in exactly the layout the game's ResourceArchive reads.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace brx::tools {

struct ArchiveFile {
    std::string name;  // relative path with "/" separators, e.g. "Data/Sounds/Select.Wav"
    std::string bytes;
};

// The archive image of the files, in the order given.
std::string buildArchive(const std::vector<ArchiveFile>& files);

// Every regular file below root, named by its path relative to root, sorted by name.
std::vector<ArchiveFile> collectFolder(const std::string& root);

// Packs every file below root into the archive at path; false when it cannot be written.
bool packFolder(const std::string& root, const std::string& path, std::string* error);

}  // namespace brx::tools
