// A busy MIXER board for the benchmarks: cards moving, pairs taken, pop-ups flying.
#include "common/mixer_play.h"

#include "tolm2/tolm2.h"

namespace {

inline constexpr int32_t TAKE_ANIMATION_END = 33;
inline constexpr int32_t MAX_TAKES = 29;

// Takes the twin pair of card index (i and i + 30 are the same colour and number) so that
// consecutive takes earn COLOR and STEP bonuses, and the pop-ups fly.
void takeTwins(GameMain& game, int32_t index) {
    game.card(index).state = 1;
    game.card(index + 30).state = 1;
    game.setPicks(index, index + 30);
    game.takePair();
}

}  // namespace

void playUntilPlaying(GameMain& game) {
    while (game.getScene() != GameMain::PLAYING) {
        game.step();
        game.draw();
        Tolm_flip();
        Tolm_wait(FRAME_PERIOD);
    }
}

void takeOnSchedule(GameMain& game, int frame, int32_t& nextTake) {
    if (frame % TAKE_EVERY == 0 && nextTake < MAX_TAKES) takeTwins(game, nextTake++);
}

void returnTakenCards(GameMain& game) {
    for (int32_t i = 0; i < game.getCardCount(); ++i) {
        if (game.card(i).state >= TAKE_ANIMATION_END) game.card(i).state = 0;
    }
}
