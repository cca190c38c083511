// The logo splash shown at start-up.
#include "state/logo_main.h"

#include "state/help_main.h"
#include "state/watch_request.h"
#include "tolm2/tolm2.h"

LogoMain::LogoMain() { setMsg(MSG_STAY); }

void LogoMain::step() {
    if (!loaded) {
        loaded = true;
        Tolm_loadTexture("logo", "resource/image/logo.bmp", MASK_GREEN);
    }
    frameCount += 1;
    const bool skip = (Tolm_mousePushed() & MOUSE_LEFT) != 0 || keys.pushA(false);
    if (skip || frameCount > LOGO_FRAMES) {
        // "-watch FILE" goes straight from the logo to the game it names; the first start
        // shows how to play.
        if (watchRequested()) {
            setMsg(MSG_WATCH);
        } else {
            setMsg(helpOpensFirst() ? MSG_HELP : MSG_TITLE);
        }
    }
}

void LogoMain::draw() {
    Tolm_clear();
    Tolm_begin2D();
    Tolm_setBlendMode(BLEND_ALPHA);
    Tolm_drawTexture("logo", 160.0f, 120.0f, 0, 0, 320, 320, 1.0f, 1.0f, 0.0f, 255, 255, 255, 255);
}
