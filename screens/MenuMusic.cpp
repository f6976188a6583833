#include "screens/MenuMusic.h"

#include "sound/MusicPlaylist.h"
#include "sound/SoundManager.h"

namespace brx {

void resumeMenuMusic() {
    SoundManager& sound = SoundManager::instance();
    sound.selectPlaylist(SoundManager::kPlaylistMenu);
    if (MusicPlaylist* playlist = sound.currentPlaylist()) playlist->resume();
}

}  // namespace brx
