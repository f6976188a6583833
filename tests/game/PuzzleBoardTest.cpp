#include "game/PuzzleBoard.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace brx {
namespace {

// Builds a board from 16 rows of 12 characters: '.' empty, R B G W Y plain, '#' fixed,
// 'U' unmovable, '*' big bomb, r b g w y colour bombs, '-' row, '|' column, '+' cross remover.
PuzzleBoard boardOf(const std::vector<std::string>& rows) {
    const std::string codes = ".RBGWY";
    std::vector<int> values(PuzzleBoard::kCells, 0);
    const int first = PuzzleBoard::kRows - static_cast<int>(rows.size());
    for (size_t r = 0; r < rows.size(); ++r) {
        for (int c = 0; c < PuzzleBoard::kColumns; ++c) {
            const char ch = rows[r][c];
            int value = 0;
            if (codes.find(ch) != std::string::npos) value = static_cast<int>(codes.find(ch));
            if (ch == '#') value = 7;
            if (ch == 'U') value = 19;
            if (ch == '*') value = 10;
            if (std::string("rbgwy").find(ch) != std::string::npos)
                value = 11 + static_cast<int>(std::string("rbgwy").find(ch));
            if (ch == '-') value = 16;
            if (ch == '|') value = 17;
            if (ch == '+') value = 18;
            values[(first + r) * PuzzleBoard::kColumns + c] = value;
        }
    }
    return PuzzleBoard(values);
}

TEST(PuzzleBoardGroups, ColourBombsJoinGroupsButOtherSpecialsDoNot) {
    const PuzzleBoard board = boardOf({
        "....RrR.....",
        "....#UB*....",
    });
    EXPECT_EQ(board.selectionAt(4, 14).size(), 3u);  // plain red + red bomb + plain red
    EXPECT_EQ(board.selectionAt(5, 14).size(), 1u);  // clicking the bomb selects it alone
    EXPECT_TRUE(board.selectionAt(4, 15).empty());   // fixed
    EXPECT_TRUE(board.selectionAt(5, 15).empty());   // unmovable
    EXPECT_EQ(board.selectionAt(7, 15).size(), 1u);  // big bomb alone
    EXPECT_TRUE(board.selectionAt(0, 0).empty());
}

TEST(PuzzleBoardGroups, GroupsBelowMinimumAreNoMove) {
    PuzzleBoard board = boardOf({"....RR.B...."});
    EXPECT_FALSE(board.click(4, 15));
    EXPECT_TRUE(board.isStuck());
    EXPECT_TRUE(board.moves().empty());
}

TEST(PuzzleBoardFall, FixedBlocksHoldWhatStandsOnThem) {
    PuzzleBoard board = boardOf({
        ".....B......",
        ".....#......",
        ".....R......",
        ".....G......",
        ".....R......",
    });
    board.put(5, 14, 0);  // take the green out from under the red
    EXPECT_TRUE(board.fall());
    EXPECT_EQ(board.at(5, 14), 1);  // red dropped onto the bottom red
    EXPECT_EQ(board.at(5, 13), 0);
    EXPECT_EQ(board.at(5, 12), 7);  // fixed stays
    EXPECT_EQ(board.at(5, 11), 2);  // blue still rests on it
    EXPECT_FALSE(board.fall());
}

TEST(PuzzleBoardFall, UnmovableAndBonusBlocksFall) {
    PuzzleBoard board = boardOf({
        "....U*......",
        "............",
        "....GG......",
    });
    board.put(4, 15, 0);
    board.put(5, 15, 0);
    board.fall();
    EXPECT_EQ(board.at(4, 15), 19);
    EXPECT_EQ(board.at(5, 15), 10);
}

TEST(PuzzleBoardCloseUp, EmptiedColumnsCloseTowardTheMiddle) {
    PuzzleBoard board = boardOf({
        "..B..GGG.W..",
        "..R..RRR.Y..",
    });
    ASSERT_TRUE(board.click(5, 14));  // the green row goes; the red row stays
    // Columns 3 and 4 are empty, so column 2 moves two columns right, one per pass; on the
    // right, column 9 closes up into column 8.
    EXPECT_EQ(board.at(4, 15), 1);
    EXPECT_EQ(board.at(4, 14), 2);
    EXPECT_EQ(board.at(2, 15), 0);
    EXPECT_EQ(board.at(8, 15), 5);
    EXPECT_EQ(board.at(8, 14), 4);
    EXPECT_TRUE(board.isSettled());
}

TEST(PuzzleBoardCloseUp, FixedBlockStopsTheColumnsBeyondIt) {
    PuzzleBoard board = boardOf({
        "..RB.GGG....",
        "..##.RRR....",
    });
    // Column 4 is empty, but the fixed blocks at the foot of columns 2 and 3 stop the close-up.
    EXPECT_TRUE(board.isSettled());
}

TEST(PuzzleBoardCloseUp, ColumnWhoseLowestBlockIsFixedCountsAsOpen) {
    PuzzleBoard board = boardOf({
        ".....#......",
        "............",
        "....G.R.....",
        "....B.R.....",
    });
    board.settle();
    // Column 5's only block floats on nothing, so column 4 slides in beneath it.
    EXPECT_EQ(board.at(5, 15), 2);
    EXPECT_EQ(board.at(5, 14), 3);
    EXPECT_EQ(board.at(5, 12), 7);
    EXPECT_EQ(board.at(4, 15), 0);
}

TEST(PuzzleBoardBonus, BigBombClearsItsDiamondButNotFixedBlocks) {
    PuzzleBoard board(std::vector<int>(PuzzleBoard::kCells, 1));
    board.put(6, 8, 10);
    board.put(7, 8, 7);
    board.put(5, 8, 19);
    const int before = board.countBlocks();
    ASSERT_TRUE(board.click(6, 8));
    // The 60 cells of the diamond and the bomb itself go, less the fixed block among them.
    EXPECT_EQ(before - board.countBlocks(), 60);
    EXPECT_EQ(board.countValue(7), 1);
    EXPECT_EQ(board.countValue(19), 0);
}

TEST(PuzzleBoardBonus, BigBombReachesFourCellsAlongItsRowAndColumn) {
    PuzzleBoard row = boardOf({"RRRRRRRRR*RR"});
    ASSERT_TRUE(row.click(9, 15));
    EXPECT_EQ(row.countBlocks(), 5);  // columns 0-4 survive and close up to the middle
    EXPECT_EQ(row.at(5, 15), 1);
    PuzzleBoard column(std::vector<int>(PuzzleBoard::kCells, 0));
    for (int r = 6; r < PuzzleBoard::kRows; ++r) column.put(5, r, 2);
    column.put(5, 15, 10);
    ASSERT_TRUE(column.click(5, 15));
    EXPECT_EQ(column.countBlocks(), 5);  // rows 11-15 go, the five above fall down
    EXPECT_EQ(column.at(5, 15), 2);
}

TEST(PuzzleBoardBonus, BigBombInACornerStaysOnTheBoard) {
    PuzzleBoard board = boardOf({"*RGB........"});
    ASSERT_TRUE(board.click(0, 15));
    EXPECT_TRUE(board.isSolved());
}

TEST(PuzzleBoardBonus, ColourBombTakesEveryBlockOfItsColour) {
    PuzzleBoard board = boardOf({
        "...R...r....",
        "..GB.R.GR...",
        "..rGRBBBR...",
    });
    ASSERT_TRUE(board.click(7, 13));
    for (int c = 0; c < PuzzleBoard::kColumns; ++c)
        for (int r = 0; r < PuzzleBoard::kRows; ++r)
            EXPECT_NE(PuzzleBoard::colourOf(board.at(c, r)), 1) << c << "," << r;
    EXPECT_TRUE(board.isSettled());
}

TEST(PuzzleBoardBonus, LineRemoversSpareFixedAndUnmovableBlocks) {
    PuzzleBoard rowBoard = boardOf({
        "....BGRW....",
        "...#-UGR*...",
    });
    ASSERT_TRUE(rowBoard.click(4, 15));
    EXPECT_EQ(rowBoard.at(3, 15), 7);
    EXPECT_EQ(rowBoard.at(5, 15), 19);
    EXPECT_EQ(rowBoard.countBlocks(), 2 + 4);  // fixed, unmovable and the four upper blocks
    PuzzleBoard cross = boardOf({
        ".....R......",
        ".....U......",
        "....G+B.....",
        "....#RW.....",
    });
    ASSERT_TRUE(cross.click(5, 14));
    EXPECT_EQ(cross.countValue(19), 1);
    EXPECT_EQ(cross.countValue(7), 1);
    EXPECT_EQ(cross.countBlocks(), 3);  // fixed, unmovable and the white
}

TEST(PuzzleBoardEnd, SolvedWhenOnlyFixedBlocksRemain) {
    PuzzleBoard board = boardOf({"...#GGG#...."});
    EXPECT_FALSE(board.isSolved());
    ASSERT_TRUE(board.click(5, 15));
    EXPECT_TRUE(board.isSolved());
    EXPECT_FALSE(board.isStuck());
    EXPECT_FALSE(boardOf({".....U......"}).isSolved());
    EXPECT_TRUE(boardOf({".....U......"}).isStuck());
}

TEST(PuzzleBoardFiles, ValuesRoundTripAndUnknownValuesAreEmpty) {
    std::vector<int> values(PuzzleBoard::kCells, 0);
    values[0] = 6;
    values[1] = 8;
    values[2] = 9;
    values[3] = 20;
    values[180] = 3;
    values[191] = 19;
    const PuzzleBoard board(values);
    const std::vector<int> back = board.fileValues();
    ASSERT_EQ(back.size(), 192u);
    EXPECT_EQ(back[0] + back[1] + back[2] + back[3], 0);
    EXPECT_EQ(back[180], 3);
    EXPECT_EQ(board.at(0, 15), 3);  // cell 180 = row 15, column 0
    EXPECT_EQ(back[191], 19);
}

}  // namespace
}  // namespace brx
