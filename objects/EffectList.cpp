#include "objects/EffectList.h"

#include <GL/gl.h>

#include "objects/BillboardCorners.h"

namespace brx {

EffectList& EffectList::instance() {
    static EffectList list;
    return list;
}

void EffectList::add(std::unique_ptr<KvBaseBound> effect) {
    if (effect) effects_.push_back(std::move(effect));
}

void EffectList::updateAll(double ms) {
    size_t kept = 0;
    for (size_t i = 0; i < effects_.size(); ++i) {
        if (!effects_[i]->alive) {
            effects_[i].reset();
            continue;
        }
        effects_[i]->update(ms);
        if (kept != i) effects_[kept] = std::move(effects_[i]);
        ++kept;
    }
    effects_.resize(kept);
}

void EffectList::drawAll() {
    Matrix4 modelView;
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView.data());
    BillboardCorners::current().computeFrom(modelView);
    for (const auto& effect : effects_) effect->draw();
}

void EffectList::clear() {
    effects_.clear();
}

}  // namespace brx
