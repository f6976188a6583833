#include "game/Game.h"

#include "shell/ScreenId.h"

namespace brx {

Game::Game() : ORenderWindow(kScreenGame), board(*this) {}
Game::~Game() = default;
void Game::activate() {}
void Game::deactivate() {}
void Game::draw() {}
void Game::update(int) {}
bool Game::init() {
    return true;
}
bool Game::onEvent(const InputEvent&) {
    return false;
}
bool Game::onCommand(int, int) {
    return true;
}
void Game::drawBoard() {}
void Game::newBoard() {}
void Game::afterClick() {}
bool Game::checkEnd() {
    return false;
}
void Game::drawHud() {}
Vector3 Game::cellPosition(int, int) const {
    return {};
}
int Game::closeUpRight(int) {
    return columns;
}
int Game::closeUpLeft(int) {
    return -1;
}
bool Game::columnIsOpen(int) {
    return false;
}
void Game::levelCompleteTick() {}
void Game::drawLevelComplete() {}
void Game::spareHook() {}
void Game::levelDone() {}
int Game::linesForLevel(int n) const {
    return 6 * n + 25;
}
int Game::modeNumber() const {
    return GameMode::None;
}
void Game::clearBoard() {}
std::unique_ptr<Box> Game::newBlock(bool) {
    return nullptr;
}
bool Game::anyMoving() const {
    return false;
}
bool Game::click() {
    return false;
}
void Game::fall() {}
int Game::hover(int, int, int) {
    return 0;
}
void Game::floodFill(int, int, int) {}
void Game::snapshotColours() {}
int Game::groupScore(int n) {
    return Board::groupScore(n);
}
void Game::closeUp() {}
void Game::updateHover() {}
void Game::placeBlock(int, int, std::unique_ptr<Box>) {}
void Game::launchBlock(int, int) {}
void Game::addFlying(std::unique_ptr<Box>) {}
void Game::startShake() {}
void Game::stopGameSounds() {}
void Game::leaveTo(ScreenId) {}
double Game::introProgress() const {
    return 0.0;
}
void Game::beginScene() {}
void Game::drawBoardForState() {}
void Game::drawAfterBoard() {}
void Game::drawFlyingAndEffects() {}
void Game::drawStatePicture(bool) {}
void Game::setBoardLighting(float) const {}
void Game::drawSidePanel(int, int, int) {}
void Game::updateScoreTextsAndTrail(int) {}
void Game::setupPrototypes() {}
void Game::loadBoardModel() {}
void Game::loadTrayModel() {}

}  // namespace brx
