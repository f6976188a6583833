// The head of the glowing trail: a scene object that follows a flight path.
#pragma once

#include "engine/O3D.h"

namespace brx {

class OWayPoint;

class FlyObject : public O3D {
public:
    OWayPoint* path = nullptr;  // not owned; the path set keeps every path
};

}  // namespace brx
