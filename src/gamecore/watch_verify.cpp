// The rules of a watched game run alone, as fast as they go, for its verdict.
#include "gamecore/watch_verify.h"

#include "gamecore/game_main.h"
#include "tolm2/tolm2.h"

namespace {

// The playing scene with what it does beside its rules left out; the rules are the same.
class RulesOnlyGame : public GameMain {
public:
    explicit RulesOnlyGame(const WatchedGame& watched) : GameMain(watched) {}

protected:
    void loadSceneResources() override {}
    void playSound(const std::string&) override {}
    void playMusic(const std::string&, int32_t) override {}
};

// Set-up, the READY countdown and a whole game, with a frame to spare.
constexpr int32_t LAST_FRAME = 1 + READY_FRAMES + 1 + GAME_FRAMES + 1;

// Puts the log back as it was, however the check ends.
class SilentLog {
public:
    SilentLog() : was(Tolm_setLogSilent(true)) {}
    ~SilentLog() { Tolm_setLogSilent(was); }
    SilentLog(const SilentLog&) = delete;
    SilentLog& operator=(const SilentLog&) = delete;

private:
    bool was;
};

}  // namespace

WatchVerdict verifyWatch(const WatchedGame& watched) {
    const SilentLog silent;
    RulesOnlyGame game(watched);
    for (int32_t frame = 0; frame < LAST_FRAME && game.getScene() < GameMain::RESULTS; ++frame) {
        game.step();
    }
    if (game.getScene() < GameMain::RESULTS) {
        throw TolmError(watched.file + ": the game did not end");
    }
    return game.watchVerdict();
}
