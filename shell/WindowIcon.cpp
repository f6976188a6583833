#include "shell/WindowIcon.h"

#include <vector>

#include "core/ErrorLog.h"
#include "engine/DecodedImage.h"
#include "engine/TextureFile.h"
#include "platform/Platform.h"
#include "shell/MouseCursor.h"

namespace brx {

bool WindowIcon::install(const std::string& textureName) {
    DecodedImage decoded;
    std::string problem;
    // Noted, not counted as an error: the game plays the same without its icon (an archive
    // made before the icon was added to it, say).
    if (!TextureFile::decode(textureName, &decoded, &problem)) {
        BRX_LOG_LINE("Window icon \"%s\" could not be read: %s", textureName.c_str(),
                     problem.c_str());
        return false;
    }
    // The pointer's resampling gives what the platform takes: a square, top row first.
    const std::vector<uint8_t> picture = MouseCursor::pointerPicture(decoded, kSidePixels);
    if (picture.empty()) {
        BRX_LOG_LINE("Window icon \"%s\" holds no picture", textureName.c_str());
        return false;
    }
    platform::setWindowIcon(picture.data(), kSidePixels, kSidePixels);
    return true;
}

}  // namespace brx
