// Interface sounds (pointer enter, press) are played through a hook the application installs,
// so the controls need not know the sound manager. With no hook installed they stay silent.
#pragma once

namespace brx {

using UiSoundPlayer = void (*)(int sampleId);

// Installs the function that plays a sample by id; null silences the controls.
void setUiSoundPlayer(UiSoundPlayer player);
// Plays sample `sampleId` through the installed hook; id 0 means silent.
void playUiSound(int sampleId);

}  // namespace brx
