// The playing scene's pictures: board, HUD, combo box, take animation, sparks, pop-ups.
#include "gamecore/game_main.h"

#include <cstddef>
#include <cstdio>
#include <string>

#include "gamecore/card_picture.h"
#include "gamecore/combo.h"
#include "tolm2/rgb.h"
#include "tolm2/tolm2.h"

namespace {

// Source regions in "tama", image pixels.
constexpr int32_t HIGHLIGHT_X = 64;
constexpr int32_t PICKED_FRAME_X = 96;
constexpr int32_t SPARK_X = 128;
constexpr int32_t SPARK_SIZE = 4;

constexpr int32_t LAST_ANIMATION_STATE = 32;
constexpr int32_t POPUP_FRAMES = 60;
constexpr int32_t NUMBER_LINES_SHIFT = 50;

constexpr Rgb WHITE = {255, 255, 255};
constexpr Rgb YELLOW_TEXT = {255, 255, 0};
constexpr Rgb TEAL = {0, 100, 100};
constexpr Rgb BLACK = {0, 0, 0};
constexpr Rgb RED_LABEL = {255, 100, 100};
constexpr Rgb GREEN_LABEL = {100, 255, 100};

void text(const std::string& s, int32_t x, int32_t y, float scale, Rgb c) {
    Tolm_drawText(s, x, y, scale, c.r, c.g, c.b, 255);
}

void filledBox(int32_t x, int32_t y, int32_t w, int32_t h, Rgb c) {
    Tolm_drawBox(x, y, w, h, 0, 0.0f, c.r, c.g, c.b, 255);
}

std::string formatted(const char* fmt, int32_t value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, fmt, value);
    return buffer;
}

}  // namespace

void GameMain::drawBoard() {
    stepTint();
    drawBackdrop();
    drawScorePanel();
    if (input.replaying()) {
        drawBoardCards(input.x(), input.y());
    } else {
        drawBoardCards(Tolm_mouseX(), Tolm_mouseY());
    }
    if (scene == PLAYING) cursor.draw();
    drawComboBox();
    drawTakeAnimations();
    drawPickPreviews();
    if (scene != RESULTS) drawClock();
    drawBonusPopups();
}

// The tinted frame and the empty board, under everything else.
void GameMain::drawBackdrop() {
    filledBox(10, 10, 630, 470, {tint[0], tint[1], tint[2]});
    filledBox(boardX, boardY, 332, 332, BLACK);
    Tolm_setBlendMode(BLEND_ALPHA);
}

// Every tint the game sets is even, so steps of 2 land on the target exactly.
void GameMain::stepTint() {
    for (std::size_t i = 0; i < tint.size(); ++i) {
        if (tint[i] < tintTarget[i]) {
            tint[i] += 2;
        } else if (tint[i] > tintTarget[i]) {
            tint[i] -= 2;
        }
    }
}

void GameMain::drawScorePanel() {
    text("SCORE", 400, 80, 2.0f, WHITE);
    text(std::to_string(score), 410, 110, 4.0f, WHITE);
    text("HI SCORE", 400, 10, 2.0f, WHITE);
    text(std::to_string(hiScore(gameMode)), 410, 30, 4.0f, WHITE);
}

// Cards on the board: face up at alpha 180, face down as a back, the pick at full
// strength with its frame; the highlight marks any unpicked card under the mouse.
void GameMain::drawBoardCards(int32_t mx, int32_t my) {
    for (int32_t i = 0; i < cardCount; ++i) {
        const Card& c = card(i);
        const float px = static_cast<float>(boardX) + c.x;
        const float py = static_cast<float>(boardY) + c.y;
        const int32_t nx = boardX + static_cast<int32_t>(c.x) + CARD_NUMBER_OFFSET;
        const int32_t ny = boardY + static_cast<int32_t>(c.y) + CARD_NUMBER_OFFSET;
        if (c.state == 0 && c.life > 0) {
            drawCardFace(c.color, px, py, 1.0f, 0.0f, 180);
            drawCardNumber(c.number, nx, ny, 2.0f);
        } else if (c.state == 0) {
            drawCardBack(px, py, 180);
        } else if (c.state == 1) {
            drawCardFace(c.color, px, py, 1.0f, 0.0f, 255);
            drawCardCell(px, py, PICKED_FRAME_X, 0, 200);
            drawCardNumber(c.number, nx, ny, 2.0f);
        }
        if (c.state == 0 && isUnderMouse(c, mx, my)) drawCardCell(px, py, HIGHLIGHT_X, 0, 255);
    }
}

void GameMain::drawComboBox() {
    filledBox(440, 335, 120, 56, TEAL);
    filledBox(444, 339, 112, 48, BLACK);
    text("COMBO BOX", 445, 330, 1.5f, RED_LABEL);
    for (int32_t k = 1; k <= COMBO_ENTRIES; ++k) {
        const Card& entry = comboBox(k - 1);
        drawTakeSummary(entry.color, entry.number, 417 + 34 * k, 350);
    }
}

// Taken cards fly off over 31 drawn frames (state 2..32, left at 33). The point texts
// belong to the last take and so coincide for the two cards of a pair.
void GameMain::drawTakeAnimations() {
    int32_t numberShift = 0;
    for (int32_t i = 0; i < cardCount; ++i) {
        Card& c = card(i);
        const int32_t s = c.state;
        if (s < 2 || s > LAST_ANIMATION_STATE) continue;
        const float grow = static_cast<float>(s);
        const float px = static_cast<float>(boardX) + c.x;
        const float py = static_cast<float>(boardY) + c.y;
        drawCardFace(c.color, px - grow, py - grow, grow / 16.0f + 1.0f, static_cast<float>(10 * s),
                 255 - 5 * s);
        drawCardNumber(c.number, boardX + static_cast<int32_t>(c.x) + CARD_NUMBER_OFFSET - s / 2,
                       boardY + static_cast<int32_t>(c.y) + CARD_NUMBER_OFFSET - s / 2,
                       2.0f + grow / 8.0f);
        c.state += 1;
        const int32_t rise = (s + 1) / 2;
        drawBurst(c.x, c.y, s + 1, c.angle);
        drawBurst(static_cast<float>(519 - boardX), static_cast<float>(350 - boardY), s + 1,
                  c.angle);
        drawTakeTexts(rise, numberShift);
    }
}

// Once a colour bonus has been written, the number-bonus lines of this whole frame
// stand 50 pixels lower.
void GameMain::drawTakeTexts(int32_t rise, int32_t& numberShift) {
    text(formatted("%03d", takeBase), 470, 210 - rise, 2.0f, {180, 180, 180});
    text(formatted("x%02d", takeMultiplier), 520, 210 - rise, 2.0f, {210, 210, 210});
    text("POINT", 430, 170 - rise, 2.0f, YELLOW_TEXT);
    text("+", 460, 190 - rise, 2.0f, YELLOW_TEXT);
    text(std::to_string(takeBase * takeMultiplier), 480, 190 - rise, 2.0f, YELLOW_TEXT);
    if (colorBonus > 999) {
        if (const char* label = colorBonusLabel(colorBonus)) {
            text(label, 430, 240 - rise, 2.0f, RED_LABEL);
        }
        text(formatted("+%04d", colorBonus), 450, 260 - rise, 2.0f, RED_LABEL);
        numberShift = NUMBER_LINES_SHIFT;
    }
    if (numberBonus > 999) {
        if (const char* label = numberBonusLabel(numberBonus)) {
            text(label, 430, 240 - rise + numberShift, 2.0f, GREEN_LABEL);
        }
        text(formatted("+%04d", numberBonus), 450, 260 - rise + numberShift, 2.0f, GREEN_LABEL);
    }
}

void GameMain::drawPickPreviews() {
    if (firstPick != NO_CARD) {
        filledBox(440, 185, 120, 116, TEAL);
        filledBox(444, 189, 112, 108, BLACK);
        const Card& first = card(firstPick);
        drawCardFace(first.color, 452.0f, 195.0f, 3.0f, 0.0f, 255);
        drawCardNumber(first.number, 476, 219, 6.0f);
    }
    if (secondPick != NO_CARD) {
        const Card& second = card(secondPick);
        drawCardFace(second.color, 550.0f, 195.0f, 3.0f, 0.0f, 255);
        drawCardNumber(second.number, 574, 219, 6.0f);
    }
}

void GameMain::drawClock() {
    char clockText[40];
    std::snprintf(clockText, sizeof clockText, "TIME %02d:%02d:%02d", timeLeft / 3600, (timeLeft / 60) % 60,
                  timeLeft % 60);
    text(clockText, 50, 30, 2.0f, WHITE);
    text(formatted("%03d", (timeLeft + 59) / 60), 330, 30, 2.0f, YELLOW_TEXT);
}

// Up to four rings of 13 dots about the cell whose top-left is board position (x, y);
// the outer rings appear as the score grows.
void GameMain::drawBurst(float x, float y, int32_t radius, int32_t angle) {
    const double cx = boardX + static_cast<double>(x) + 16.0;
    const double cy = boardY + static_cast<double>(y) + 16.0;
    const double r = radius;
    const auto dot = [cx, cy](double dx, double dy) {
        Tolm_drawTexture(CARD_TEXTURE, static_cast<float>(cx - 2.0 + dx),
                         static_cast<float>(cy - 2.0 + dy), SPARK_X, 0, SPARK_SIZE, SPARK_SIZE,
                         1.0f, 1.0f, 0.0f, 255, 255, 255, 255);
    };
    for (int32_t i = 0; i <= 12; ++i) {
        const double t1 = 40 * i - 4 * radius;
        dot(r * Tolm_cos(t1 + angle), r * Tolm_sin(t1));
        if (score > 30000) {
            const double t2 = 30 * i + 4 * radius;
            dot(1.5 * r * Tolm_cos(t2 + angle), 1.5 * r * Tolm_sin(t2));
        }
        if (score > 60000) {
            const double t3 = 30 * i - 4 * radius;
            dot(2.0 * r * Tolm_cos(t3), 2.0 * r * Tolm_sin(t3 + angle));
        }
        if (score > 90000) {
            const double t4 = 20 * i - 4 * radius;
            dot(2.0 * r * Tolm_cos(t4), 2.0 * r * Tolm_sin(t4));
        }
    }
}

// Each bonus of a pair flies out of the board's centre for 60 drawn frames, growing a
// step every 5 frames and fading; colour and number icons go opposite ways.
void GameMain::drawBonusPopups() {
    const int32_t frame = 2 - (timeLeft / 10) % 3;
    for (int32_t k = 0; k < PAIR_LOG_SIZE; ++k) {
        const int32_t age = popupAgeEntry(k);
        if (age >= POPUP_FRAMES) continue;
        const int32_t colorLogged = colorBonusEntry(k);
        const int32_t numberLogged = numberBonusEntry(k);
        const int32_t steps = age / 5;
        const double reach = 2.0 * (age + 5);
        const double heading = popupAngleEntry(k);
        const double baseX = boardX + 166 - 8 * steps;
        const double baseY = boardY + 166 - 8 * steps;
        const double offX = reach * Tolm_cos(heading);
        const double offY = reach * Tolm_sin(heading);
        const auto icon = [&](int32_t row, double x, double y) {
            drawComboIcon(row, frame, static_cast<float>(x), static_cast<float>(y),
                          static_cast<float>(steps), 255 - 3 * age);
        };
        if (colorLogged > 0) icon(colorIconRow(colorLogged), baseX + offX, baseY + offY);
        if (numberLogged > 0) icon(numberIconRow(numberLogged), baseX - offX, baseY - offY);
        if (colorLogged + numberLogged > 0) {
            popupAgeEntry(k) += 1;
            popupAngleEntry(k) += 3;
        }
    }
}
