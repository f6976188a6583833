#include "core/DataPath.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <vector>

#include "core/ErrorLog.h"

namespace brx {
namespace {

namespace fs = std::filesystem;

// Installed data folders relative to the executable's: <prefix>/bin or <prefix>/games.
constexpr const char* kInstalledDataFolders[] = {"../share/brixeler3d",
                                                 "../share/games/brixeler3d"};
constexpr const char* kInstalledArchive = "Resource.Kvr";
// The game's own folder prefix in its file names; per user the files sit directly in the
// game's folder of each base directory.
constexpr const char* kDataPrefix = "Data";
constexpr const char* kSettingsExtension = ".cfg";
constexpr mode_t kPrivateFolderMode = 0700;

DataPath::Layout gLayout;

bool isAbsolute(const std::string& path) {
    return !path.empty() && path.front() == '/';
}

bool isWritableFolder(const fs::path& folder) {
    return access(folder.c_str(), W_OK | X_OK) == 0;
}

bool fileExists(const fs::path& path) {
    std::error_code ignored;
    return fs::is_regular_file(path, ignored);
}

// The archive in an installed data folder beside gameFolder; empty when there is none.
std::string installedArchive(const fs::path& gameFolder) {
    for (const char* folder : kInstalledDataFolders) {
        const fs::path candidate = (gameFolder / folder / kInstalledArchive).lexically_normal();
        if (fileExists(candidate)) return candidate.string();
    }
    return {};
}

// An XDG base folder: the variable when it holds an absolute path (relative ones are invalid
// and ignored), else its default below the home folder; empty when neither is usable.
std::string baseFolder(const std::string& variable, const std::string& home,
                       const char* homeDefault) {
    if (isAbsolute(variable)) return variable;
    if (isAbsolute(home)) return (fs::path(home) / homeDefault).string();
    return {};
}

std::string gameFolderIn(const std::string& base) {
    return base.empty() ? std::string() : (fs::path(base) / DataPath::kFolderName).string();
}

std::string homeFromPasswordDatabase() {
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 || !found)
        return {};
    return found->pw_dir ? found->pw_dir : "";
}

std::string variable(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

// Which base folder a player file belongs in, by its file name.
const std::string& folderFor(const fs::path& fileName) {
    if (fileName == kReportFileName) return gLayout.stateFolder;
    if (lowerCase(fileName.extension().string()) == kSettingsExtension) return gLayout.configFolder;
    return gLayout.dataFolder;
}

// The name without the game's leading "Data/" (per user the game has a folder of its own).
fs::path withoutDataPrefix(const fs::path& name) {
    auto part = name.begin();
    if (part == name.end() || *part != kDataPrefix || std::next(part) == name.end()) return name;
    fs::path rest;
    for (++part; part != name.end(); ++part) rest /= *part;
    return rest;
}

// Creates every missing folder of path, private to the player as the XDG rules ask; 0 or the
// error number of the first folder that could not be made.
int makeFolders(const fs::path& path) {
    fs::path partial;
    for (const fs::path& part : path) {
        partial /= part;
        if (mkdir(partial.c_str(), kPrivateFolderMode) != 0 && errno != EEXIST) return errno;
    }
    std::error_code ignored;
    return fs::is_directory(path, ignored) ? 0 : ENOTDIR;
}

}  // namespace

DataPath::Environment DataPath::Environment::current() {
    Environment environment;
    environment.home = variable("HOME");
    if (environment.home.empty()) environment.home = homeFromPasswordDatabase();
    environment.dataHome = variable("XDG_DATA_HOME");
    environment.configHome = variable("XDG_CONFIG_HOME");
    environment.stateHome = variable("XDG_STATE_HOME");
    return environment;
}

DataPath::Layout DataPath::choose(const std::string& gameFolder, const Environment& environment) {
    Layout layout;
    const fs::path game(gameFolder);
    const bool archiveBeside = fileExists(game / kArchiveName);
    const std::string installed = archiveBeside ? std::string() : installedArchive(game);
    if (!installed.empty()) layout.archive = installed;
    const fs::path dataBeside = game / kDataPrefix;
    std::error_code ignored;
    const bool besideWritable = isWritableFolder(game) &&
                                (!fs::exists(dataBeside, ignored) || isWritableFolder(dataBeside));
    if (installed.empty() && besideWritable) return layout;

    const Environment& env = environment;
    const std::string data = gameFolderIn(baseFolder(env.dataHome, env.home, ".local/share"));
    const std::string config = gameFolderIn(baseFolder(env.configHome, env.home, ".config"));
    const std::string state = gameFolderIn(baseFolder(env.stateHome, env.home, ".local/state"));
    // Without a home of any kind there is nowhere better than beside the executable.
    if (data.empty() || config.empty() || state.empty()) return layout;
    layout.perUser = true;
    layout.dataFolder = data;
    layout.configFolder = config;
    layout.stateFolder = state;
    return layout;
}

void DataPath::use(const Layout& layout) {
    gLayout = layout;
}

const DataPath::Layout& DataPath::layout() {
    return gLayout;
}

void DataPath::locate(const std::string& gameFolder) {
    use(choose(gameFolder, Environment::current()));
}

std::string DataPath::playerFile(const std::string& name) {
    std::string path = name;
    std::replace(path.begin(), path.end(), '\\', '/');
    if (!gLayout.perUser || path.empty() || isAbsolute(path)) return path;
    const fs::path relative = withoutDataPrefix(fs::path(path).lexically_normal());
    const fs::path full = fs::path(folderFor(relative.filename())) / relative;
    if (const int error = makeFolders(full.parent_path()); error != 0)
        BRX_LOG_ERROR("Cannot create the folder %s for %s: %s", full.parent_path().c_str(),
                      name.c_str(), std::strerror(error));
    return full.string();
}

std::string DataPath::archiveFile() {
    return gLayout.archive;
}

std::string toDiskPath(const std::string& name) {
    return DataPath::playerFile(name);
}

bool writeFileAtomically(const std::string& path, const std::string& bytes) {
    const std::string temporary = path + ".tmp";
    FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const bool flushed = std::fflush(file) == 0 && fsync(fileno(file)) == 0;
    const bool closed = std::fclose(file) == 0;
    if (!(written && flushed && closed) || std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

}  // namespace brx
