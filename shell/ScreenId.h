// Identifiers of the full-window screens.
#pragma once

namespace brx {

enum ScreenId : int {
    kScreenMenu = 201,
    kScreenGame = 202,
    kScreenOptions = 204,
    kScreenCredits = 205,
    kScreenSelectGame = 206,
    kScreenHelp = 208,
    kScreenHighScores = 209,
};

}  // namespace brx
