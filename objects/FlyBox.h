// The fixed block (colour id 7): the fall rule leaves it in place, and blocks above it stay.
#pragma once

#include "objects/Box.h"

namespace brx {

class FlyBox : public Box {
public:
    explicit FlyBox(int32_t shadowMode = kNoShadow);
    FlyBox(const FlyBox& other) = default;

    std::unique_ptr<Box> cloneBox() const override;
    // Brings the block to rest and out of the selection.
    virtual void settle();
};

}  // namespace brx
