// Xlib calls for the e2e tests, with libX11 loaded at run time.
//
// xdotool has no command for the close-box message: its windowclose destroys the window and
// its windowkill drops the client's connection, and both make the game die of an X error
// (exit status 1, no quit line in run.log) instead of quitting. libX11 is opened with dlopen
// because the test binary does not link X11 itself; it is always present where SDL 1.2
// runs on X.
#include "x_display.h"

#include <X11/Xlib.h>
#include <dlfcn.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <stdexcept>
#include <thread>
#include <vector>

extern char** environ;

namespace {

inline constexpr int OPEN_ATTEMPTS = 20;

// The few Xlib entry points needed here, looked up once in the loaded library, which
// stays loaded for the life of the process.
struct Xlib {
    Display* (*openDisplay)(const char*) = nullptr;
    Atom (*internAtom)(Display*, const char*, Bool) = nullptr;
    Status (*sendEvent)(Display*, Window, Bool, long, XEvent*) = nullptr;
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
    }

    bool complete() const {
        return openDisplay != nullptr && internAtom != nullptr && sendEvent != nullptr &&
               sync != nullptr && closeDisplay != nullptr;
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
    int ends[2];
    if (pipe(ends) != 0) throw std::runtime_error("pipe failed");
    // -displayfd: the server picks a free display and writes its number once it is ready.
    std::vector<std::string> args{"Xvfb", "-displayfd", std::to_string(ends[1]), "-screen", "0",
                                  std::to_string(width) + "x" + std::to_string(height) + "x24",
                                  "-noreset", "-nolisten", "tcp"};
    std::vector<char*> argv;
    for (std::string& arg : args) argv.push_back(arg.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclose(&actions, ends[0]);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", 0, 0);
    pid_t child = -1;
    const int spawned = posix_spawnp(&child, "Xvfb", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(ends[1]);
    std::string number;
    char c = 0;
    while (spawned == 0 && read(ends[0], &c, 1) == 1 && c != '\n') number.push_back(c);
    close(ends[0]);
    if (spawned != 0 || number.empty()) throw std::runtime_error("cannot start Xvfb");
    pid = child;
    setenv("DISPLAY", (":" + number).c_str(), 1);
}

PrivateDisplay::~PrivateDisplay() {
    if (previous.empty()) {
        unsetenv("DISPLAY");
    } else {
        setenv("DISPLAY", previous.c_str(), 1);
    }
    if (pid <= 0) return;
    kill(pid, SIGTERM);
    waitpid(pid, nullptr, 0);
}
