// A scripted player for the end-to-end tests: through the logo and the title into a
// mode, pairs taken with real clicks and checked on the screen, and back from the results.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <vector>

#include "board_reader.h"
#include "config/mode_table.h"
#include "game_process.h"
#include "tolm2/viewport.h"

inline constexpr int FULL_CLOCK = 10800;       // frames of a whole game
inline constexpr int TURN_DOWN_FRAMES = 1800;  // face-up time in MEMORY and REVERSE
inline constexpr int FRAME_MS = 16;
// Title: where the best score of a mode is written.
inline constexpr int TITLE_SCORE_X = 350;
inline constexpr float TITLE_SCORE_SCALE = 2.5f;
int titleRowY(int mode);

// A card's place on the screen, top-left corner in window pixels.
struct Place {
    int x = 0;
    int y = 0;
};
// Place i of the grid of LINE, SHUFFLE and MEMORY.
Place gridPlace(int index);
inline Place placeOf(const SeenCard& card) { return {card.x, card.y}; }

// How often run.log holds exactly this line.
size_t countLogLines(const std::string& line);

class Player {
public:
    using Clock = std::chrono::steady_clock;

    // picture: where the window shows the 640 x 480 picture. The player looks at and
    // clicks on that picture; every place below is in its logical pixels.
    explicit Player(GameProcess& game, const ViewRect& picture = {0, 0, 640, 480});

    // A fresh screenshot; lookAway first moves the pointer off the board, so that no card
    // shows the hover highlight. Every look notes the game clock it shows.
    Image look();
    Image lookAway();
    // Clicks and then lets a few frames pass, so that the next click is a new press.
    void tap(int x, int y);
    void tapCard(Place place);

    // Keys alone from now on: the pointer stays where it is and is never clicked; Z skips
    // the logo and leaves the results, and modes are chosen with Down and Z.
    void useKeysOnly() { keysOnly = true; }
    // Presses each key in turn, letting frames pass between, so each is a new press.
    void press(const std::vector<std::string>& keys);

    // Waits for the first frame and clicks (or presses Z), which skips the logo; the title
    // that follows may end the run at once. reachTitle also waits until the title is drawn,
    // leaving how to play first where a first start opens it.
    void skipLogo();
    Image reachTitle();
    // A click outside the pages of how to play (or B when keys only), back to the title.
    void leaveHelp();
    // Clicks the mode's row; chooseMode (which highlights it with Down when keys only)
    // also waits until the game has set up (READY shows).
    void clickMode(int mode);
    void chooseMode(int mode);
    // Waits until the clock runs; returns that first picture.
    Image waitForPlay();
    Image startMode(int mode) {
        chooseMode(mode);
        return waitForPlay();
    }

    // Takes the pair of still cards a and b (first a, then b) and checks by the score that
    // they went. A lost click is made again; false when the pair would not go.
    bool takeStillPair(Place a, Place b);
    // Turns the face-down still card at place up, with nothing picked; true once its number
    // shows and nothing is picked.
    bool turnUp(Place place);
    // Takes one pair of moving (MIXER) cards, of the same number where it can, aiming
    // where each card will be by the time the click lands; turns up cards a miss turned
    // down. False when the results show or no pair went before the deadline.
    bool takeMovingPair(std::chrono::milliseconds timeout);

    // Polls until the results screen shows; throws runtime_error at the deadline.
    Image waitForResults(std::chrono::milliseconds timeout);
    // Waits for the exit prompt, clicks outside the mode rows and waits for the drawn
    // title, which it returns.
    Image leaveResults();

    long score() const { return lastScore; }
    int lowestClockSeen() const { return lowestClock; }
    // No frame of play came before this moment (a picture asked for then still showed
    // the full clock) ...
    Clock::time_point beforePlay() const { return readyLastAsked; }
    // ... and play had ended by this one.
    Clock::time_point resultsSeen() const { return resultsSeenAt; }

private:
    // A card of MIXER in one picture: its speed in pixels per frame when it could be
    // followed from the picture before, and where its centre will be at the click.
    struct Moving {
        SeenCard card;
        double vx = 0;
        double vy = 0;
        bool followed = false;
        double aimX = 0;
        double aimY = 0;
    };
    static double clearanceOf(const Moving& moving, const std::vector<Moving>& cards);
    static std::vector<Moving> tracked(const std::vector<SeenCard>& cards,
                                       const std::vector<SeenCard>& before, int frames);
    static const Moving* firstCard(const std::vector<Moving>& cards, bool anyColour);
    const Moving* secondCardFor(const Pick& pick, const std::vector<Moving>& cards,
                                bool anyColour) const;
    void learnLag(const Pick& pick, const std::vector<SeenCard>& seen);

    enum class Outcome { TAKEN, PICKED, NOTHING, UNREADABLE };
    // What the screen shows after clicks on a pair when the score stood at before.
    Outcome outcomeSince(long before);
    Image waitForTitleDrawn(size_t titlesBefore);

    void pointAt(int x, int y);

    GameProcess& game;
    ViewRect picture;
    long lastScore = 0;
    int lowestClock = FULL_CLOCK;
    Clock::time_point readyLastAsked{};
    Clock::time_point resultsSeenAt{};
    // Where the click that made the current pick aimed, and how fast that card went.
    struct Aim {
        Place at;
        double vx = 0;
        double vy = 0;
        bool learned = false;
    };
    std::optional<Aim> pickAim;
    double extraLag;
    bool keysOnly = false;
};
