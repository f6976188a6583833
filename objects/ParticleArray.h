// The fixed particle store of an effect: no allocation per particle, and a dead particle is
// removed by moving the last one into its slot.
#pragma once

#include <array>

#include "objects/Particle.h"

namespace brx {

template <int Capacity>
class ParticleArray {
public:
    static constexpr int kCapacity = Capacity;

    // A fresh slot after the live particles, or null at capacity.
    Particle* append() { return count_ < Capacity ? &items_[size_t(count_++)] : nullptr; }
    // The particle step: a particle whose life has run out gives its slot to the last one
    // (which is not advanced in this step); every other one advances by dtMs. True when no
    // particle is left afterwards.
    bool step(double dtMs) {
        for (int r = 0; r < count_; ++r) {
            if (items_[size_t(r)].life <= 0.0) {
                --count_;
                items_[size_t(r)] = items_[size_t(count_)];
            } else {
                items_[size_t(r)].advance(dtMs);
            }
        }
        return count_ < 1;
    }

    int count() const { return count_; }
    const Particle* data() const { return items_.data(); }
    Particle& operator[](int i) { return items_[size_t(i)]; }
    const Particle& operator[](int i) const { return items_[size_t(i)]; }

private:
    std::array<Particle, size_t(Capacity)> items_{};
    int count_ = 0;
};

}  // namespace brx
