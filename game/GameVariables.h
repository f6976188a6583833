// The process-wide game variables shared by the running game, its mode, the block objects and
// the screens, with the values of the two state variables. They are plain ints on purpose:
// everything runs on the main thread and the modes compare and assign them freely.
#pragma once

namespace brx {

class Game;

// Values of gameState.
struct GameState {
    enum : int {
        Playing = 1,        // blocks may be clicked; falls and slides run
        LevelComplete = 2,  // the level is won; the finishing fill runs
        NextLevel = 3,      // one-frame step: advance the level, set up the next board
        Intro = 4,          // the board flies in
        Outro = 5,          // the board flies out; the screen is left at its end
        CloseUp = 6,        // one-frame step: close up empty columns, then Playing
        GameOver = 8,       // the game is lost; "GameOver.Tga" shows until the screen is left
    };
};

// Values of linePhase.
struct LinePhase {
    enum : int {
        Cleared = 2,    // Remover: the board was cleared
        LineReady = 7,  // a complete new line waits to be pushed in
        Finished = 8,   // the game is over and the high-score screen is due
        MoveMade = 9,   // the player has just removed something
        Idle = 11,
    };
};

// Values of resumeState: where the intro leads, and the end marker the high-score screen reads.
struct ResumeState {
    enum : int {
        LevelComplete = 2,
        GameOver = 8,
        Normal = 11,
    };
};

// Values of difficulty (the setting "DifficultyLevel").
struct Difficulty {
    enum : int {
        Easy = 0,
        Normal = 1,
        Hard = 2,
        Impossible = 3,
    };
};

// Mode numbers, also the ids of the score tables.
struct GameMode {
    enum : int {
        None = -1,
        Remover = 0,
        Classic = 1,
        Strategy = 2,
        Advanced = 3,
        Modern = 4,
        Puzzle = 5,
    };
};

extern int difficulty;   // Difficulty
extern int startLevel;   // 1-based level the player starts at
extern int columns;      // board size in use, at most Board::kMaxColumns
extern int rows;         // at most Board::kMaxRows
extern int minGroup;     // smallest removable group: 3, or 2 in Remover
extern int gameState;    // GameState
extern int linePhase;    // LinePhase
extern int resumeState;  // ResumeState
// The running game; null when none runs. Set by whoever creates the game, cleared by the
// game's destructor when it is still the current one.
extern Game* currentGame;

}  // namespace brx
