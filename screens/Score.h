// The high-score screen: one mode's table at a time with Prev and Next to page through the
// modes, and, when a finished game has made it into its table, a name field first.
//
// Design note: the finished game is deleted only through the host's deferred retire, because
// this screen is activated while the game's own update may still be on the stack. The name
// field is likewise never deleted inside its own notification (Enter): it is hidden there and
// deleted once the event that carried the notification has unwound.
#pragma once

#include <string>
#include <vector>

#include "screens/ScoreTable.h"
#include "shell/ORenderWindow.h"

namespace brx {

class NameField;
class OTextStack;

class Score : public ORenderWindow {
public:
    static constexpr int kDoneId = 100;
    static constexpr int kPrevId = 101;
    static constexpr int kNextId = 102;
    static constexpr int kNameFieldId = 103;
    static constexpr int kHighestMode = 5;

    // Shows the tables given (indexed by mode number; the caller keeps them).
    explicit Score(std::vector<ScoreTable>& tables);
    ~Score() override;

    // Takes over a finished game (score, mode; the game is retired) and asks for a name when
    // the result enters the table, else goes on to game selection. Without one: browsing from
    // the first mode.
    void activate() override;
    // Drops an unfinished name entry.
    void deactivate() override;
    // The table rows, the mode's icon and the logo.
    void draw() override;
    // Deletes a name field that was closed during the last event.
    void update(int elapsedMs) override;
    // The Done, Prev and Next buttons.
    bool init() override;
    // Still unless a control animates (the name field's caret blinks).
    bool isAnimating() const override;
    // Tables and buttons only: nothing here changes by time.
    bool changesOnlyOnInput() const override { return true; }
    // While the name is asked for, no shortcut leaves the screen (the result would be lost).
    bool shortcutsBlocked() const override { return nameField_ != nullptr && !closedField_; }
    // Escape acts as Done.
    bool onEvent(const InputEvent& event) override;
    // Done, Prev, Next and the name field's Enter. Always true.
    bool onCommand(int controlId, int value) override;

    // Files what must not be lost as the program ends: a result waiting in the name field,
    // under the name typed, as Done files it; or a finished game this screen has not taken yet,
    // under the name the field would offer (the remembered one, else "Unknown Player").
    void fileBeforeQuit();

    // Set once a result has been filed during this visit.
    static bool resultEntered;

    int currentMode() const { return currentMode_; }
    int pendingScore() const { return pendingScore_; }
    const NameField* nameField() const { return nameField_; }
    const std::string& playerName() const { return playerName_; }
    // Whether a finished game's result that stays out of the table is shown (Done then goes on
    // to game selection), and that score.
    bool showsResult() const { return resultShown_; }
    int shownScore() const { return shownScore_; }
    bool showsPractice() const { return resultShown_ && shownPractice_; }
    // The place (1 = first) a score would take in the current table.
    int rankOf(int score) const;
    // The fewest points that enter the current table (ties with its last row stay out).
    int pointsToEnter() const;

private:
    // The highest mode that has a table.
    int lastMode() const;
    ScoreTable& currentTable() const;
    void takeFinishedGame();
    // Files a finished game without asking (the program ends before it could).
    void fileUntakenGame();
    // The line under the table: the score being entered and its rank, or the score that stays
    // out and what the table needs.
    void drawResultLine() const;
    void openNameField();
    void closeNameField();
    void deleteClosedField();
    void commitResult();
    void leave();
    void showPaging(bool on);
    void drawRows() const;
    void drawIcon() const;

    std::vector<ScoreTable>& tables_;
    NameField* nameField_ = nullptr;  // owned by the control list while listed
    bool closedField_ = false;        // closed by Enter; deleted after the event
    OTextStack* prev_ = nullptr;
    OTextStack* next_ = nullptr;
    std::string playerName_;
    int pendingScore_ = 0;
    int pendingDifficulty_ = 0;
    int currentMode_ = 0;
    bool resultShown_ = false;
    int shownScore_ = 0;
    bool shownPractice_ = false;  // the result shown is a practice game's
};

}  // namespace brx
