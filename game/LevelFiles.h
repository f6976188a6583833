// The level files of the archive: "Data/Levels/Levels.Cfg" (how many puzzles and Advanced
// layouts exist) and the 12 x 16 boards of "Data/Levels/Puzzle.%i.Cfg" and
// "Data/Levels/Adv.%i.Cfg".
//
// Design note: the files are data shipped beside the program, so nothing here trusts them. A
// board list shorter than 192 values leaves the remaining cells empty and a longer one is cut;
// both are logged with the file's name. A missing file or key gives an empty board or a count
// of 0, also logged. Readers never index past the list they were given.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

namespace brx {

class LevelFiles {
public:
    static constexpr int kColumns = 12;
    static constexpr int kRows = 16;
    static constexpr int kCells = kColumns * kRows;
    static constexpr int kEmptyCell = 0;
    static constexpr const char* kCountsFile = "Data/Levels/Levels.Cfg";
    static constexpr const char* kPuzzleCountKey = "Puzzle";
    static constexpr const char* kAdvancedCountKey = "Advanced";
    static constexpr const char* kBoardKey = "Data";
    static constexpr const char* kSolutionKey = "Solution";
    static constexpr char kSeparator = ',';

    // One board of a level file: cell values row by row from the top, each row from column 0.
    class Layout {
    public:
        // The value of a cell; kEmptyCell outside the 12 x 16 board.
        int at(int column, int row) const;
        // Sets a cell inside the board; cells outside are ignored.
        void put(int column, int row, int value);
        // The 192 values in file order.
        const std::array<int, kCells>& values() const { return values_; }

    private:
        std::array<int, kCells> values_{};
    };

    struct Counts {
        int puzzles = 0;
        int advanced = 0;
    };

    // The counts of "Data/Levels/Levels.Cfg" from the archive; missing or negative counts are 0.
    static Counts readCounts();
    // The counts from the text of a counts file; name is used in the log.
    static Counts parseCounts(const std::string& name, const char* bytes, size_t size);

    // The board of a level file in the archive; an empty board when the file is missing.
    static Layout readLayout(const std::string& name);
    // The board of a level file in the archive; nothing (logged) when the file is missing or
    // holds no readable board.
    static std::optional<Layout> tryReadLayout(const std::string& name);
    // The board from the text of a level file; name is used in the log.
    static Layout parseLayout(const std::string& name, const char* bytes, size_t size);
    // The same; nothing when the text holds no readable board.
    static std::optional<Layout> tryParseLayout(const std::string& name, const char* bytes,
                                                size_t size);
    // The board from a list of values: short lists leave cells empty, extra values are ignored.
    static Layout layoutFromValues(const std::string& name, const std::vector<int>& values);

    // The "Solution" key of a puzzle file as (column, row) pairs, flattened; an odd trailing
    // value is dropped. Empty when the file or key is missing.
    static std::vector<int> readSolution(const std::string& name);
};

}  // namespace brx
