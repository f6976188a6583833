#include "objects/FlyBox.h"

namespace brx {

FlyBox::FlyBox(int32_t shadowMode) : Box(shadowMode) {
    colour = kFixed;
}

std::unique_ptr<Box> FlyBox::cloneBox() const {
    return std::make_unique<FlyBox>(*this);
}

void FlyBox::settle() {
    motion = kResting;
    selected = false;
}

}  // namespace brx
