// The row remover (horizontal set) and the column remover (horizontal clear): clicked alone
// they flash along their line and launch every block whose centre lies on it, blocks still
// falling through the line included; fixed and unmovable blocks stay.
#pragma once

#include "objects/Box.h"

namespace brx {

class RemoveHLine : public Box {
public:
    explicit RemoveHLine(int32_t shadowMode = kNoShadow, int32_t initialColour = kRed);
    RemoveHLine(const RemoveHLine& other);

    std::unique_ptr<Box> cloneBox() const override;
    // Goes off on the owning game's board (game must be set).
    void activate() override;

    bool horizontal = true;  // true: removes a row; false: a column
};

}  // namespace brx
