// HelpMain: the how-to-play screen, its pages and the ways back to the title.
#include "state/help_main.h"

#include <string>

#include "config/config_file.h"
#include "config/config_parser.h"
#include "gamecore/card_picture.h"
#include "state/help_pages.h"
#include "state/side_arrows.h"
#include "tolm2/tolm2.h"

namespace {

// The pages' panel: a left click outside it goes back.
constexpr int32_t PANEL_X = 50;
constexpr int32_t PANEL_Y = 50;
constexpr int32_t PANEL_W = 540;
constexpr int32_t PANEL_H = 400;

bool insidePanel(int32_t x, int32_t y) {
    return x >= PANEL_X && x < PANEL_X + PANEL_W && y >= PANEL_Y && y < PANEL_Y + PANEL_H;
}

}  // namespace

bool helpOpensFirst() { return config_file::isMissing(CONFIG_FILE); }

HelpMain::HelpMain() {
    Tolm_log("HelpMain\n");
    setMsg(MSG_STAY);
}

void HelpMain::step() {
    if (!loaded) {
        loaded = true;
        loadCardPictures();
    }
    if (keys.pushB(false) || Tolm_keyPushed(KEY_H)) return leave();
    if ((Tolm_mousePushed() & MOUSE_LEFT) != 0) {
        const int32_t x = Tolm_mouseX();
        const int32_t y = Tolm_mouseY();
        if (!insidePanel(x, y)) return leave();
        turn(sideArrowAt(x, y));
    }
    if (keys.pushLeft(false)) turn(-1);
    if (keys.pushRight(false)) turn(1);
    if (keys.pushA(false)) {
        if (page == HELP_PAGES - 1) return leave();
        turn(1);
    }
}

// A turn past the first or the last page does nothing.
void HelpMain::turn(int32_t by) {
    const int32_t next = page + by;
    if (by == 0 || next < 0 || next >= HELP_PAGES) return;
    page = next;
    Tolm_playWAV("select", 0, -1);
}

void HelpMain::draw() {
    Tolm_clear();
    Tolm_begin2D();
    Tolm_setBlendMode(BLEND_ALPHA);
    Tolm_drawBox(PANEL_X, PANEL_Y, PANEL_W, PANEL_H, 0, 0.0f, 0, 0, 100, 255);
    Tolm_drawText("HOW TO PLAY", 188, 62, 3.0f, 255, 255, 0, 255);
    const std::string number = std::to_string(page + 1) + "/" + std::to_string(HELP_PAGES);
    Tolm_drawText(number, 536, 68, 1.5f, 150, 200, 255, 255);
    drawSideArrows(page > 0, page < HELP_PAGES - 1);
    drawHelpPage(page);
    Tolm_drawText("LEFT RIGHT: PAGE   B H: BACK", 152, 424, 1.5f, 150, 200, 255, 255);
}
