// Where the game's files are on disk; the one place that knows.
//
// Design note: a build tree or a portable copy holds the executable with its Data/ folder beside
// it and keeps the player's files there, as the game always did (relative names, the working
// directory being the executable's folder). An installed game reads its archive from the shared
// data folder (<prefix>/share/brixeler3d/Resource.Kvr, found from <prefix>/bin) and keeps each
// player's files under that player's XDG base folders: settings (.Cfg) in the config home, the
// log in the state home, score tables and anything else in the data home, each in a
// "brixeler3d" folder made on first use. A copy whose folder the player cannot write is treated
// like an installed one, so its saves are not silently lost. The game names its files
// Windows-style ("Data\TRemover.Kv"); every name passes through playerFile() before a file is
// opened.
#pragma once

#include <string>

namespace brx {

class DataPath {
public:
    // What the choice depends on besides the game folder; empty strings for unset variables.
    struct Environment {
        std::string home;        // $HOME
        std::string dataHome;    // $XDG_DATA_HOME
        std::string configHome;  // $XDG_CONFIG_HOME
        std::string stateHome;   // $XDG_STATE_HOME

        // The process's own environment ($HOME falling back to the password database).
        static Environment current();
    };

    // The outcome: the archive to open and where the player's files go.
    struct Layout {
        std::string archive = kArchiveName;  // relative names resolve in the working directory
        bool perUser = false;      // false: player files keep their names, beside the executable
        std::string dataFolder;    // per user only: score tables and the rest
        std::string configFolder;  // per user only: settings
        std::string stateFolder;   // per user only: the log
    };

    static constexpr const char* kArchiveName = "Data/Resource.Kvr";
    static constexpr const char* kFolderName = "brixeler3d";

    // The layout for a game whose executable lies in gameFolder (absolute).
    static Layout choose(const std::string& gameFolder, const Environment& environment);
    // Makes layout the process-wide one. Until then every name stays as given (tests, tools).
    static void use(const Layout& layout);
    // The process-wide layout.
    static const Layout& layout();
    // Chooses for gameFolder with the process's environment and uses the result.
    static void locate(const std::string& gameFolder);

    // On-disk path of a player file named as the game names it ("Data\TRemover.Kv",
    // "Data/System.Cfg", "Report.html"). Per user, its folder is created (mode 0700) if
    // missing. Absolute names are kept as they are.
    static std::string playerFile(const std::string& name);
    // Path of the resource archive to open.
    static std::string archiveFile();
};

// The older name of DataPath::playerFile, used by the readers and writers of player files.
std::string toDiskPath(const std::string& name);

// Writes bytes to a temporary file beside path and renames it into place, so a crash during a
// save never leaves a broken file. The temporary file has a fresh name and is created
// exclusively, so a link or file planted beside path is never written through. False (and no
// temporary file left) when the file cannot be written.
bool writeFileAtomically(const std::string& path, const std::string& bytes);

// What became of reading a player's file.
enum class ReadOutcome {
    read,        // bytes hold the whole file
    missing,     // there is no such file (a first start): nothing is logged
    unreadable,  // not a regular file (a folder, a FIFO, a device) or a failed read: logged
};
// Reads a player's file whole, and only a regular file: anything else is refused without
// waiting on it (a FIFO is never read). bytes is empty unless the outcome is read.
ReadOutcome readPlayerFile(const std::string& path, std::string& bytes);

}  // namespace brx
