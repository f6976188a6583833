// Shared resources (decoded images, model data) are counted by reference: every holder takes
// one reference, and the last release deletes the object through its virtual destructor.
#pragma once

#include <cstdint>

namespace brx {

class RCObject {
public:
    RCObject() = default;
    virtual ~RCObject() = default;
    RCObject(const RCObject&) = delete;
    RCObject& operator=(const RCObject&) = delete;

    // Takes one more reference.
    void addRef() { ++references_; }
    // Drops one reference; deletes the object and returns true when that was the last one.
    bool release();

    // The number of references held now.
    int32_t referenceCount() const { return references_; }

private:
    int32_t references_ = 0;
};

}  // namespace brx
