// On-disk file names of the player's own files. The game names some of them Windows-style
// ("Data\TRemover.Kv"); on Linux they must land in the Data folder, so every name passes through
// toDiskPath before a file is opened.
#pragma once

#include <string>

namespace brx {

// Turns backslashes into slashes: "Data\TRemover.Kv" -> "Data/TRemover.Kv".
std::string toDiskPath(const std::string& name);

// Writes bytes to a temporary file beside path and renames it into place, so a crash during a
// save never leaves a broken file. False when the file cannot be written.
bool writeFileAtomically(const std::string& path, const std::string& bytes);

}  // namespace brx
