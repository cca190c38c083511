// The scene loop: one pass per frame, switching scenes by the message the current one left.
#include "state/scene_loop.h"

#include <memory>

#include "gamecore/game_main.h"
#include "gamecore/shared_resources.h"
#include "state/help_main.h"
#include "state/logo_main.h"
#include "state/mute_setting.h"
#include "state/option_rows.h"
#include "state/options_main.h"
#include "state/scores_main.h"
#include "state/title_main.h"
#include "state/watch_request.h"
#include "tolm2/game_state.h"
#include "tolm2/tolm2.h"

namespace {

std::unique_ptr<GameState> scene;

// The watched game, or the title when none waits.
std::unique_ptr<GameState> watchScene() {
    std::optional<WatchedGame> watched = takeWatchRequest();
    if (!watched) return std::make_unique<TitleMain>();
    return std::make_unique<GameMain>(std::move(*watched));
}

// The scene a message asks for, or nullptr for a message outside the known ones.
std::unique_ptr<GameState> sceneFor(int32_t message) {
    switch (message) {
        case MSG_LOGO: return std::make_unique<LogoMain>();
        case MSG_TITLE: return std::make_unique<TitleMain>();
        case MSG_GAME: return std::make_unique<GameMain>();
        case MSG_WATCH: return watchScene();
        case MSG_SCORES: return std::make_unique<ScoresMain>();
        case MSG_OPTIONS: return std::make_unique<OptionsMain>();
        case MSG_HELP: return std::make_unique<HelpMain>();
        default: return nullptr;
    }
}

// Where the program cannot end itself, Escape leaves any scene but the title for the
// title: a game so left ends as the desktop's Escape ends it, with nothing saved.
bool escapedToTitle() {
    return !Tolm_canQuit() && Tolm_keyPushed(KEY_ESCAPE) &&
           dynamic_cast<TitleMain*>(scene.get()) == nullptr;
}

}  // namespace

void loadResources() {
    loadSharedResources();
    restoreMute();
    restoreVolumes();
    Tolm_log("resource loaded.\n");
}

bool execLoop() {
    bool result = true;
    if (!scene) {
        scene = std::make_unique<LogoMain>();
        Tolm_log("Exec loop.\n");
    } else if (escapedToTitle()) {
        scene = std::make_unique<TitleMain>();
    } else {
        const int32_t message = scene->getMsg();
        if (message != MSG_STAY) {
            std::unique_ptr<GameState> next = sceneFor(message);
            if (next) {
                scene = std::move(next);
            } else {
                result = false;
                Tolm_log("Unknown msg at loop.");
            }
        }
    }
    serveMuteKey();
    scene->step();
    if (Tolm_frameWanted()) {
        scene->draw();
        drawMuteMarker();
    }
    return result;
}

GameState* currentScene() { return scene.get(); }

void resetSceneLoop() { scene.reset(); }
