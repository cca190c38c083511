// Pause and mute on the real game: looking away, P, and M kept from one run to the next.
#include <gtest/gtest.h>

#include <cstdlib>
#include <thread>

#include "board_reader.h"
#include "e2e_files.h"
#include "game_checks.h"
#include "game_process.h"
#include "player.h"
#include "support/scratch.h"

using namespace std::chrono_literals;

namespace {

constexpr int FRAMES_PER_SECOND = 60;

// Gives the keyboard focus to window, as a window manager does when the player clicks it.
void focus(const std::string& window) {
    ASSERT_EQ(runCommand({"xdotool", "windowfocus", "--sync", window}).status, 0);
}

// The root window: focused, it leaves the game without the focus, like another program.
std::string rootWindow() {
    std::string id = runCommand({"xdotool", "search", "--maxdepth", "0", "--name", ""}).output;
    return id.substr(0, id.find('\n'));
}

using PauseGame = GameOnDisplay;

TEST_F(PauseGame, LookingAwayForFiveSecondsCostsTheClockNothing) {
    GameProcess game;
    Player player(game);
    player.reachTitle();
    player.startMode(MODE_LINE);
    focus(game.window());
    const int before = readClock(player.lookAway()).value_or(-1);
    focus(rootWindow());
    std::this_thread::sleep_for(500ms);  // the pause text is shown, then nothing changes
    const double cpuBefore = game.cpuSeconds();
    std::this_thread::sleep_for(5s);
    // A loose bound for a busy machine; the benchmark measures the figure itself.
    EXPECT_LT((game.cpuSeconds() - cpuBefore) / 5 * 100, 1.5) << "% of a core while paused";
    focus(game.window());
    const Image away = player.lookAway();
    const int after = readClock(away).value_or(-1);
    ASSERT_GT(before, 0);
    EXPECT_LT(before - after, FRAMES_PER_SECOND / 5) << "lost more than 0.2 s";
    EXPECT_TRUE(findCards(away).empty()) << "the board is hidden while paused";

    player.tap(600, 400);  // resumes
    std::this_thread::sleep_for(1s);
    EXPECT_LT(readClock(player.lookAway()).value_or(FULL_CLOCK), after) << "the clock runs again";
    game.pressKey("Escape");
    EXPECT_EQ(game.waitExit(), 0);
}

TEST_F(PauseGame, PHidesTheBoardAndTheClickThatResumesPicksNothing) {
    GameProcess game;
    Player player(game);
    player.reachTitle();
    player.startMode(MODE_LINE);
    game.pressKey("p");
    const Image paused = player.lookAway();
    EXPECT_TRUE(findCards(paused).empty());

    // Resume on card 0 (red 0), then take green 5 with its twin: had the resuming click
    // picked card 0, the first of these would be judged against it and miss.
    player.tapCard(gridPlace(0));
    player.tapCard(gridPlace(15));
    player.tapCard(gridPlace(45));
    std::this_thread::sleep_for(200ms);
    EXPECT_GT(readScore(player.lookAway()).value_or(0), 0);
    game.pressKey("Escape");
    EXPECT_EQ(game.waitExit(), 0);
}

// A config.ini from before the key existed loads; M is kept and shown from run to run.
TEST_F(PauseGame, MuteIsKeptAcrossRunsAndShowsItsMarker) {
    const auto markerPixels = [](const Image& shot) {
        size_t white = 0;
        for (int y = 470; y < 478; ++y) {
            for (int x = 4; x < 36; ++x) white += distance(pixelAt(shot, x, y), {255, 255, 255}) < 40;
        }
        return white;
    };
    const std::string older = configText();
    for (const bool mutedBefore : {false, true}) {
        std::filesystem::remove("run.log");  // nothing of the last run may be read as this one's
        GameProcess game;
        Player player(game);
        EXPECT_EQ(markerPixels(player.reachTitle()) > 0, mutedBefore);
        game.pressKey("m");
        std::this_thread::sleep_for(200ms);
        EXPECT_EQ(markerPixels(player.lookAway()) > 0, !mutedBefore);
        game.pressKey("Escape");
        EXPECT_EQ(game.waitExit(), 0);
        EXPECT_EQ(readFile("config.ini"), older + (mutedBefore ? "MUTE = 0\n" : "MUTE = 1\n"));
    }
}

}  // namespace
