// The running timed effects, in the order they were started. Each frame advances them all and
// deletes those that finished in an earlier frame, so an effect's last state is drawn once more
// before it goes.
#pragma once

#include <memory>
#include <vector>

#include "objects/KvBaseBound.h"

namespace brx {

class EffectList {
public:
    // The process-wide list, created on first use.
    static EffectList& instance();

    // Appends the effect; the list owns it from then on. A null effect is ignored.
    void add(std::unique_ptr<KvBaseBound> effect);
    // In order: a live effect advances by ms; one that is no longer alive is deleted.
    void updateAll(double ms);
    // Takes the billboard corners from the current model-view matrix, then draws every effect
    // in order (the caller turns lighting and depth writes off).
    void drawAll();
    // Deletes every effect (needs the rendering context while textures may go with them).
    void clear();

    size_t size() const { return effects_.size(); }
    bool empty() const { return effects_.empty(); }
    // Effect i in order.
    KvBaseBound& at(size_t i) const { return *effects_[i]; }

private:
    EffectList() = default;

    std::vector<std::unique_ptr<KvBaseBound>> effects_;
};

}  // namespace brx
