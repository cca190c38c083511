// The headless platform: no window, no GL, no audio device; a virtual clock, scripted
// input and a record of every drawing, sound and music call, for tests.
#include <array>
#include <filesystem>
#include <map>
#include <set>

#include "tolm2/platform/null/headless.h"
#include "tolm2/platform/platform.h"

namespace {

struct Joy {
    int buttons = 0;
    std::vector<bool> down;
    std::array<int16_t, 2> axes{};
    uint8_t hat = 0;
    bool open = false;
};

struct State {
    headless::Window window;
    uint32_t clock = 0;
    int32_t mouseX = 0, mouseY = 0;
    uint8_t mouseButtons = 0;
    std::array<bool, 512> keys{};
    bool quitPending = false;
    bool focusLost = false;
    plat::WindowEvents events;
    bool keepContext = false;
    int32_t desktopW = 1920, desktopH = 1080;
    std::vector<Joy> joysticks;
    bool failInit = false, failVideo = false, failAudio = false, failJoysticks = false;
    std::string error;
    std::vector<headless::DrawCall> draws;
    std::set<uint32_t> liveTextures;
    uint32_t nextTexture = 1;
    std::vector<headless::SoundCall> sounds;
    std::map<int, std::string> samples;
    int nextSample = 1;
    std::string music;
    std::vector<uint8_t> framebuffer;
    std::vector<uint8_t> backBuffer;
    bool page = false;
    std::string handed;
    std::vector<std::string> offered;
    int holds = 0;
};

State& state() {
    static State s;
    return s;
}

headless::DrawCall& record(headless::DrawCall::Kind kind) {
    state().draws.push_back(headless::DrawCall{kind});
    return state().draws.back();
}

void recordSound(const std::string& op, const std::string& file, int32_t loops, int32_t arg) {
    state().sounds.push_back({op, file, loops, arg});
}

Joy* joystickAt(int index) {
    auto& joys = state().joysticks;
    if (index < 0 || static_cast<size_t>(index) >= joys.size()) return nullptr;
    return &joys[static_cast<size_t>(index)];
}

}  // namespace

namespace headless {

void reset() { state() = State(); }

void setMouse(int32_t x, int32_t y) {
    state().mouseX = x;
    state().mouseY = y;
}
void setMouseButtons(uint8_t mask) {
    if ((mask & ~state().mouseButtons) != 0) state().events.pressed = true;
    if (mask != state().mouseButtons) state().events.redraw = true;
    state().mouseButtons = mask;
}
void setKey(int key, bool down) {
    if (key < 0 || static_cast<size_t>(key) >= state().keys.size()) return;
    bool& held = state().keys[static_cast<size_t>(key)];
    if (down && !held) state().events.pressed = true;
    if (down != held) state().events.redraw = true;
    held = down;
}
void requestQuit() { state().quitPending = true; }
void loseFocus() {
    state().focusLost = true;
    state().events.redraw = true;
}
void resizeWindow(int32_t width, int32_t height) {
    state().events.resized = true;
    state().events.width = width;
    state().events.height = height;
}
void expose() { state().events.redraw = true; }
void iconifyByWindowManager() {
    state().events.iconified = true;
    state().focusLost = true;
}
void restoreByWindowManager() {
    state().events.restored = true;
    state().events.redraw = true;
}

void attachJoysticks(int count, int buttons) {
    state().joysticks.assign(static_cast<size_t>(count), Joy{});
    for (Joy& joy : state().joysticks) {
        joy.buttons = buttons;
        joy.down.assign(static_cast<size_t>(buttons), false);
    }
}
void setJoystickButton(int index, int button, bool down) {
    Joy* joy = joystickAt(index);
    if (joy != nullptr && button >= 0 && button < joy->buttons) {
        joy->down[static_cast<size_t>(button)] = down;
    }
}
void setJoystickHat(int index, uint8_t directions) {
    Joy* joy = joystickAt(index);
    if (joy != nullptr) joy->hat = directions;
}
void setJoystickAxis(int index, int axis, int16_t value) {
    Joy* joy = joystickAt(index);
    if (joy != nullptr && axis >= 0 && axis < 2) joy->axes[static_cast<size_t>(axis)] = value;
}

void actAsPage(bool page) { state().page = page; }
void handFile(const std::string& path) { state().handed = path; }
const std::vector<std::string>& offeredFiles() { return state().offered; }
int playerFileHolds() { return state().holds; }

uint32_t now() { return state().clock; }
void advance(uint32_t ms) { state().clock += ms; }

void failInit(bool fail) { state().failInit = fail; }
void failVideo(bool fail) { state().failVideo = fail; }
void failAudio(bool fail) { state().failAudio = fail; }
void failJoysticks(bool fail) { state().failJoysticks = fail; }
void keepContextOnModeChange(bool keep) { state().keepContext = keep; }
void setDesktop(int32_t width, int32_t height) {
    state().desktopW = width;
    state().desktopH = height;
}

const Window& window() { return state().window; }

const std::vector<DrawCall>& drawCalls() { return state().draws; }
void clearDrawCalls() { state().draws.clear(); }
int liveTextures() { return static_cast<int>(state().liveTextures.size()); }
int createdTextures() { return static_cast<int>(state().nextTexture - 1); }

const std::vector<SoundCall>& soundCalls() { return state().sounds; }
void clearSoundCalls() { state().sounds.clear(); }
std::string sampleFile(int sample) {
    const auto found = state().samples.find(sample);
    return found == state().samples.end() ? "" : found->second;
}

void setFramebuffer(std::vector<uint8_t> rgb) { state().framebuffer = std::move(rgb); }

}  // namespace headless

namespace plat {

bool init() {
    if (state().failInit) {
        state().error = "headless: init refused";
        return false;
    }
    return true;
}

void shutdown() { state().window.open = false; }

bool setVideoMode(int32_t width, int32_t height, bool fullscreen) {
    if (state().failVideo || width < 1 || height < 1) {
        state().error = "headless: no video mode";
        return false;
    }
    headless::Window& w = state().window;
    w.width = width;
    w.height = height;
    w.fullscreen = fullscreen;
    w.open = true;
    w.videoModes += 1;
    // Unless told otherwise, a new video mode loses every texture, as a new GL context does.
    if (!state().keepContext) state().liveTextures.clear();
    return true;
}

bool desktopSize(int32_t& width, int32_t& height) {
    if (state().desktopW < 1 || state().desktopH < 1) return false;
    width = state().desktopW;
    height = state().desktopH;
    return true;
}
bool keptContext() { return state().keepContext; }
void waitForEvent() { state().window.eventWaits += 1; }
WindowEvents takeWindowEvents() {
    const WindowEvents events = state().events;
    state().events = WindowEvents();
    return events;
}

void initView(int32_t, int32_t, const ViewRect& picture) { state().window.picture = picture; }
void initGlState() {}
void setCaption(const std::string& caption) { state().window.caption = caption; }
void setIcon(const std::string& bmpFile) {
    if (std::filesystem::exists(bmpFile)) state().window.icon = bmpFile;
}
void iconify() { state().window.iconified += 1; }
int showCursor(int toggle) {
    if (toggle == 0 || toggle == 1) state().window.cursorShown = toggle;
    return state().window.cursorShown;
}
void present() {
    state().window.presents += 1;
    state().backBuffer = state().framebuffer;
}
void swapBuffers() {
    state().window.swaps += 1;
    state().backBuffer.clear();
}
std::string errorText() { return state().error; }

uint32_t ticks() { return state().clock; }
void delay(uint32_t ms) { state().clock += ms; }

bool pollQuit() {
    const bool quit = state().quitPending;
    state().quitPending = false;
    return quit;
}
bool takeFocusLoss() {
    const bool lost = state().focusLost;
    state().focusLost = false;
    return lost;
}
uint8_t mouseButtons() { return state().mouseButtons; }
void mousePosition(int32_t& x, int32_t& y) {
    x = state().mouseX;
    y = state().mouseY;
}
void keyboardState(bool* down, int count) {
    for (int i = 0; i < count; ++i) {
        down[i] = static_cast<size_t>(i) < state().keys.size() && state().keys[static_cast<size_t>(i)];
    }
}

int numJoysticks() { return static_cast<int>(state().joysticks.size()); }
bool joystickOpen(int index) {
    Joy* joy = joystickAt(index);
    if (joy == nullptr || state().failJoysticks) {
        state().error = "headless: no joystick";
        return false;
    }
    joy->open = true;
    return true;
}
int joystickNumButtons(int index) {
    Joy* joy = joystickAt(index);
    return joy == nullptr ? 0 : joy->buttons;
}
void joystickClose(int index) {
    Joy* joy = joystickAt(index);
    if (joy != nullptr) joy->open = false;
}
void joystickUpdate() {}
bool joystickButton(int index, int button) {
    Joy* joy = joystickAt(index);
    return joy != nullptr && joy->open && button >= 0 && button < joy->buttons &&
           joy->down[static_cast<size_t>(button)];
}
int16_t joystickAxis(int index, int axis) {
    Joy* joy = joystickAt(index);
    if (joy == nullptr || !joy->open || axis < 0 || axis > 1) return 0;
    return joy->axes[static_cast<size_t>(axis)];
}
uint8_t joystickHat(int index) {
    Joy* joy = joystickAt(index);
    return joy == nullptr || !joy->open ? 0 : joy->hat;
}

std::vector<uint8_t> readPixels(int32_t width, int32_t height) {
    if (state().backBuffer.size() == static_cast<size_t>(width) * static_cast<size_t>(height) * 3) {
        return state().backBuffer;
    }
    return std::vector<uint8_t>(static_cast<size_t>(width > 0 ? width : 0) *
                                static_cast<size_t>(height > 0 ? height : 0) * 3);
}

void clear() { record(headless::DrawCall::CLEAR); }
void begin2D() { record(headless::DrawCall::BEGIN_2D); }
void setBlend(int32_t mode) { record(headless::DrawCall::BLEND).blend = mode; }

uint32_t createTexture(const Image&) {
    const uint32_t id = state().nextTexture++;
    state().liveTextures.insert(id);
    return id;
}
void deleteTexture(uint32_t id) { state().liveTextures.erase(id); }

void drawTexturedQuad(const TexturedQuad& quad) { record(headless::DrawCall::QUAD).quad = quad; }
void drawGlyphRun(const GlyphRun& run) { record(headless::DrawCall::GLYPHS).glyphs = run; }
void drawBox(const Box& box) { record(headless::DrawCall::BOX).box = box; }

bool openAudio() {
    if (state().failAudio) {
        state().error = "headless: no audio device";
        return false;
    }
    state().window.audioOpen = true;
    return true;
}
void closeAudio() { state().window.audioOpen = false; }

int loadSample(const std::string& file) {
    if (!std::filesystem::is_regular_file(file)) {
        state().error = "Couldn't open " + file;
        return 0;
    }
    const int handle = state().nextSample++;
    state().samples[handle] = file;
    recordSound("load", file, 0, 0);
    return handle;
}
void freeSample(int sample) {
    recordSound("free", headless::sampleFile(sample), 0, 0);
    state().samples.erase(sample);
}
void playSample(int sample, int32_t loops, int32_t channel) {
    recordSound("play", headless::sampleFile(sample), loops, channel);
}
void haltChannel(int32_t channel) { recordSound("halt", "", 0, channel); }

bool loadMusic(const std::string& file) {
    if (!std::filesystem::is_regular_file(file)) {
        state().error = "Couldn't open " + file;
        return false;
    }
    state().music = file;
    recordSound("loadMusic", file, 0, 0);
    return true;
}
bool playMusic(int32_t loops, int32_t fadeInMs) {
    recordSound("playMusic", state().music, loops, fadeInMs);
    return true;
}
void fadeOutMusic(int32_t ms) { recordSound("fadeOut", state().music, 0, ms); }
void haltMusic() { recordSound("haltMusic", state().music, 0, 0); }
void pauseMusic() { recordSound("pauseMusic", state().music, 0, 0); }
void resumeMusic() { recordSound("resumeMusic", state().music, 0, 0); }
void setMuted(bool muted) { recordSound(muted ? "mute" : "unmute", "", 0, 0); }
void setMusicVolume(int32_t volume) { recordSound("musicVolume", "", 0, volume); }
void setEffectsVolume(int32_t volume) { recordSound("effectsVolume", "", 0, volume); }
void freeMusic() {
    recordSound("freeMusic", state().music, 0, 0);
    state().music.clear();
}

void holdPlayerFiles() { state().holds += 1; }
void releasePlayerFiles() { state().holds -= 1; }
void playerFilesChanged() {}
bool keepsPlayerFiles() { return true; }
bool canQuit() { return !state().page; }
bool canOfferFiles() { return state().page; }
bool offerFile(const std::string& file) {
    state().offered.push_back(file);
    return true;
}
std::string takeHandedFile() {
    std::string handed;
    handed.swap(state().handed);
    return handed;
}

}  // namespace plat
