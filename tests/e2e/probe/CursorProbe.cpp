// Prints "hidden" when the pointer shape the X server shows right now has no visible pixel,
// otherwise "shown <width>x<height> <hash of the pixels>", so two shapes can be told apart. The
// whole-program tests use it to see which pointer the player sees.
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>

#include <cstdio>

int main() {
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        std::fputs("no display\n", stderr);
        return 2;
    }
    XFixesCursorImage* image = XFixesGetCursorImage(display);
    if (!image) {
        std::fputs("no cursor image\n", stderr);
        XCloseDisplay(display);
        return 2;
    }
    bool visible = false;
    unsigned long long hash = 1469598103934665603ull;
    const unsigned long count = static_cast<unsigned long>(image->width) * image->height;
    for (unsigned long i = 0; i < count; ++i) {
        visible = visible || (image->pixels[i] >> 24) != 0;
        hash = (hash ^ (image->pixels[i] & 0xffffffffu)) * 1099511628211ull;
    }
    if (visible) {
        std::printf("shown %dx%d %llx\n", image->width, image->height, hash);
    } else {
        std::puts("hidden");
    }
    XFree(image);
    XCloseDisplay(display);
    return 0;
}
