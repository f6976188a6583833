#include "screens/ResumeStore.h"

#include <cstdio>
#include <memory>
#include <optional>

#include "core/DataPath.h"
#include "core/ErrorLog.h"
#include "core/SystemSettings.h"
#include "game/Game.h"
#include "game/GameVariables.h"
#include "game/LevelFiles.h"
#include "game/ResumeFile.h"
#include "screens/GameFactory.h"
#include "screens/ScreenKit.h"
#include "shell/ScreenHost.h"

namespace brx {

bool ResumeStore::resumedThisRun_ = false;

namespace {

constexpr const char* kSetAsideSuffix = ".bad";

bool fileExists(const std::string& path) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return false;
    std::fclose(file);
    return true;
}

bool finished(const Game&) {
    return gameState == GameState::GameOver || linePhase == LinePhase::Finished;
}

}  // namespace

std::string ResumeStore::path() {
    return DataPath::playerFile(ResumeFile::kFileName);
}

std::string ResumeStore::setAsidePath() {
    return path() + kSetAsideSuffix;
}

void ResumeStore::setAside(const std::string& why) {
    const std::string from = path();
    const std::string to = setAsidePath();
    std::remove(to.c_str());
    const bool moved = std::rename(from.c_str(), to.c_str()) == 0;
    if (!moved) std::remove(from.c_str());
    BRX_LOG_ERROR("The saved game %s was refused (%s); %s", from.c_str(), why.c_str(),
                  moved ? ("it was set aside as " + to).c_str() : "it was removed");
}

bool ResumeStore::saveRunningGame() {
    Game* game = currentGame;
    if (!game) {
        if (resumedThisRun_) discardSavedGame();
        return false;
    }
    if (finished(*game)) {
        discardSavedGame();
        return false;
    }
    game->settleForSnapshot();
    const GameSnapshot snapshot = game->captureSnapshot();
    std::string why;
    if (!snapshot.check(&why)) {
        BRX_LOG_ERROR("The game in progress cannot be saved (%s)", why.c_str());
        return false;
    }
    // The moves that can be taken back go along in a section of their own.
    if (!saveResumeFile(path(), snapshot, {game->historySection()})) {
        BRX_LOG_ERROR("The game in progress could not be written to %s", path().c_str());
        return false;
    }
    // The file now holds this game as it stands; a second call finds nothing more to do.
    resumedThisRun_ = false;
    return true;
}

Game* ResumeStore::loadSavedGame(ScreenHost& host) {
    if (resumedThisRun_ || !fileExists(path())) return nullptr;
    std::string why;
    std::vector<ResumeSection> sections;
    const std::optional<GameSnapshot> snapshot = loadResumeFile(path(), &why, &sections);
    if (!snapshot) {
        setAside(why);
        return nullptr;
    }
    const bool puzzle = snapshot->mode == GameMode::Puzzle;
    if (puzzle && snapshot->puzzleNumber > LevelFiles::readCounts().puzzles) {
        setAside("its puzzle is not installed");
        return nullptr;
    }
    difficulty = snapshot->difficulty;
    startLevel = snapshot->startLevel;
    std::unique_ptr<Game> made = makeGameOfMode(snapshot->mode, snapshot->puzzleNumber);
    if (!made) {
        setAside("no game of its mode");
        return nullptr;
    }
    Game* game = made.release();
    currentGame = game;
    game->setBackground(backgroundPicture(SystemSettings::instance().background), "");
    host.addScreen(game);
    if (!game->fitsSnapshot(*snapshot, &why)) {
        currentGame = nullptr;
        host.removeScreen(game);
        delete game;
        setAside(why);
        return nullptr;
    }
    game->restoreSnapshot(*snapshot);
    // A damaged history is logged and the game goes on without it.
    game->restoreHistory(sections);
    resumedThisRun_ = true;
    return game;
}

void ResumeStore::discardSavedGame() {
    std::remove(path().c_str());
    resumedThisRun_ = false;
}

bool ResumeStore::savedGameWaiting() {
    if (resumedThisRun_ || !fileExists(path())) return false;
    std::string why;
    if (loadResumeFile(path(), &why)) return true;
    setAside(why);
    return false;
}

}  // namespace brx
