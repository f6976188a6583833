// A fresh temporary folder per test, removed afterwards; the working directory can be moved
// into it for code that opens "Data/..." relative paths.
#pragma once

#include <filesystem>
#include <string>

namespace testsupport {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return root; }
    // Writes bytes to a file below the folder, creating parent folders.
    void writeFile(const std::string& relative, const std::string& bytes) const;
    // Reads a whole file below the folder; empty when it is missing.
    std::string readFile(const std::string& relative) const;
    // Makes the folder the working directory until destruction.
    void enter();

private:
    std::filesystem::path root;
    std::filesystem::path previous;
};

}  // namespace testsupport
