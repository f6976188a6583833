// The short messages a running game shows over its board for a moment: "Level 2", "No more
// moves", "New high score! Rank 3", "Solved". They never block input; each one fades out on its
// own, and those posted together stand one above the other.
//
// Design note: the messages are not posted by the modes. The game hands a snapshot of its state
// (state, shown level, mode, score, whether a still board offers no move) to observe() once per
// frame, and the messages follow from what changed between two snapshots, so no mode's rules had to
// learn about them. Whether a result will enter a score table is asked through a process-wide hook
// that the score screen fills: the tables live above this layer.
#pragma once

#include <functional>
#include <string>
#include <vector>

namespace brx {

class GameMessages {
public:
    // How long a message stands (ms), the last part of it fading out.
    static constexpr int kShowMs = 2800;
    static constexpr int kFadeMs = 900;
    // At most this many stand at once; a new one pushes out the oldest.
    static constexpr std::size_t kMaxShown = 3;

    struct Message {
        std::string text;
        int ageMs = 0;
    };
    // What the messages are derived from, taken once per frame.
    struct Snapshot {
        int state = 0;  // GameState
        int level = 0;  // the level number the side panel shows (the puzzle number in Puzzle)
        int mode = 0;   // GameMode
        int score = 0;
        bool stuck = false;  // the board is still and offers no move (watched in line modes)
    };
    // Rank (1 = best) a result of score in the table of mode would take; 0 when it would not
    // enter the table.
    using RankLookup = std::function<int(int mode, int score)>;

    // Sets (or, with an empty function, clears) the process-wide rank hook.
    static void setRankLookup(RankLookup lookup);
    // True while a rank hook is set.
    static bool hasRankLookup();

    // True for the modes in which a still board without a move is worth saying (the next line
    // brings new blocks); in the others no move left ends the game.
    static bool watchesForNoMoves(int mode);

    // Shows a message from now on.
    void post(const std::string& text);
    // Compares the game's state with the last snapshot and posts what happened in between.
    void observe(const Snapshot& now);
    // Ages the messages; those that have faded out are dropped.
    void update(int elapsedMs);
    // Drops every message standing (the record of posted ones stays).
    void clear();

    // True while a message stands (the screen must be drawn again).
    bool active() const { return !shown_.empty(); }
    // The messages standing, oldest first.
    const std::vector<Message>& shown() const { return shown_; }
    // Every message posted in this game, in order.
    const std::vector<std::string>& posted() const { return posted_; }
    // Opacity of a message, 1 until it starts fading, down to 0 at its end.
    static float opacity(const Message& message);

    // The texts, as the player reads them.
    static std::string levelText(int level);
    static std::string puzzleText(int puzzle);
    static std::string rankText(int rank);
    static constexpr const char* kNoMoves = "No more moves";
    static constexpr const char* kNoMovesTakeLine = "No more moves: take the next line";
    static constexpr const char* kReachedTop = "The blocks reached the top";
    static constexpr const char* kSolved = "Solved";
    static constexpr const char* kStuck = "Stuck: Ctrl+Z to undo";

private:
    void announceStart(const Snapshot& now);
    void announceEnd(const Snapshot& now, bool solved);

    std::vector<Message> shown_;
    std::vector<std::string> posted_;
    Snapshot last_;
    bool seen_ = false;     // last_ holds a snapshot
    bool started_ = false;  // the first level has been announced (or play began without intro)
    int announcedLevel_ = 0;
};

}  // namespace brx
