// Starts a program as a player would (fork and exec, nothing else) and watches its first
// top-level window on the X server: when it is mapped, when the first picture arrives, and when
// the picture settles. Prints one line of milliseconds since exec:
//   pid=<pid> window=<id> mapped_ms=<t> first_frame_ms=<t> interactive_ms=<t> frames=<n>
// "Interactive" is the first moment the window shows the picture it still shows when the
// watch ends (the settled picture). The program is left running for the caller to measure
// and end.
//
// Usage: brx_start_probe <watch-ms> <program> [arguments...]
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/Xdamage.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

struct Frame {
    double atMs;
    uint64_t hash;
};

double msSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

pid_t startProgram(char** argv) {
    const pid_t pid = fork();
    if (pid == 0) {
        setsid();  // the program outlives the probe
        // Its output goes where the caller says (a log), never into the probe's own pipe.
        const char* log = std::getenv("BRX_PROBE_LOG");
        const int out = open(log ? log : "/dev/null", O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (out >= 0) {
            dup2(out, STDOUT_FILENO);
            dup2(out, STDERR_FILENO);
            close(out);
        }
        execvp(argv[0], argv);
        std::perror("exec");
        _exit(127);
    }
    return pid;
}

// The _NET_WM_PID of a window, or 0.
long windowPid(Display* display, Window window) {
    static const Atom pidAtom = XInternAtom(display, "_NET_WM_PID", False);
    Atom type;
    int format;
    unsigned long count, after;
    unsigned char* data = nullptr;
    long pid = 0;
    if (XGetWindowProperty(display, window, pidAtom, 0, 1, False, XA_CARDINAL, &type, &format,
                           &count, &after, &data) == Success &&
        data && count == 1)
        pid = *reinterpret_cast<long*>(data);
    if (data) XFree(data);
    return pid;
}

// FNV-1a over the window's pixels.
uint64_t pictureHash(Display* display, Window window) {
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display, window, &attributes)) return 0;
    XImage* image = XGetImage(display, window, 0, 0, unsigned(attributes.width),
                              unsigned(attributes.height), AllPlanes, ZPixmap);
    if (!image) return 0;
    uint64_t hash = 1469598103934665603ull;
    const size_t bytes = size_t(image->bytes_per_line) * size_t(image->height);
    const auto* data = reinterpret_cast<const unsigned char*>(image->data);
    for (size_t i = 0; i < bytes; ++i) hash = (hash ^ data[i]) * 1099511628211ull;
    XDestroyImage(image);
    return hash;
}

// Waits up to timeoutMs for X input; false on time-out.
bool waitForX(Display* display, int timeoutMs) {
    if (XPending(display)) return true;
    pollfd fd{ConnectionNumber(display), POLLIN, 0};
    return poll(&fd, 1, timeoutMs) > 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fputs("usage: brx_start_probe <watch-ms> <program> [arguments...]\n", stderr);
        return 2;
    }
    const double watchMs = std::atof(argv[1]);
    Display* display = XOpenDisplay(nullptr);
    int damageEvent = 0, damageError = 0;
    if (!display || !XDamageQueryExtension(display, &damageEvent, &damageError)) {
        std::fputs("needs an X display with the DAMAGE extension\n", stderr);
        return 2;
    }
    const Window root = DefaultRootWindow(display);
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    const Clock::time_point start = Clock::now();
    const pid_t pid = startProgram(argv + 2);
    Window window = 0;
    double mappedMs = -1;
    uint64_t blank = 0;  // the window's picture as mapped, before the program drew
    std::vector<Frame> frames;
    while (msSince(start) < watchMs) {
        if (waitpid(pid, nullptr, WNOHANG) == pid) {
            std::fputs("the program ended during the watch\n", stderr);
            return 1;
        }
        if (!waitForX(display, 5)) continue;
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == MapNotify && window == 0 &&
            windowPid(display, event.xmap.window) == pid) {
            window = event.xmap.window;
            mappedMs = msSince(start);
            XDamageCreate(display, window, XDamageReportNonEmpty);
            blank = pictureHash(display, window);
        } else if (event.type == damageEvent + XDamageNotify && window != 0) {
            const auto& damage = reinterpret_cast<XDamageNotifyEvent&>(event);
            XDamageSubtract(display, damage.damage, None, None);
            const double at = msSince(start);
            const uint64_t hash = pictureHash(display, window);
            // The server clearing the new window is no frame of the program's.
            if (!frames.empty() || hash != blank) frames.push_back({at, hash});
        }
    }
    if (window == 0 || frames.empty()) {
        std::printf("pid=%d window=0 mapped_ms=-1 first_frame_ms=-1 interactive_ms=-1 frames=0\n",
                    int(pid));
        return 1;
    }
    const uint64_t settled = pictureHash(display, window);
    double interactiveMs = -1;
    // The settled picture's first showing after the last different one (the last frame seen
    // when the picture changed once more after it, as with a clock on screen).
    for (auto frame = frames.rbegin(); frame != frames.rend() && frame->hash == settled; ++frame)
        interactiveMs = frame->atMs;
    if (interactiveMs < 0) interactiveMs = frames.back().atMs;
    std::printf(
        "pid=%d window=%lu mapped_ms=%.1f first_frame_ms=%.1f interactive_ms=%.1f "
        "frames=%zu\n",
        int(pid), static_cast<unsigned long>(window), mappedMs, frames.front().atMs, interactiveMs,
        frames.size());
    XCloseDisplay(display);
    return 0;
}
