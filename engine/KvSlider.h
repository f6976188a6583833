// A horizontal slider: a track skin with a separate thumb, a value between a minimum and a
// maximum snapped to a step. Pressing the track jumps there, dragging follows the pointer (the
// slider keeps the pointer while dragging), arrows step it by 5. Every change made by the
// pointer is reported with value 1.
#pragma once

#include <memory>
#include <string>

#include "engine/OTextStack.h"

namespace brx {

class KvSlider : public OTextStack {
public:
    // Value reported to the owner on every pointer change.
    static constexpr int kValueChanged = 1;
    // Amount next() and previous() move the value by, before snapping.
    static constexpr float kArrowStep = 5.0f;

    KvSlider(BitmapFont* font, int controlId, float minimum, float maximum, float step,
             bool tabStop = false);
    ~KvSlider() override;

    // Loads the track (the slider's own skin) and the thumb skin, and derives the scale.
    void setTextures(const std::string& track, const std::string& thumb);
    // Sets the track and thumb sizes directly (what setTextures does from the images).
    void setGeometry(int16_t trackWidth, int16_t trackHeight, int16_t thumbWidth,
                     int16_t thumbHeight);
    // Moves the track and the thumb with it (screens place sliders after sizing them).
    void setPosition(int16_t x, int16_t y) override;
    // Sets the value (snapped) and moves the thumb; the owner is not told.
    void setValue(float value);
    float value() const { return value_; }
    float minimum() const { return minimum_; }
    float maximum() const { return maximum_; }
    bool dragging() const { return dragging_; }
    const OTextStack& thumb() const { return *thumb_; }
    // Track pixels per unit of value.
    float pixelsPerUnit() const { return pixelsPerUnit_; }
    // The value clamped to the range and rounded to the nearest step.
    float snap(float value) const;

    void setOwner(ControlOwner* owner) override;
    bool handleEvent(const InputEvent& event) override;
    // Left and Right move the value as the arrows do and report it; nothing else.
    bool onKey(const InputEvent& event) override;
    void draw() override;
    // Over the track, or anywhere while dragging.
    bool hitTest(const InputEvent& event) override;
    void gainHighlight() override;
    // Ends a drag (reporting the final value) and drops the highlight.
    void loseHighlight() override;
    // Moves the value up by 5 before snapping.
    void next() override;
    // Moves the value down by 5 before snapping.
    void previous() override;

private:
    void placeThumb();
    void updatePixelsPerUnit();
    // The value under a virtual x with the thumb centred on it.
    float valueAt(float virtualX) const;

    std::unique_ptr<OTextStack> thumb_;
    float minimum_;
    float maximum_;
    float step_;
    float value_;
    float pixelsPerUnit_ = 0.0f;
    bool dragging_ = false;
    bool overTrackOnly_ = false;
};

}  // namespace brx
