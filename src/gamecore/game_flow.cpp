// Game flow: the READY countdown, the frame of play, card timers and MIXER motion.
#include "gamecore/game_main.h"
#include "gamecore/whole_degrees.h"
#include "tolm2/tolm2.h"

namespace {

constexpr float WALL_LOW = 0.0f;
constexpr float WALL_HIGH = 300.0f;

}  // namespace

void GameMain::stepReady() {
    if (readyCounter < READY_FRAMES) {
        ++readyCounter;
        return;
    }
    playMusic("resource/sound/bgm_mogmog.ogg", -1);
    scene = PLAYING;
    readyCounter = 0;
}

void GameMain::drawReady() {
    if (readyCounter > GO_FROM) {
        Tolm_drawText(" GO! ", 155, 200, 4.0f, 255, 255, 255, 255);
    } else {
        Tolm_drawText("READY", 150, 200, 4.0f, 255, 255, 255, 255);
    }
}

// The keypad has just stored this frame; a watched game takes its recorded buttons instead.
void GameMain::stepPlay() {
    input.advance(keypad->stateAt(keypad->getFrame()));
    timeLeft -= 1;
    runCardTimers();
    moveCards();
    if (input.leftPushed()) click();
    stepCursor();
    if (input.secondClosed()) input.noteDigest(stateDigest(), timeLeft);
    if (gameIsOver()) endGame();
}

// Taken and picked cards lose life too; only cards on the board show it.
void GameMain::runCardTimers() {
    for (int32_t i = 0; i < cardCount; ++i) card(i).life -= 1;
}

bool GameMain::gameIsOver() const {
    return takenCount == cardCount || timeLeft <= 0 || openGroups == 0;
}

void GameMain::moveCards() {
    for (int32_t i = 0; i < cardCount; ++i) {
        Card& moving = card(i);
        if (moving.state == 0) moveCard(moving);
    }
}

// Bounces off the walls of the board by reflecting the heading. The remainders keep
// the sign of the left operand, so headings may turn negative, within -359..359.
void GameMain::moveCard(Card& moving) {
    Card& trial = card(SCRATCH);
    const int32_t heading = moving.angle;
    double cos = degreeCos(heading);
    double sin = degreeSin(heading);
    trial.x = moving.x + static_cast<float>(cos * moving.speed);
    trial.y = moving.y + static_cast<float>(sin * moving.speed);
    if (trial.x < WALL_LOW) moving.angle = (180 - moving.angle) % 360;
    if (trial.x > WALL_HIGH) moving.angle = (180 - moving.angle) % 360;
    if (trial.y < WALL_LOW) moving.angle = (360 - moving.angle) % 360;
    if (trial.y > WALL_HIGH) moving.angle = (360 - moving.angle) % 360;
    // Looked up again only when a wall turned the card: a replay checks a whole game in
    // milliseconds.
    if (moving.angle != heading) {
        cos = degreeCos(moving.angle);
        sin = degreeSin(moving.angle);
    }
    moving.x += static_cast<float>(cos * moving.speed);
    moving.y += static_cast<float>(sin * moving.speed);
}

// Strict on all four sides: the cell's left column and top row do not hit.
bool GameMain::isUnderMouse(const Card& target, int32_t mx, int32_t my) const {
    const double rx = mx - boardX;
    const double ry = my - boardY;
    const double size = CARD_SIZE;
    return target.x < rx && rx < target.x + size && target.y < ry && ry < target.y + size;
}
