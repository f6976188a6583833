#include "tests/support/TempDir.h"

#include <unistd.h>

#include <atomic>
#include <fstream>
#include <sstream>

namespace testsupport {

TempDir::TempDir() {
    static std::atomic<int> counter{0};
    root = std::filesystem::temp_directory_path() /
           ("brx-test-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root);
}

TempDir::~TempDir() {
    std::error_code ignored;
    if (!previous.empty()) std::filesystem::current_path(previous, ignored);
    std::filesystem::remove_all(root, ignored);
}

void TempDir::writeFile(const std::string& relative, const std::string& bytes) const {
    const auto file = root / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary);
    out.write(bytes.data(), std::streamsize(bytes.size()));
}

std::string TempDir::readFile(const std::string& relative) const {
    std::ifstream in(root / relative, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void TempDir::enter() {
    if (previous.empty()) previous = std::filesystem::current_path();
    std::filesystem::current_path(root);
}

}  // namespace testsupport
