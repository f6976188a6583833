#include "game/ScoreTextList.h"

#include <GL/gl.h>

namespace brx {

ScoreTextList& ScoreTextList::instance() {
    static ScoreTextList list;
    return list;
}

void ScoreTextList::updateAll(int elapsedMs) {
    std::erase_if(texts_, [elapsedMs](ScoreText& text) { return !text.update(elapsedMs); });
}

void ScoreTextList::drawAll() const {
    if (texts_.empty()) return;
    glDisable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    for (const ScoreText& text : texts_) text.draw();
    glDisable(GL_BLEND);
}

}  // namespace brx
