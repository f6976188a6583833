// The head of the glowing trail: a scene object that follows a flight path.
#pragma once

#include <memory>

#include "engine/O3D.h"

namespace brx {

class OWayPoint;

class FlyObject : public O3D {
public:
    // Shared with the path set, so that reloading or releasing the paths mid-flight leaves the
    // trail its own.
    std::shared_ptr<OWayPoint> path;
};

}  // namespace brx
