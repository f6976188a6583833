#include "core/DataPath.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

#include "core/ConfigFile.h"
#include "core/ErrorLog.h"
#include "core/SystemSettings.h"
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

}  // namespace
}  // namespace brx
