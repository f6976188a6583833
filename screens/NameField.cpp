#include "screens/NameField.h"

namespace brx {
namespace {

constexpr uint16_t kLastDrawable = 126;
// The score table stores a name's spaces as this character and reads every one back as a
// space, so a name may not hold it.
constexpr uint16_t kSpaceInTable = '_';

}  // namespace

NameField::NameField(BitmapFont* font, const std::string& text, int controlId)
    : OTextField(font, text, controlId, true) {
    // The base field lets its first event pass unseen; spend that on an empty event.
    OTextField::handleEvent(InputEvent{});
}

bool NameField::handleEvent(const InputEvent& event) {
    if (event.type == kInputCharacter && (event.key > kLastDrawable || event.key == kSpaceInTable))
        return true;
    return OTextField::handleEvent(event);
}

}  // namespace brx
