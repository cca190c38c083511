// Xlib and XFixes calls for the e2e tests, with the libraries loaded at run time.
//
// xdotool has no command for the close-box message: its windowclose destroys the window and
// its windowkill drops the client's connection, and both make the game die of an X error
// (exit status 1, no quit line in run.log) instead of quitting. libX11 is opened with dlopen
// because the test binary does not link X11 itself; it is always present where SDL 1.2
// runs on X.
#include "x_display.h"

#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>
#include <dlfcn.h>
#include <signal.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <thread>

namespace {

inline constexpr int OPEN_ATTEMPTS = 20;

// The few Xlib entry points needed here, looked up once in the loaded library, which
// stays loaded for the life of the process.
struct Xlib {
    Display* (*openDisplay)(const char*) = nullptr;
    Atom (*internAtom)(Display*, const char*, Bool) = nullptr;
    Status (*sendEvent)(Display*, Window, Bool, long, XEvent*) = nullptr;
    int (*free)(void*) = nullptr;
    int (*sync)(Display*, Bool) = nullptr;
    int (*closeDisplay)(Display*) = nullptr;

    Xlib() {
        void* library = dlopen("libX11.so.6", RTLD_NOW | RTLD_LOCAL);
        if (library == nullptr) return;
        bind(library, openDisplay, "XOpenDisplay");
        bind(library, internAtom, "XInternAtom");
        bind(library, sendEvent, "XSendEvent");
        bind(library, sync, "XSync");
        bind(library, closeDisplay, "XCloseDisplay");
        bind(library, free, "XFree");
    }

    bool complete() const {
        return openDisplay != nullptr && internAtom != nullptr && sendEvent != nullptr &&
               sync != nullptr && closeDisplay != nullptr && free != nullptr;
    }

    template <typename Function>
    static void bind(void* library, Function& function, const char* name) {
        function = reinterpret_cast<Function>(dlsym(library, name));
    }
};

const Xlib* loadXlib(std::string& error) {
    static const Xlib xlib;
    if (xlib.complete()) return &xlib;
    error = "cannot load libX11.so.6";
    return nullptr;
}

}  // namespace

bool holdDisplayOpen(std::string& error) {
    static Display* held = nullptr;
    if (held != nullptr) return true;
    const Xlib* x = loadXlib(error);
    if (x == nullptr) return false;
    // The previous test process leaving may have started a reset that drops this connection
    // too; a reset takes milliseconds, so a few tries are enough.
    for (int attempt = 0; attempt < OPEN_ATTEMPTS && held == nullptr; ++attempt) {
        if (attempt > 0) std::this_thread::sleep_for(std::chrono::milliseconds(50));
        held = x->openDisplay(nullptr);
    }
    if (held == nullptr) error = "cannot open the X display";
    return held != nullptr;
}

int visibleCursorPixels(std::string& error) {
    const Xlib* x = loadXlib(error);
    void* fixes = dlopen("libXfixes.so.3", RTLD_NOW | RTLD_LOCAL);
    XFixesCursorImage* (*cursorImage)(Display*) = nullptr;
    if (fixes != nullptr) Xlib::bind(fixes, cursorImage, "XFixesGetCursorImage");
    Display* display = x == nullptr || cursorImage == nullptr ? nullptr : x->openDisplay(nullptr);
    XFixesCursorImage* image = display == nullptr ? nullptr : cursorImage(display);
    if (image == nullptr) error = "cannot read the cursor through libXfixes.so.3";
    int visible = -1;
    if (image != nullptr) {
        const unsigned long* pixels = image->pixels;
        visible = static_cast<int>(std::count_if(pixels, pixels + image->width * image->height,
                                                 [](unsigned long argb) { return argb >> 24 != 0; }));
        x->free(image);
    }
    if (display != nullptr) x->closeDisplay(display);
    return visible;
}

bool requestWindowClose(const std::string& window, std::string& error) {
    const Xlib* x = loadXlib(error);
    if (x == nullptr) return false;
    Display* display = x->openDisplay(nullptr);
    if (display == nullptr) {
        error = "cannot open the X display";
        return false;
    }
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = std::strtoul(window.c_str(), nullptr, 10);
    event.xclient.message_type = x->internAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(x->internAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    const Status sent = x->sendEvent(display, event.xclient.window, False, NoEventMask, &event);
    x->sync(display, False);
    x->closeDisplay(display);
    if (sent == 0) error = "XSendEvent failed";
    return sent != 0;
}

PrivateDisplay::PrivateDisplay(int width, int height) {
    if (const char* display = std::getenv("DISPLAY")) previous = display;
    // The shell prints the server's pid; -displayfd makes the server print the number of the
    // free display it took, once it is ready.
    const std::string command = "Xvfb -displayfd 1 -screen 0 " + std::to_string(width) + "x" +
                                std::to_string(height) + "x24 -noreset -nolisten tcp 2>/dev/null & echo $!";
    FILE* output = popen(command.c_str(), "r");
    int number = -1;
    const bool started = output != nullptr && std::fscanf(output, "%d %d", &pid, &number) == 2;
    if (output != nullptr) pclose(output);
    if (!started) throw std::runtime_error("cannot start Xvfb");
    setenv("DISPLAY", (":" + std::to_string(number)).c_str(), 1);
}

PrivateDisplay::~PrivateDisplay() {
    if (previous.empty()) {
        unsetenv("DISPLAY");
    } else {
        setenv("DISPLAY", previous.c_str(), 1);
    }
    if (pid <= 0) return;
    kill(pid, SIGTERM);
}
