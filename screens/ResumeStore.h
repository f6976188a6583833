// Keeps the game in progress across runs: written when the program ends, offered by the menu's
// Continue at the next start, removed when a new game starts or the resumed one is finished.
//
// Design note: the file ("Data/Resume.Kv", beside the settings, see game/ResumeFile) is
// trusted only after it has been read whole and checked. One that is refused is never offered:
// the reason goes to "Report.html" and the file is renamed to "Resume.Kv.bad" so the player's
// game is not lost to a bug of ours, and the game starts as if there were none. Once a saved
// game has been resumed, the file stands for that game: ending the program with no game in
// progress any more (it was finished or ended by the options) removes it, and it is not offered
// a second time in the same run.
#pragma once

#include <string>

namespace brx {

class Game;
class ScreenHost;

class ResumeStore {
public:
    // Where the file lives (DataPath::playerFile of "Data/Resume.Kv").
    static std::string path();
    // Where a refused file is set aside.
    static std::string setAsidePath();

    // When currentGame is a game in progress: settles it, captures it and writes the file;
    // true once written. A finished game writes nothing and removes the file; no game removes
    // it only when it held a game resumed in this run.
    static bool saveRunningGame();
    // Reads the saved game and builds it as game selection builds a new one: the game of its
    // mode with the difficulty and start level it was made with, added to host (which sets it
    // up) as currentGame, then restored. Null when there is no saved game or it is refused
    // (logged, set aside). The caller switches to the game screen.
    static Game* loadSavedGame(ScreenHost& host);
    // Removes the file (a new game started, or the saved one is finished).
    static void discardSavedGame();
    // True when a saved game waits to be continued: the file is there, reads and checks, and
    // it was not resumed in this run yet. A refused file is set aside here already.
    static bool savedGameWaiting();

private:
    static void setAside(const std::string& why);
    static bool resumedThisRun_;
};

}  // namespace brx
