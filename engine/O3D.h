// The base of everything placed in the 3D scene: a frame in its parent's space, an optional
// parent, Euler motion and the boxes used for bounds and picking.
//
// Design note: the frame is the matrix the drawing code multiplies onto the model-view matrix,
// columns 0-2 the object's X, Y, Z axes and column 3 its position, all in the parent's space.
// The parent is a plain, non-owning pointer; whoever creates the objects keeps the parent alive.
// Fields are public because the game rules read and write them directly every frame.
#pragma once

#include <cstdint>

#include "engine/Matrix4.h"
#include "engine/Vector3.h"

namespace brx {

class O3D {
public:
    // What hitBySegment answers.
    static constexpr int kSegmentHit = 1;
    static constexpr int kSegmentMiss = -1;
    // Length of the axes the default draw shows (units).
    static constexpr float kAxisLength = 4.25f;

    O3D() = default;
    O3D(const O3D&) = default;
    O3D& operator=(const O3D&) = default;
    virtual ~O3D() = default;

    // Per-frame hook with one 32-bit argument; the base does nothing.
    virtual void update(int32_t arg);
    // Draws the object; the base shows its axes (X red, Y green, Z blue).
    virtual void draw();
    // kSegmentHit when segment a-b (unit direction from a to b) meets the picking box.
    virtual int hitBySegment(const Vector3& a, const Vector3& b, const Vector3& direction) const;

    // Position in the parent's space (frame column 3).
    Vector3 position() const { return frame.translationPart(); }
    void setPosition(const Vector3& p) { frame.setTranslation(p); }
    // Moves the position by offset (parent space, units).
    void translate(const Vector3& offset) { setPosition(position() + offset); }
    // Frame axes in the parent's space.
    Vector3 axisX() const { return frame.column(0); }
    Vector3 axisY() const { return frame.column(1); }
    Vector3 axisZ() const { return frame.column(2); }
    // Keeps the position, makes the axes those of the parent.
    void resetOrientation();

    // Turns the axes by angleRad about axis through the object's own position; the axis is
    // normalised first and a zero axis changes nothing.
    void rotateAboutAxis(float angleRad, const Vector3& axis);
    // Turns the axes so that the direction vector is carried onto (point - position); nothing
    // happens when point is the position or vector is zero.
    void rotateTowards(const Vector3& point, const Vector3& vector);

    // One explicit Euler step of dtMs milliseconds: position += velocity dt, then velocity +=
    // acceleration dt (the position step uses the old velocity).
    void integrateMotion(float dtMs);

    void setParent(O3D* newParent) { parent_ = newParent; }
    O3D* parent() const { return parent_; }
    // The frame taken into world space through every ancestor (parent x own, then upwards).
    Matrix4 worldMatrix() const;
    // The position taken into world space through every ancestor.
    Vector3 worldPosition() const;

    // True when the infinite line through point along direction (world space) meets the
    // oriented picking box.
    bool hitByLine(const Vector3& point, const Vector3& direction) const;

    // Sets the picking box and the axis-aligned box from local-space corners.
    void setBoxFromCorners(const Vector3& minCorner, const Vector3& maxCorner);

    // Columns 0-2 the axes, column 3 the position, in the parent's space.
    Matrix4 frame;
    // Units per millisecond and units per millisecond squared, integrated by integrateMotion.
    Vector3 velocity;
    Vector3 extraVector;  // free for derived classes
    Vector3 acceleration;
    Vector3 extraVector2;     // free for derived classes
    float extraScale = 1.0f;  // free for derived classes

    float boundingRadius = 0.0f;
    Vector3 aabbHalfExtents;
    Vector3 aabbMin;
    Vector3 aabbMax;
    // The picking box in local space.
    Vector3 obbHalfExtents;
    Vector3 obbCentre;

private:
    // point and direction taken from world space into the object's own axes.
    void toLocal(Vector3* point, Vector3* direction) const;

    O3D* parent_ = nullptr;
};

}  // namespace brx
