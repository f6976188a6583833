#include "screens/NameField.h"

namespace brx {
namespace {

constexpr uint16_t kLastDrawable = 126;

}  // namespace

NameField::NameField(BitmapFont* font, const std::string& text, int controlId)
    : OTextField(font, text, controlId, true) {
    // The base field lets its first event pass unseen; spend that on an empty event.
    OTextField::handleEvent(InputEvent{});
}

bool NameField::handleEvent(const InputEvent& event) {
    if (event.type == kInputCharacter && event.key > kLastDrawable) return true;
    return OTextField::handleEvent(event);
}

}  // namespace brx
