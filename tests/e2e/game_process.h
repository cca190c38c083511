// The real game as a child process on the X display, driven through xdotool.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

// Result of a helper command: its exit status (-1 when it was killed at the deadline or
// died by a signal) and what it wrote to standard output.
struct CommandResult {
    int status = -1;
    std::string output;
};

// Runs argv[0] (looked up on PATH) with the given arguments and waits for it; standard
// error passes through to the test's. A command still running at the deadline is killed.
CommandResult runCommand(const std::vector<std::string>& argv,
                         std::chrono::milliseconds timeout = std::chrono::seconds(5));

// Runs the built korvane-verify (KORVANE_VERIFY_BIN) on files with DISPLAY unset.
CommandResult verifyWatchFiles(const std::vector<std::string>& files);

struct WindowSize {
    int width = 0;
    int height = 0;
};

// How a GameProcess starts the game, beyond its arguments.
struct LaunchOptions {
    // "NAME=value" entries that replace the test's own variables of those names, the
    // silent audio driver included.
    std::vector<std::string> environment;
    // A command the game runs under (looked up on PATH), such as setpriv to drop
    // privileges: the game's path and arguments follow the wrapper's.
    std::vector<std::string> wrapper;
    // The program instead of the built game, such as an installed launcher; the folder it
    // starts in instead of the current one; and the folder where the game writes its
    // files (screenshots) when a launcher moves it there. Empty: the defaults.
    std::string program{};
    std::filesystem::path startDirectory{};
    std::filesystem::path filesDirectory{};
};

// One run of the built game (KORVANE_BIN) in the current working directory, normally a
// ScratchDir, unless the LaunchOptions say otherwise. Its standard output and error go to "korvane.out" and "korvane.err" there.
// The methods that need the window find it first; a step that cannot finish in time
// throws std::runtime_error, which GoogleTest reports as a failure of the test.
class GameProcess {
public:
    // Starts the game with args (the program path is added) and SDL_AUDIODRIVER=dummy,
    // changed as options say.
    explicit GameProcess(const std::vector<std::string>& args = {},
                         const LaunchOptions& options = {});
    // Kills the game if it is still running, so no test leaves a window behind.
    ~GameProcess();
    GameProcess(const GameProcess&) = delete;
    GameProcess& operator=(const GameProcess&) = delete;

    // The X id of the window captioned "KORVANE", waiting for it to appear.
    const std::string& window();
    WindowSize windowSize();
    // Polls until the window has this size; false at the deadline.
    bool waitForSize(int width, int height,
                     std::chrono::milliseconds timeout = std::chrono::seconds(5));
    // Sizes the X window as a player dragging its border does.
    void resize(int width, int height);
    std::string windowName();

    // Input through the XTEST extension, held long enough for several frames to see it.
    // There is no window manager: keyboard focus follows the pointer, so pressKey first
    // moves the pointer back into the window, to where the last move or click left it.
    // (No "mousemove --sync": this xdotool waits forever when the pointer is already there;
    // the X server handles one client's requests in order, so the move lands first anyway.)
    void movePointer(int x, int y);
    // button: 1 left, 3 right.
    void click(int x, int y, int button = 1);
    void pressKey(const std::string& key);
    // Asks the window to close the way a window manager's close box does.
    void closeWindow();

    // Presses F12 and waits until a complete, newly written "tolmshot.bmp" is there.
    std::filesystem::path screenshot(std::chrono::milliseconds timeout = std::chrono::seconds(5));

    // Waits for the game to end: its exit status, or -1 when it died by a signal. At the
    // deadline the game is killed and runtime_error is thrown.
    int waitExit(std::chrono::milliseconds timeout = std::chrono::seconds(10));
    bool running();
    // The CPU time the game has used so far, all its threads together, in seconds.
    double cpuSeconds() const;

    std::string standardOutput() const;
    std::string standardError() const;

private:
    std::filesystem::path directory;
    std::filesystem::path filesDirectory{};
    pid_t pid = -1;
    int exitStatus = -1;
    std::string windowId;
    int pointerX = 1;
    int pointerY = 1;
};
