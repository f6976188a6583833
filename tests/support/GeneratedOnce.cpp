#include "tests/support/GeneratedOnce.h"

#include <sys/stat.h>
#include <unistd.h>

#include <fstream>

namespace testsupport {
namespace {

namespace fs = std::filesystem;

constexpr const char* kCompleteMarker = ".complete";

// Changes whenever the executable is rebuilt, so a cache never outlives the code that made it.
std::string executableStamp() {
    struct stat info {};
    if (stat("/proc/self/exe", &info) != 0) return "0";
    return std::to_string(info.st_mtim.tv_sec) + "." + std::to_string(info.st_mtim.tv_nsec);
}

// Removes the caches an earlier build of the executable left behind.
void removeStaleCaches(const fs::path& cacheRoot, const std::string& name, const fs::path& keep) {
    std::error_code ignored;
    for (const auto& entry : fs::directory_iterator(cacheRoot, ignored)) {
        const std::string file = entry.path().filename().string();
        const bool ours = file.rfind(name + "-", 0) == 0;
        const bool inProgress = file.find(".tmp-") != std::string::npos;
        if (ours && !inProgress && entry.path() != keep) fs::remove_all(entry.path(), ignored);
    }
}

}  // namespace

fs::path generatedOnce(const std::string& name, const Generator& generate, std::string* error) {
    const fs::path cacheRoot = fs::path(BRX_BINARY_DIR) / "test-cache";
    const fs::path folder = cacheRoot / (name + "-" + executableStamp());
    if (fs::exists(folder / kCompleteMarker)) return folder;

    std::error_code ignored;
    fs::create_directories(cacheRoot, ignored);
    removeStaleCaches(cacheRoot, name, folder);
    const fs::path scratch = folder.string() + ".tmp-" + std::to_string(getpid());
    fs::remove_all(scratch, ignored);
    fs::create_directories(scratch);
    if (!generate(scratch, error)) {
        fs::remove_all(scratch, ignored);
        return {};
    }
    std::ofstream(scratch / kCompleteMarker) << "done\n";
    std::error_code renamed;
    fs::rename(scratch, folder, renamed);
    // Another process may have finished first; its copy is as good as ours.
    if (renamed) fs::remove_all(scratch, ignored);
    return folder;
}

}  // namespace testsupport
