#include "game/ScoreTextList.h"

namespace brx {

ScoreTextList& ScoreTextList::instance() {
    static ScoreTextList list;
    return list;
}
void ScoreTextList::updateAll(int) {}
void ScoreTextList::drawAll() const {}

}  // namespace brx
