// The frame heartbeat: pacing, input sampling, events, function keys, meters.
#include "tolm2/frame.h"

#include <string>

#include "tolm2/error.h"
#include "tolm2/font.h"
#include "tolm2/idle.h"
#include "tolm2/input.h"
#include "tolm2/internal.h"
#include "tolm2/platform/platform.h"
#include "tolm2/system.h"
#include "tolm2/texture.h"

namespace {

uint32_t lastTick = 0;  // the last frame's deadline, or its end when that was late
uint32_t lastEnd = 0;   // when the last wait really ended
uint32_t busyTime = 0;
bool quitRequested = false;
bool focusLost = false;
// F12 was pressed: the next Tolm_flip saves its frame before the swap, while the back
// buffer still holds it.
bool screenshotPending = false;
FrameMeter meter;

// Waits until period ms after lastTick; a deadline already passed shows as a huge
// unsigned remainder and does not wait.
uint32_t waitForDeadline(int32_t period) {
    uint32_t now = plat::ticks();
    uint32_t remaining = lastTick + static_cast<uint32_t>(period) - now;
    // One sleep for the rest of the frame, again if it woke early: a page pays for every
    // wake-up it asks of the browser.
    while (remaining >= 1 && remaining <= 9999) {
        plat::delay(remaining);
        now = plat::ticks();
        remaining = lastTick + static_cast<uint32_t>(period) - now;
    }
    return now;
}

void serveFunctionKeys() {
    if (Tolm_keyPushed(KEY_F4)) {
        Tolm_reloadTextures();
        Tolm_noteChange();
    }
    if (Tolm_keyPushed(KEY_F5)) {
        plat::iconify();
        // Without a window manager no event would say so.
        focusLost = true;
        Tolm_noteIconified();
    }
    if (Tolm_keyPushed(KEY_F9)) _toggleFullScreen();
    if (Tolm_keyPushed(KEY_F10)) Tolm_toggleCursor();
    if (Tolm_keyPushed(KEY_F12)) screenshotPending = true;
    if (Tolm_keyHeld(KEY_ESCAPE) && plat::canQuit()) quitRequested = true;
}

}  // namespace

void FrameMeter::addFrame(uint32_t busyMs, uint32_t now, int32_t period) {
    busyTime += busyMs;
    frameCounter += 1;
    if (lastSecondTick / 1000 != now / 1000) {
        fps_ = static_cast<int32_t>(frameCounter);
        cpu_ = static_cast<int32_t>(busyTime * 100 / (int64_t{period} * frameCounter));
        busyTime = 0;
        frameCounter = 0;
        lastSecondTick = now;
    }
}

int32_t Tolm_wait(int32_t period) {
    busyTime = plat::ticks() - lastEnd;
    if (lastTick == 0) lastTick = lastEnd = plat::ticks();
    uint32_t now = waitForDeadline(period);
    if (Tolm_idleFrame()) {
        plat::waitForEvent();
        now = plat::ticks();
    }
    const uint32_t elapsed = now - lastEnd;
    lastEnd = now;
    // The next deadline counts from this one unless this frame fell a period behind it.
    const uint32_t sinceDeadline = now - lastTick - static_cast<uint32_t>(period);
    lastTick = sinceDeadline < static_cast<uint32_t>(period) ? lastTick + static_cast<uint32_t>(period)
                                                            : now;

    Tolm_sampleInput();
    if (plat::pollQuit()) quitRequested = true;
    focusLost = plat::takeFocusLoss();
    const plat::WindowEvents events = plat::takeWindowEvents();
    Tolm_noteFrameEvents(events);
    if (events.resized) Tolm_resizeWindow(events.width, events.height);
    serveFunctionKeys();
    if (quitRequested) throw TolmError(QUIT_MESSAGE);

    meter.addFrame(busyTime, now, period);
    return static_cast<int32_t>(elapsed);
}

void Tolm_flip() {
    // An idle frame with nothing new keeps the picture on show as it is.
    if (!Tolm_frameWanted()) return;
    plat::present();
    if (screenshotPending) {
        screenshotPending = false;
        Tolm_screenShot();
    }
    plat::swapBuffers();
}

bool Tolm_focusLost() { return focusLost; }

bool Tolm_canQuit() { return plat::canQuit(); }

int32_t Tolm_getFps() { return meter.fps(); }
int32_t Tolm_getCpu() { return meter.cpu(); }

void Tolm_drawFps(int32_t x, int32_t y) {
    if (x < 0 || y < 0) {
        x = 10;
        y = Tolm_screenHeight() - 24;
    }
    Tolm_drawText("FPS:" + std::to_string(meter.fps()), x, y, 1.0f, 255, 255, 255, 255);
    Tolm_drawText("CPU:" + std::to_string(meter.cpu()), x, y + 8, 1.0f, 255, 255, 255, 255);
}

void Tolm_resetFrame() {
    lastTick = 0;
    lastEnd = 0;
    busyTime = 0;
    quitRequested = false;
    focusLost = false;
    screenshotPending = false;
    meter = FrameMeter();
}
