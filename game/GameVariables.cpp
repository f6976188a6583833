#include "game/GameVariables.h"

namespace brx {

int difficulty = Difficulty::Normal;
int startLevel = 1;
int columns = 12;
int rows = 16;
int minGroup = 3;
int gameState = GameState::Playing;
int linePhase = LinePhase::Idle;
int resumeState = ResumeState::Normal;
Game* currentGame = nullptr;

}  // namespace brx
