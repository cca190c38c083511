// Starting, driving and reaping the game binary for the end-to-end tests.
#include "game_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <stdexcept>
#include <thread>

#include "e2e_files.h"
#include "support/scratch.h"
#include "x_display.h"

extern char** environ;

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

inline constexpr const char* CAPTION_PATTERN = "^KORVANE$";
inline constexpr const char* HOLD_SECONDS = "0.08";  // several 16 ms frames
inline constexpr auto POLL_INTERVAL = 20ms;
inline constexpr auto REPRESS_AFTER = 1500ms;

using Clock = std::chrono::steady_clock;

// argv or envp for posix_spawn: pointers into strings that outlive the call.
std::vector<char*> pointersTo(std::vector<std::string>& strings) {
    std::vector<char*> pointers;
    for (std::string& text : strings) pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

// The name part of a "NAME=value" entry, with its "=".
std::string variableOf(const std::string& entry) { return entry.substr(0, entry.find('=') + 1); }

// Sets the variable of setting ("NAME=value") in entries, replacing any earlier value.
void setVariable(std::vector<std::string>& entries, const std::string& setting) {
    const std::string variable = variableOf(setting);
    entries.erase(std::remove_if(entries.begin(), entries.end(),
                                 [&](const std::string& e) { return variableOf(e) == variable; }),
                  entries.end());
    entries.push_back(setting);
}

// The test's environment with the audio driver forced to the silent one, then the
// overrides ("NAME=value" each) on top.
std::vector<std::string> gameEnvironment(const std::vector<std::string>& overrides) {
    std::vector<std::string> entries;
    for (char** entry = environ; *entry != nullptr; ++entry) entries.emplace_back(*entry);
    setVariable(entries, "SDL_AUDIODRIVER=dummy");
    for (const std::string& setting : overrides) setVariable(entries, setting);
    return entries;
}

int statusOf(int waitStatus) { return WIFEXITED(waitStatus) ? WEXITSTATUS(waitStatus) : -1; }

int millisecondsUntil(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
    return static_cast<int>(std::max<long long>(0, left.count()));
}

fs::file_time_type modifiedTime(const fs::path& file) {
    std::error_code error;
    const fs::file_time_type time = fs::last_write_time(file, error);
    return error ? fs::file_time_type::min() : time;
}

}  // namespace

CommandResult runCommand(const std::vector<std::string>& argv, std::chrono::milliseconds timeout) {
    int pipeEnds[2];
    if (pipe2(pipeEnds, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
    std::vector<std::string> arguments(argv);
    std::vector<char*> argumentPointers = pointersTo(arguments);
    pid_t child = -1;
    const int spawned = posix_spawnp(&child, argumentPointers[0], &actions, nullptr,
                                     argumentPointers.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (spawned != 0) {
        close(pipeEnds[0]);
        throw std::runtime_error("cannot start " + argv.at(0) + ": " + std::strerror(spawned));
    }

    CommandResult result;
    const Clock::time_point deadline = Clock::now() + timeout;
    bool timedOut = false;
    for (;;) {
        pollfd readable{pipeEnds[0], POLLIN, 0};
        const int ready = poll(&readable, 1, millisecondsUntil(deadline));
        if (ready < 0 && errno == EINTR) continue;
        if (ready <= 0) {
            timedOut = true;
            break;
        }
        char buffer[4096];
        const ssize_t count = read(pipeEnds[0], buffer, sizeof buffer);
        if (count <= 0) break;
        result.output.append(buffer, static_cast<size_t>(count));
    }
    close(pipeEnds[0]);
    if (timedOut) kill(child, SIGKILL);
    int waitStatus = 0;
    waitpid(child, &waitStatus, 0);
    result.status = timedOut ? -1 : statusOf(waitStatus);
    return result;
}

GameProcess::GameProcess(const std::vector<std::string>& args, const LaunchOptions& options)
    : directory(fs::current_path()),
      filesDirectory(options.filesDirectory.empty() ? directory : options.filesDirectory) {
    std::string error;
    if (std::getenv("DISPLAY") != nullptr && !holdDisplayOpen(error)) {
        throw std::runtime_error(error);
    }
    std::vector<std::string> arguments(options.wrapper);
    arguments.push_back(options.program.empty() ? KORVANE_BIN : options.program);
    arguments.insert(arguments.end(), args.begin(), args.end());
    std::vector<std::string> environment = gameEnvironment(options.environment);
    std::vector<char*> argumentPointers = pointersTo(arguments);
    std::vector<char*> environmentPointers = pointersTo(environment);

    const std::string out = (directory / "korvane.out").string();
    const std::string err = (directory / "korvane.err").string();
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, out.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, err.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (!options.startDirectory.empty()) {
        posix_spawn_file_actions_addchdir_np(&actions, options.startDirectory.c_str());
    }
    const int spawned = posix_spawnp(&pid, argumentPointers[0], &actions, nullptr,
                                     argumentPointers.data(), environmentPointers.data());
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        pid = -1;
        throw std::runtime_error(std::string("cannot start the game: ") + std::strerror(spawned));
    }
}

GameProcess::~GameProcess() {
    if (pid <= 0) return;
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
}

const std::string& GameProcess::window() {
    // Polled rather than "search --sync", which looks only every half second.
    const Clock::time_point deadline = Clock::now() + 10s;
    while (windowId.empty()) {
        // By process too: two copies of the game may be running at once.
        const CommandResult found = runCommand(
            {"xdotool", "search", "--all", "--pid", std::to_string(pid), "--name", CAPTION_PATTERN});
        std::istringstream lines(found.output);
        std::getline(lines, windowId);
        if (!windowId.empty()) break;
        if (!running()) throw std::runtime_error("the game ended before its window appeared");
        if (Clock::now() >= deadline) throw std::runtime_error("no window captioned KORVANE");
        std::this_thread::sleep_for(POLL_INTERVAL);
    }
    return windowId;
}

CommandResult verifyWatchFiles(const std::vector<std::string>& files) {
    std::vector<std::string> argv = {"env", "-u", "DISPLAY", KORVANE_VERIFY_BIN};
    argv.insert(argv.end(), files.begin(), files.end());
    return runCommand(argv, 60s);
}

WindowSize GameProcess::windowSize() {
    const CommandResult result = runCommand({"xdotool", "getwindowgeometry", "--shell", window()});
    WindowSize size;
    std::istringstream lines(result.output);
    for (std::string line; std::getline(lines, line);) {
        if (line.rfind("WIDTH=", 0) == 0) size.width = std::stoi(line.substr(6));
        if (line.rfind("HEIGHT=", 0) == 0) size.height = std::stoi(line.substr(7));
    }
    return size;
}

bool GameProcess::waitForSize(int width, int height, std::chrono::milliseconds timeout) {
    return waitUntil([&] {
        const WindowSize size = windowSize();
        return size.width == width && size.height == height;
    }, timeout);
}

void GameProcess::resize(int width, int height) {
    runCommand({"xdotool", "windowsize", window(), std::to_string(width), std::to_string(height)});
}

std::string GameProcess::windowName() {
    std::string name = runCommand({"xdotool", "getwindowname", window()}).output;
    if (!name.empty() && name.back() == '\n') name.pop_back();
    return name;
}

void GameProcess::movePointer(int x, int y) {
    pointerX = x;
    pointerY = y;
    runCommand(
        {"xdotool", "mousemove", "--window", window(), std::to_string(x), std::to_string(y)});
}

void GameProcess::click(int x, int y, int button) {
    pointerX = x;
    pointerY = y;
    runCommand({"xdotool", "mousemove", "--window", window(), std::to_string(x), std::to_string(y),
                "mousedown", std::to_string(button), "sleep", HOLD_SECONDS, "mouseup",
                std::to_string(button)});
}

void GameProcess::pressKey(const std::string& key) {
    runCommand({"xdotool", "mousemove", "--window", window(), std::to_string(pointerX),
                std::to_string(pointerY), "keydown", key, "sleep", HOLD_SECONDS, "keyup", key});
}

void GameProcess::closeWindow() {
    std::string error;
    if (!requestWindowClose(window(), error)) throw std::runtime_error(error);
}

fs::path GameProcess::screenshot(std::chrono::milliseconds timeout) {
    const fs::path file = filesDirectory / "tolmshot.bmp";
    const fs::file_time_type before = modifiedTime(file);
    pressKey("F12");
    const Clock::time_point deadline = Clock::now() + timeout;
    Clock::time_point again = Clock::now() + REPRESS_AFTER;
    while (modifiedTime(file) == before || !isCompleteBmp(file)) {
        if (Clock::now() >= deadline) throw std::runtime_error("F12 wrote no new tolmshot.bmp");
        // A frame stalled longer than the hold (a first save's sync under load) sees the
        // key go down and up at once and misses the press: press again.
        if (Clock::now() >= again && modifiedTime(file) == before) {
            pressKey("F12");
            again = Clock::now() + REPRESS_AFTER;
        }
        std::this_thread::sleep_for(POLL_INTERVAL);
    }
    return file;
}

int GameProcess::waitExit(std::chrono::milliseconds timeout) {
    const Clock::time_point deadline = Clock::now() + timeout;
    while (running()) {
        if (Clock::now() >= deadline) {
            kill(pid, SIGKILL);
            waitpid(pid, nullptr, 0);
            pid = -1;
            throw std::runtime_error("the game did not exit in time and was killed");
        }
        std::this_thread::sleep_for(POLL_INTERVAL);
    }
    return exitStatus;
}

bool GameProcess::running() {
    if (pid <= 0) return false;
    int waitStatus = 0;
    if (waitpid(pid, &waitStatus, WNOHANG) != pid) return true;
    exitStatus = statusOf(waitStatus);
    pid = -1;
    return false;
}

std::string GameProcess::standardOutput() const { return readFile(directory / "korvane.out"); }

std::string GameProcess::standardError() const { return readFile(directory / "korvane.err"); }

double GameProcess::cpuSeconds() const {
    // Fields 14 and 15 of /proc/<pid>/stat, after the command name in parentheses.
    const std::string stat = readFile("/proc/" + std::to_string(pid) + "/stat");
    std::istringstream fields(stat.substr(stat.rfind(')') + 2));
    std::string field;
    long ticks = 0;
    for (int i = 3; i <= 15 && fields >> field; ++i) {
        if (i >= 14) ticks += std::stol(field);
    }
    return static_cast<double>(ticks) / static_cast<double>(sysconf(_SC_CLK_TCK));
}
