// What the shell makes of the OpenGL driver's vendor and renderer strings: whether the driver
// is a software rasterizer too slow to carry the game, and which driver page to send the player
// to when it is.
#pragma once

#include <string>

namespace brx {

class GraphicsDriver {
public:
    // True for Mesa's slow software rasterizers (softpipe, the classic swrast). llvmpipe is
    // fast enough and passes.
    static bool isSoftwareRenderer(const std::string& renderer);
    // The download page for the vendor group the strings name (case-insensitive), or a general
    // page about hardware-accelerated OpenGL.
    static const char* driverPage(const std::string& vendor, const std::string& renderer);

    static constexpr const char* kNvidiaPage = "https://www.nvidia.com/Download/index.aspx";
    static constexpr const char* kAtiPage = "https://www.amd.com/en/support";
    static constexpr const char* kIntel815Page =
        "https://www.intel.com/content/www/us/en/support/products/80939/graphics.html";
    static constexpr const char* kIntel845Page =
        "https://www.intel.com/content/www/us/en/support/products/81501/graphics.html";
    static constexpr const char* kGeneralPage =
        "https://www.khronos.org/opengl/wiki/Getting_Started";
};

}  // namespace brx
