// Prints "hidden" when the pointer shape the X server shows right now has no visible pixel,
// "shown" otherwise. The whole-program tests use it to see which pointer the player sees.
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
    const unsigned long count = static_cast<unsigned long>(image->width) * image->height;
    for (unsigned long i = 0; i < count; ++i) visible = visible || (image->pixels[i] >> 24) != 0;
    std::puts(visible ? "shown" : "hidden");
    XFree(image);
    XCloseDisplay(display);
    return 0;
}
