// The big bomb: clicked alone it shakes the camera, bursts into flame and launches every block
// in a rounded 9 x 9 area around itself, unmovable blocks and other bonuses included; fixed
// blocks stay. The bomb itself stays in its cell and the game deletes it afterwards.
#pragma once

#include "objects/Box.h"

namespace brx {

class Bonus : public Box {
public:
    static constexpr int kReach = 4;  // cells either side of the bomb
    static constexpr int kSpan = 2 * kReach + 1;
    // The area, indexed [dc + kReach][dr + kReach]: 1 for a cell the bomb clears.
    static const int kPattern[kSpan][kSpan];

    explicit Bonus(int32_t shadowMode = kNoShadow);
    Bonus(const Bonus& other);

    std::unique_ptr<Box> cloneBox() const override;
    // Goes off on the owning game's board (game must be set).
    void activate() override;

private:
    void clearArea(int column, int row);
};

}  // namespace brx
