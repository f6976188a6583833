// The ten best results of one game mode, kept sorted (highest first) in a small scrambled text
// file: per row the name (spaces written as "_"), the score and the difficulty name, each on a
// line of its own.
//
// Design note: the table never trusts its file. Reading stops at the first row that does not
// parse (a score that is not a whole number in range counts as such a row), keeps what came
// before, cleans every name and sorts. Writing goes through a temporary file renamed into place,
// so a crash mid-save leaves the previous table. A new result drops a row only when the table is
// already full, and ties keep the older result above the newer one.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "engine/TextureRef.h"
#include "screens/ScoreEntry.h"

namespace brx {

class ScoreTable {
public:
    static constexpr int kDefaultSize = 10;
    static constexpr std::size_t kMaxNameLength = 16;
    static constexpr const char* kFreshText = "...";
    static constexpr const char* kUnknownPlayer = "Unknown Player";

    // A table without entries; file is the game's own name for it ("Data\TRemover.Kv").
    ScoreTable(std::string iconName, std::string file, int size = kDefaultSize);

    // Loads the icon (when its name has at least 5 characters); needs a GL context. Throws
    // OFileNotFound when the picture is missing.
    void loadIcon();
    // Reads the file; false when it cannot be opened (the entries are then left as they were).
    bool load();
    // Replaces the entries by `size` fresh rows and writes them.
    void reset();
    // Writes the table; false when the file cannot be written (the table stays in memory).
    bool save() const;
    // True when fewer than `size` entries have a score at least as high: the result then takes
    // a place in the table, below any equal older score.
    bool qualifies(int score) const;
    // The rank (1 = top) a result would take, below any equal older score; 0 when it would not
    // enter the table.
    int rankFor(int score) const;
    // Files a result (the name cleaned as typedName() does), keeps the order, drops the lowest
    // row only when the table was full, and saves. Returns the new row's index, -1 when it fell
    // off the end.
    int insert(const std::string& name, int score, const std::string& difficulty);

    const ScoreEntry& entry(std::size_t index) const { return entries_[index]; }
    std::size_t count() const { return entries_.size(); }
    int size() const { return size_; }
    const std::string& file() const { return file_; }
    const TextureRef& icon() const { return icon_; }

    // The table's text before scrambling.
    std::string serialize() const;
    // Replaces the entries by the rows of a plain text that parse, sorted.
    void parse(const std::string& text);

    // A typed name made fit for the table and the font: characters the font cannot draw are
    // dropped, the rest cut to kMaxNameLength; nothing but spaces gives "Unknown Player".
    static std::string typedName(const std::string& text);
    // Difficulty name of a DifficultyLevel value (0..3); out of range reads as "Normal".
    static std::string difficultyName(int level);

private:
    void sortEntries();

    std::string iconName_;
    std::string file_;
    int size_;
    TextureRef icon_;
    std::vector<ScoreEntry> entries_;
};

}  // namespace brx
