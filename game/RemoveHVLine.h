// The cross remover: clicked alone it flashes along its row and its column and launches every
// block whose centre lies on either, except fixed and unmovable blocks.
#pragma once

#include "objects/Box.h"

namespace brx {

class RemoveHVLine : public Box {
public:
    explicit RemoveHVLine(int32_t shadowMode = kNoShadow, int32_t initialColour = kRed);
    RemoveHVLine(const RemoveHVLine& other);

    std::unique_ptr<Box> cloneBox() const override;
    // Goes off on the owning game's board (game must be set).
    void activate() override;
};

}  // namespace brx
