// Watching: the file saved with a record, the score check, leaving, and the extra drawing.
#include "gamecore/game_main.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <string>

#include "config/mode_table.h"
#include "tolm2/tolm2.h"

namespace {

constexpr int32_t CROSS_ARM = 7;
constexpr int32_t CROSS_WIDTH = 3;

template <typename T>
void append(std::string& bytes, T value) {
    char raw[sizeof value];
    std::memcpy(raw, &value, sizeof value);
    bytes.append(raw, sizeof value);
}

}  // namespace

// Called by saveRecord beside the replay save; a failure is logged and the record kept.
void GameMain::saveWatch() {
    try {
        saveWatchFile(watchFile(gameMode), recording());
    } catch (const std::exception& e) {
        Tolm_logError(e);
    }
}

// What the rules decide from, once a second of play. A taken card counts as taken however
// far its take animation has got, since drawing (which pauses skip) counts that up.
uint32_t GameMain::stateDigest() const {
    std::string bytes;
    for (int32_t value : {score, timeLeft, firstPick, secondPick, takenCount, openGroups,
                          cursor.at()}) {
        append(bytes, value);
    }
    for (int32_t i = 0; i < cardCount; ++i) {
        const Card& c = card(i);
        for (int32_t value : {std::min(c.state, 2), c.life, c.angle}) append(bytes, value);
        for (float value : {c.x, c.y}) append(bytes, value);
    }
    return watchChecksum(bytes);
}

// A mismatch names the first second whose state differed, as the clock showed it, or the
// end when only the score did.
WatchVerdict GameMain::watchVerdict() const {
    const WatchedGame& watched = input.watchedGame();
    WatchVerdict verdict;
    verdict.mode = gameMode;
    verdict.recorded = watched.record.score;
    verdict.replayed = score;
    verdict.digests = input.notedDigests();
    if (input.firstMismatch() || watched.record.score != score) {
        verdict.mismatchAt = input.firstMismatch().value_or(timeLeft);
    }
    return verdict;
}

// Called at the end of a watched game instead of saving.
void GameMain::reportWatch() {
    const WatchVerdict verdict = watchVerdict();
    if (verdict.verified()) {
        Tolm_log("Watch %s: VERIFIED %d\n", input.watchedGame().file.c_str(), score);
    } else {
        Tolm_log("Watch %s: %s\n", input.watchedGame().file.c_str(), mismatchText(verdict).c_str());
    }
}

// Live clicks play no part in a watched game; a left one, on any of its screens, ends
// the watching and goes back to the title.
bool GameMain::leftWatching() {
    if (!input.replaying() || scene < READY || scene > RESULTS) return false;
    if ((Tolm_mousePushed() & MOUSE_LEFT) == 0) return false;
    scene = CLOSING;
    return true;
}

// "REPLAY" above the board and the recorded pointer as a cross, red while its left
// button is held.
void GameMain::drawWatching() {
    if (scene < READY || scene > RESULTS) return;
    Tolm_drawText("REPLAY", 168, 11, 2.0f, 255, 100, 100, 255);
    const int32_t x = input.x();
    const int32_t y = input.y();
    const int green = input.leftHeld() ? 50 : 255;
    const int32_t span = 2 * CROSS_ARM + 1;
    Tolm_drawBox(x - CROSS_ARM, y - 1, span, CROSS_WIDTH, 0, 0.0f, 255, green, 50, 255);
    Tolm_drawBox(x - 1, y - CROSS_ARM, CROSS_WIDTH, span, 0, 0.0f, 255, green, 50, 255);
}

// Under the replayed score, where a live game writes " NEW RECORD ".
void GameMain::drawWatchResult() {
    const WatchVerdict verdict = watchVerdict();
    if (verdict.verified()) {
        Tolm_drawText("VERIFIED", 123, 280, 3.0f, 100, 255, 100, 255);
    } else {
        const std::string at = clockText(verdict.mismatchAt.value_or(timeLeft));
        Tolm_drawText("MISMATCH AT " + at, 59, 280, 2.5f, 255, 50, 50, 255);
    }
}
