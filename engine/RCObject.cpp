#include "engine/RCObject.h"

namespace brx {

bool RCObject::release() {
    if (--references_ > 0) return false;
    delete this;
    return true;
}

}  // namespace brx
