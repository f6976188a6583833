#include "core/DataPath.h"

#include <fcntl.h>
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

namespace {

constexpr mode_t kNewFileMode = 0666;
constexpr mode_t kMaskWhenUnknown = 022;
constexpr const char* kTemporarySuffix = ".XXXXXX";

// The process's file-creation mask, read without changing it (umask() would have to set it).
mode_t currentUmask() {
    FILE* status = std::fopen("/proc/self/status", "r");
    if (!status) return kMaskWhenUnknown;
    char line[256];
    unsigned mask = kMaskWhenUnknown;
    while (std::fgets(line, sizeof line, status))
        if (std::sscanf(line, "Umask: %o", &mask) == 1) break;
    std::fclose(status);
    return mode_t(mask) & 0777;
}

// The permissions the written file gets: those of the file it replaces, else what creating it
// afresh would give.
mode_t modeFor(const std::string& path) {
    struct stat existing {};
    if (stat(path.c_str(), &existing) == 0 && S_ISREG(existing.st_mode))
        return existing.st_mode & 0777;
    return kNewFileMode & ~currentUmask();
}

// Closes fd; false when the close reported a failed write.
bool closeFile(int fd) {
    return close(fd) == 0;
}

bool writeAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t wrote = write(fd, bytes.data() + done, bytes.size() - done);
        if (wrote < 0 && errno == EINTR) continue;
        if (wrote <= 0) return false;
        done += size_t(wrote);
    }
    return true;
}

bool readAll(int fd, std::string& bytes) {
    char chunk[65536];
    for (;;) {
        const ssize_t got = read(fd, chunk, sizeof chunk);
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return false;
        if (got == 0) return true;
        bytes.append(chunk, size_t(got));
    }
}

}  // namespace

bool writeFileAtomically(const std::string& path, const std::string& bytes) {
    // A fresh name made exclusively (mkstemp opens with O_CREAT | O_EXCL): a link or a file
    // someone left under a predictable name is never followed or reused.
    std::string temporary = path + kTemporarySuffix;
    const int fd = mkostemp(temporary.data(), O_CLOEXEC);
    if (fd < 0) return false;
    // mkstemp makes the file private; the file keeps the permissions it would have had.
    const bool written = fchmod(fd, modeFor(path)) == 0 && writeAll(fd, bytes) && fsync(fd) == 0;
    const bool closed = closeFile(fd);
    if (!(written && closed) || std::rename(temporary.c_str(), path.c_str()) != 0) {
        unlink(temporary.c_str());
        return false;
    }
    return true;
}

ReadOutcome readPlayerFile(const std::string& path, std::string& bytes) {
    bytes.clear();
    // Opened without waiting (a FIFO would wait for a writer for ever), then looked at before
    // anything is read.
    const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENOENT) return ReadOutcome::missing;
        BRX_LOG_ERROR("%s cannot be opened (%s); defaults are used", path.c_str(),
                      std::strerror(errno));
        return ReadOutcome::unreadable;
    }
    struct stat info {};
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        BRX_LOG_ERROR("%s is not a regular file; defaults are used", path.c_str());
        return ReadOutcome::unreadable;
    }
    const int flags = fcntl(fd, F_GETFL);
    if (flags != -1) fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    const bool read = readAll(fd, bytes);
    close(fd);
    if (read) return ReadOutcome::read;
    BRX_LOG_ERROR("%s could not be read; defaults are used", path.c_str());
    bytes.clear();
    return ReadOutcome::unreadable;
}

}  // namespace brx
