#include "core/DataPath.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <set>
#include <string>

#include "core/ConfigFile.h"
#include "core/ErrorLog.h"
#include "core/SystemSettings.h"
#include "tests/support/StuckReaderGuard.h"
#include "tests/support/TempDir.h"

namespace brx {
namespace {

namespace fs = std::filesystem;

// Game folders laid out as a build tree, a portable copy or an install would have them, and a
// home folder, all below one temporary folder. The process-wide layout is restored after each
// test so other suites keep their relative names.
class DataPathTest : public testing::Test {
protected:
    void TearDown() override { DataPath::use({}); }

    std::string folder(const std::string& relative) const {
        fs::create_directories(dir.path() / relative);
        return (dir.path() / relative).string();
    }
    std::string path(const std::string& relative) const { return (dir.path() / relative).string(); }
    DataPath::Environment homeOnly() const {
        DataPath::Environment env;
        env.home = folder("home");
        return env;
    }
    // An installed game: the executable's folder and the archive in the shared data folder.
    std::string installedGame(const std::string& binFolder = "usr/bin",
                              const std::string& dataFolder = "usr/share/brixeler3d") const {
        dir.writeFile(dataFolder + "/Resource.Kvr", "archive");
        return folder(binFolder);
    }
    static mode_t modeOf(const std::string& path) {
        struct stat info {};
        stat(path.c_str(), &info);
        return info.st_mode & 0777;
    }

    testsupport::TempDir dir;
};

TEST_F(DataPathTest, BuildTreeAndPortableCopyKeepEverythingBesideTheExecutable) {
    dir.writeFile("game/Data/Resource.Kvr", "archive");
    const DataPath::Layout layout = DataPath::choose(path("game"), homeOnly());
    EXPECT_FALSE(layout.perUser);
    EXPECT_EQ(layout.archive, "Data/Resource.Kvr");

    DataPath::use(layout);
    EXPECT_EQ(DataPath::archiveFile(), "Data/Resource.Kvr");
    EXPECT_EQ(DataPath::playerFile("Data\\TRemover.Kv"), "Data/TRemover.Kv");
    EXPECT_EQ(DataPath::playerFile("Data/System.Cfg"), "Data/System.Cfg");
    EXPECT_EQ(DataPath::playerFile("Report.html"), "Report.html");
    EXPECT_EQ(toDiskPath("Data\\TClassic.Kv"), "Data/TClassic.Kv");
    EXPECT_FALSE(fs::exists(path("home/.config"))) << "nothing is made in the home folder";
}

TEST_F(DataPathTest, InstalledGameReadsTheSharedArchiveAndWritesPerUser) {
    const DataPath::Layout layout = DataPath::choose(installedGame(), homeOnly());
    EXPECT_TRUE(layout.perUser);
    EXPECT_EQ(layout.archive, path("usr/share/brixeler3d/Resource.Kvr"));
    EXPECT_EQ(layout.dataFolder, path("home/.local/share/brixeler3d"));
    EXPECT_EQ(layout.configFolder, path("home/.config/brixeler3d"));
    EXPECT_EQ(layout.stateFolder, path("home/.local/state/brixeler3d"));

    // The games/ layout of some distributions finds its archive too.
    const DataPath::Layout games =
        DataPath::choose(installedGame("opt/games", "opt/share/games/brixeler3d"), homeOnly());
    EXPECT_EQ(games.archive, path("opt/share/games/brixeler3d/Resource.Kvr"));
}

TEST_F(DataPathTest, XdgVariablesWinWhenAbsoluteAndAreIgnoredWhenRelative) {
    DataPath::Environment env = homeOnly();
    env.dataHome = path("xdg-data");
    env.configHome = "relative/config";  // invalid: falls back to the home default
    env.stateHome = path("xdg-state");
    const DataPath::Layout layout = DataPath::choose(installedGame(), env);
    EXPECT_EQ(layout.dataFolder, path("xdg-data/brixeler3d"));
    EXPECT_EQ(layout.configFolder, path("home/.config/brixeler3d"));
    EXPECT_EQ(layout.stateFolder, path("xdg-state/brixeler3d"));

    // No home of any kind: the files stay beside the executable rather than nowhere.
    const DataPath::Layout homeless = DataPath::choose(installedGame(), {});
    EXPECT_FALSE(homeless.perUser);
    EXPECT_EQ(homeless.archive, path("usr/share/brixeler3d/Resource.Kvr"));
}

TEST_F(DataPathTest, PerUserFilesGoToTheirBaseFoldersMadePrivateOnFirstUse) {
    DataPath::use(DataPath::choose(installedGame(), homeOnly()));
    EXPECT_FALSE(fs::exists(path("home/.config/brixeler3d")));

    EXPECT_EQ(DataPath::playerFile("Data/System.Cfg"), path("home/.config/brixeler3d/System.Cfg"));
    EXPECT_EQ(DataPath::playerFile("Data\\TRemover.Kv"),
              path("home/.local/share/brixeler3d/TRemover.Kv"));
    EXPECT_EQ(DataPath::playerFile("Report.html"),
              path("home/.local/state/brixeler3d/Report.html"));
    EXPECT_EQ(DataPath::playerFile("/tmp/elsewhere.Kv"), "/tmp/elsewhere.Kv");

    for (const char* made : {"home/.config/brixeler3d", "home/.local/share/brixeler3d",
                             "home/.local/state/brixeler3d", "home/.local/state"}) {
        ASSERT_TRUE(fs::is_directory(path(made))) << made;
        EXPECT_EQ(modeOf(path(made)), 0700u) << made;
    }
}

TEST_F(DataPathTest, SettingsSavedAndLoadedPerUserLeaveTheGameFolderAlone) {
    const std::string bin = installedGame();
    DataPath::use(DataPath::choose(bin, homeOnly()));
    dir.enter();  // relative names would land here

    SystemSettings settings;
    EXPECT_FALSE(settings.load()) << "first run: no file yet";
    EXPECT_TRUE(fs::is_regular_file(path("home/.config/brixeler3d/System.Cfg")));
    settings.background = 2;
    settings.musicVolume = 7;
    ASSERT_TRUE(settings.save());

    SystemSettings again;
    EXPECT_TRUE(again.load());
    EXPECT_EQ(again.background, 2);
    EXPECT_EQ(again.musicVolume, 7);
    EXPECT_FALSE(fs::exists(path("Data"))) << "nothing written beside the working directory";
    EXPECT_TRUE(fs::is_empty(bin));
}

TEST_F(DataPathTest, UnmakeableFolderIsLoggedAndTheSaveFailsWithoutCrashing) {
    DataPath::Environment env = homeOnly();
    dir.writeFile("blocker", "a file where the config folder should be");
    env.configHome = path("blocker");
    DataPath::use(DataPath::choose(installedGame(), env));

    const int errorsBefore = ErrorLog::instance().errorCount();
    SystemSettings settings;
    settings.background = 1;
    EXPECT_FALSE(settings.save());
    EXPECT_GT(ErrorLog::instance().errorCount(), errorsBefore);
    EXPECT_EQ(dir.readFile("blocker"), "a file where the config folder should be");
    // Score tables in the data home are unaffected.
    ConfigFile table;
    table.setInt("Score", 5);
    EXPECT_EQ(table.save("Data\\TPuzzle.Kv"), 0);
    EXPECT_TRUE(fs::is_regular_file(path("home/.local/share/brixeler3d/TPuzzle.Kv")));
}

// Every name in a folder, so a test sees a temporary file left behind.
std::set<std::string> namesIn(const fs::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : fs::directory_iterator(folder))
        names.insert(entry.path().filename().string());
    return names;
}

TEST_F(DataPathTest, SavingNeverWritesThroughALinkOrAFilePlantedUnderTheTemporaryName) {
    dir.writeFile("victim.txt", "the player's other file");
    dir.writeFile("game/Data/TClassic.Kv", "old table");
    dir.writeFile("game/Data/TPuzzle.Kv.tmp", "someone else's file");
    const std::string table = path("game/Data/TClassic.Kv");
    fs::create_symlink(path("victim.txt"), table + ".tmp");
    fs::create_symlink(path("victim.txt"), path("game/Data/System.Cfg.tmp"));

    ASSERT_TRUE(writeFileAtomically(table, "new table"));
    SystemSettings settings;
    settings.background = 2;
    ASSERT_TRUE(settings.save(path("game/Data/System.Cfg")));
    ASSERT_TRUE(writeFileAtomically(path("game/Data/TPuzzle.Kv"), "puzzle"));

    EXPECT_EQ(dir.readFile("victim.txt"), "the player's other file");
    EXPECT_EQ(dir.readFile("game/Data/TPuzzle.Kv.tmp"), "someone else's file");
    EXPECT_FALSE(fs::is_symlink(table)) << "the link was renamed into place";
    EXPECT_EQ(dir.readFile("game/Data/TClassic.Kv"), "new table");
    EXPECT_EQ(dir.readFile("game/Data/TPuzzle.Kv"), "puzzle");
    SystemSettings again;
    EXPECT_TRUE(again.load(path("game/Data/System.Cfg")));
    EXPECT_EQ(again.background, 2);
    EXPECT_EQ(namesIn(path("game/Data")),
              (std::set<std::string>{"System.Cfg", "System.Cfg.tmp", "TClassic.Kv",
                                     "TClassic.Kv.tmp", "TPuzzle.Kv", "TPuzzle.Kv.tmp"}))
        << "no temporary file is left";
}

TEST_F(DataPathTest, AFailedSaveLeavesNoTemporaryFileAndAReplacedFileKeepsItsPermissions) {
    fs::create_directories(path("game/Data/TModern.Kv"));  // a folder where the table goes
    EXPECT_FALSE(writeFileAtomically(path("game/Data/TModern.Kv"), "table"));
    EXPECT_EQ(namesIn(path("game/Data")), std::set<std::string>{"TModern.Kv"});
    EXPECT_FALSE(writeFileAtomically(path("no-such-folder/TModern.Kv"), "table"));

    dir.writeFile("game/Data/TRemover.Kv", "old");
    fs::permissions(path("game/Data/TRemover.Kv"), fs::perms(0640));
    ASSERT_TRUE(writeFileAtomically(path("game/Data/TRemover.Kv"), "new"));
    EXPECT_EQ(modeOf(path("game/Data/TRemover.Kv")), 0640u);
}

TEST_F(DataPathTest, OnlyRegularFilesAreReadAndAFifoIsNeverWaitedOn) {
    std::string bytes = "stale";
    EXPECT_EQ(readPlayerFile(path("missing.Cfg"), bytes), ReadOutcome::missing);
    EXPECT_TRUE(bytes.empty());
    dir.writeFile("plain.Kv", std::string("a\0b", 3));
    EXPECT_EQ(readPlayerFile(path("plain.Kv"), bytes), ReadOutcome::read);
    EXPECT_EQ(bytes, std::string("a\0b", 3));

    const int errorsBefore = ErrorLog::instance().errorCount();
    fs::create_directories(path("folder.Kv"));
    EXPECT_EQ(readPlayerFile(path("folder.Kv"), bytes), ReadOutcome::unreadable);
    EXPECT_TRUE(bytes.empty());

    ASSERT_TRUE(testsupport::makeFifo(path("pipe.Kv")));
    ReadOutcome outcome = ReadOutcome::read;
    EXPECT_TRUE(testsupport::endsWithoutWaitingOn(
        path("pipe.Kv"), [&] { outcome = readPlayerFile(path("pipe.Kv"), bytes); }));
    EXPECT_EQ(outcome, ReadOutcome::unreadable);
    EXPECT_EQ(ErrorLog::instance().errorCount(), errorsBefore + 2) << "each refusal is logged";
}

TEST_F(DataPathTest, SettingsThatAreAFolderOrAFifoGiveTheDefaults) {
    fs::create_directories(path("a/Data/System.Cfg"));
    ASSERT_TRUE(testsupport::makeFifo(path("b/Data/System.Cfg")));
    for (const char* game : {"a", "b"}) {
        const std::string file = path(std::string(game) + "/Data/System.Cfg");
        SystemSettings settings;
        settings.background = 2;
        bool loaded = true;
        EXPECT_TRUE(testsupport::endsWithoutWaitingOn(file, [&] { loaded = settings.load(file); }))
            << game;
        EXPECT_FALSE(loaded) << game;
        EXPECT_EQ(settings.background, SystemSettings{}.background) << game;
    }
}

}  // namespace
}  // namespace brx
