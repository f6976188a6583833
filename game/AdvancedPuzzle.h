// Advanced: Classic played around obstacles. Every level adds a layout of fixed blocks read from
// "Data/Levels/Adv.%i.Cfg"; fixed blocks never fall and cannot be clicked. A pushed line lifts
// the other blocks past them, jumping over whole runs of fixed blocks, and the game is lost
// when a block stands in the overflow row after the push has settled.
//
// Design note: the layouts are played in an order shuffled once per game; after every layout
// has had its turn, a random position other than the first and other than the last one picked
// follows. With no layouts the mode plays without fixed blocks, with one it always uses it.
// The push never writes into a cell that holds a fixed block and never reads outside the
// board; every block keeps exactly one owner (a cell, a next-line slot or the flying list).
#pragma once

#include <vector>

#include "game/BrixelGame.h"

namespace brx {

class AdvancedPuzzle : public BrixelGame {
public:
    static constexpr int kFillStepMs = 25;
    static constexpr int kLayoutValueFixed = 7;

    AdvancedPuzzle();

    // The first level: Classic's starting rows; every level: the next layout's fixed blocks.
    void newBoard() override;
    // Adds the next layout to the board the finishing fill left.
    void startNextLevel() override;
    // Lifts every column past its fixed blocks, brings the next line in, settles the gaps,
    // then ends the game or counts the line.
    void pushLine() override;
    // True (and the game over) when a block stands in row 0.
    bool checkEnd() override;
    int modeNumber() const override;

    // The layout number (1 to the count) for level offset d (0 on the game's first level),
    // advancing the random phase; 0 when no layout exists.
    int chooseLayout(int d);
    // The position in an order of count layouts for level offset d: d itself during the first
    // pass, then a random position from 1 to count - 1 unlike lastPick (which it updates); 0
    // with a single layout and -1 with none.
    static int layoutPosition(int count, int d, int& lastPick);
    // The numbers 1 to count, shuffled by count - 1 swaps, each with a random position.
    static std::vector<int> shuffledOrder(int count);
    // The shuffled order of the layout numbers.
    const std::vector<int>& layoutOrder() const { return order_; }
    // Position in the order the random phase picked last.
    int lastPick() const { return lastPick_; }
    // Puts the fixed blocks of a layout file onto the board, centred on wider boards.
    void addLayout(int number);
    // Columns the layout is shifted right by on this difficulty.
    static int layoutOffset();

    // A snapshot fits when its layout order is as long as this game's.
    bool fitsSnapshot(const GameSnapshot& snapshot, std::string* why) const override;

protected:
    // Classic's next line and timers, and the layout order with the last pick.
    void captureModeState(GameSnapshot& snapshot) const override;
    void restoreModeState(const GameSnapshot& snapshot) override;

private:
    void shiftColumn(int column);
    void bringInNextLine();
    void settleColumns();
    bool isFixed(int column, int row) const;

    std::vector<int> order_;
    int lastPick_ = 0;
};

}  // namespace brx
