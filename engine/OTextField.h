// A one-line text entry: a caret moved by the editing keys, characters inserted at the caret up
// to a maximum length, and a scroll start so the caret always stays inside the visible width.
// It takes the highlight only when pressed and then keeps receiving keys.
#pragma once

#include <cstddef>
#include <string>

#include "engine/O2D.h"
#include "engine/OControl.h"
#include "engine/TextureRef.h"

namespace brx {

class BitmapFont;

class OTextField : public OControl, public O2D {
public:
    static constexpr int16_t kDefaultWidth = 150;
    static constexpr int16_t kDefaultHeight = 48;
    static constexpr std::size_t kDefaultMaxLength = 16;
    // Value reported to the owner when Enter is pressed.
    static constexpr int kEntered = 0;

    OTextField(BitmapFont* font, const std::string& text, int controlId, bool tabStop);
    ~OTextField() override;

    // Replaces the text, puts the caret at its end and scrolls so the end is visible.
    void setText(const std::string& text);
    const std::string& text() const { return text_; }
    // Resizes the box, keeping the text visible up to the caret.
    void setSize(int16_t width, int16_t height) override;
    // Stretches this picture over the box instead of the fill colour.
    void setTexture(const std::string& name);
    void setMaxLength(std::size_t length) { maxLength_ = length; }
    std::size_t maxLength() const { return maxLength_; }
    // Caret and first visible character, as character indices.
    std::size_t caret() const { return caret_; }
    std::size_t scrollStart() const { return scrollStart_; }
    // The part of the text that fits the box from the scroll start on.
    std::string visibleText() const;

    // Editing keys, characters and a left press (which takes the highlight).
    bool handleEvent(const InputEvent& event) override;
    void draw() override;
    // Whether the pointer is over the box.
    bool hitTest(const InputEvent& event) override;
    // Called when Enter is pressed, before the owner is told.
    virtual void onEnter();

private:
    bool insertCharacter(uint16_t code);
    bool handleKeyDown(uint16_t key);
    void moveCaret(std::size_t caret);
    void keepCaretVisible();
    void scrollToCaret();
    int availableWidth() const;
    float widthOf(const std::string& text) const;
    void drawCaret() const;

    BitmapFont* font_;
    std::string text_;
    std::size_t maxLength_ = kDefaultMaxLength;
    std::size_t caret_ = 0;
    std::size_t scrollStart_ = 0;
    TextureRef background_;
    bool firstEventSeen_ = false;
};

}  // namespace brx
