#include "game/ScoreText.h"

namespace brx {

ScoreText::ScoreText(int, const Vector3& where, BitmapFont* textFont)
    : position(where), font(textFont) {}
bool ScoreText::update(int) {
    return true;
}
void ScoreText::draw() const {}

}  // namespace brx
