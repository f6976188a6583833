#include "engine/UiSound.h"

namespace brx {

namespace {
UiSoundPlayer gPlayer = nullptr;
}

void setUiSoundPlayer(UiSoundPlayer player) {
    gPlayer = player;
}

void playUiSound(int sampleId) {
    if (sampleId != 0 && gPlayer != nullptr) gPlayer(sampleId);
}

}  // namespace brx
