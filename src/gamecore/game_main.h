// The playing scene: one timed game of cards in one of the seven modes.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <random>

#include "config/config_parser.h"
#include "config/game_limits.h"
#include "config/score_stats.h"
#include "gamecore/card.h"
#include "gamecore/card_cursor.h"
#include "gamecore/game_input.h"
#include "gamecore/watch_verdict.h"
#include "keypad/keypad.h"
#include "tolm2/game_state.h"
#include "tolm2/shared.h"

inline constexpr int32_t GAME_FRAMES = GAME_SECONDS * FRAMES_PER_SECOND;
inline constexpr int32_t FADE_LIFE = 1800;        // face-up time in MEMORY and REVERSE
inline constexpr int32_t BOARD_CARDS = 2 * BOARD_PAIRS;
inline constexpr int32_t PAIR_LOG_SIZE = BOARD_PAIRS;
inline constexpr int32_t HI_SCORE_SLOTS = 10;
inline constexpr int32_t READY_FRAMES = 180;      // readyCounter at which play starts
inline constexpr int32_t GO_FROM = 120;           // readyCounter above which " GO! " shows
inline constexpr int32_t RESULTS_WAIT = 120;      // resultsCounter above which a click leaves

// Made by the scene loop (or directly by a benchmark or soak test after
// Tolm_setValue(MODE_SLOT, mode)); step then draw once per frame. The first step runs
// setUp, which needs the framework started and "resource/" present. Framework errors
// (missing resource files, out-of-range table indices) propagate as
// TolmError; failed saves of records and of the default "config.ini" are logged only.
// An existing "config.ini" is never replaced except to change the finished mode's best.
class GameMain : public GameState {
public:
    enum SCENE : int32_t {
        SETUP = 0,
        READY = 1,
        PLAYING = 2,
        RESULTS = 3,
        CLOSING = 6,
        LEAVING = 10,
    };

    // Makes the keypad; loads nothing.
    GameMain();
    // A watched game: the recorded mode, seed, pointer and buttons drive it; live clicks
    // do nothing but a left one, which leaves, and live buttons nothing; nothing is saved.
    // Made by the scene loop.
    explicit GameMain(WatchedGame watched);

    // One frame of logic and one of drawing, dispatched on scene; the scene loop calls
    // them in this order every frame.
    void step() override;
    void draw() override;

    // First step: loads "tama", "menu" and the sounds, reads the seven bests (writing
    // defaults when "config.ini" does not exist) and lays out the board for the mode in
    // the mode slot. Throws for missing resources; a config that cannot be read is
    // logged (see best_scores::read).
    virtual void setUp();
    virtual void close();
    virtual void stepReady();
    virtual void drawReady();
    virtual void stepResults();
    virtual void drawResults();
    virtual void stepPlay();
    // Moves every unpicked card by its speed, bouncing off the board's walls.
    virtual void moveCards();
    // A left press during play: picks, drops, turns up or judges the card under the mouse.
    virtual void click();
    // Takes the two picked cards, which share a colour or a number, and scores them.
    virtual void takePair();
    // The board and HUD; also advances the tint, take animations and pop-ups one frame.
    virtual void drawBoard();
    // A ring of sparks about the cell at board position (x, y).
    virtual void drawBurst(float x, float y, int32_t radius, int32_t angle);
    virtual void drawBonusPopups();

    // Read access for tests, benchmarks and the display.
    SCENE getScene() const { return scene; }
    bool isPaused() const { return paused; }
    int32_t getReadyCounter() const { return readyCounter; }
    int32_t getResultsCounter() const { return resultsCounter; }
    int32_t getGameMode() const { return gameMode; }
    int32_t getHiScore(int32_t mode) const;
    int32_t getScore() const { return score; }
    int32_t getTimeLeft() const { return timeLeft; }
    int32_t getBoardX() const { return boardX; }
    int32_t getBoardY() const { return boardY; }
    int32_t getCardCount() const { return cardCount; }
    int32_t getTakenCount() const { return takenCount; }
    int32_t getFirstPick() const { return firstPick; }
    int32_t getSecondPick() const { return secondPick; }
    int32_t getOpenGroups() const { return openGroups; }
    int32_t getTakeBase() const { return takeBase; }
    int32_t getTakeMultiplier() const { return takeMultiplier; }
    int32_t getColorBonus() const { return colorBonus; }
    int32_t getNumberBonus() const { return numberBonus; }
    int32_t getCardLife() const { return cardLife; }
    // This game's place in its mode's top ten on the results screen; 0 when outside it,
    // unknown, or before the end.
    size_t getRank() const { return rank; }
    const std::array<int32_t, 3>& getTint() const { return tint; }
    const std::array<int32_t, 3>& getTintTarget() const { return tintTarget; }
    int32_t getColorBonusLog(int32_t pair) const;
    int32_t getNumberBonusLog(int32_t pair) const;
    int32_t getPopupAngle(int32_t pair) const;
    int32_t getPopupAge(int32_t pair) const;
    const Keypad& getKeypad() const { return *keypad; }
    const CardCursor& getCursor() const { return cursor; }
    bool isWatching() const { return input.replaying(); }
    // What drove this game so far: its mode, seed, score and pointer frames.
    WatchRecord recording() const { return input.recording(gameMode, score); }
    // A watched game, once it has ended: whether the replay matched its file. Throws
    // TolmError for a live game.
    WatchVerdict watchVerdict() const;

    // Bounds-checked entry of the card table (0..99); throws TolmError outside it.
    Card& card(int32_t index);
    const Card& card(int32_t index) const;
    const Card& lastTake() const { return card(LAST_TAKE); }
    // Combo-box entry 0 (oldest) .. 2 (newest).
    const Card& comboBox(int32_t entry) const;

    // Test and soak hooks: put the game into a chosen situation without playing to it.
    void setTimeLeft(int32_t frames) { timeLeft = frames; }
    void setScore(int32_t points) { score = points; }
    void setPicks(int32_t first, int32_t second);

protected:
    // What a game does beside its rules, which a game checked without sound or resources
    // (verifyWatch) leaves out. First step: loads "tama", "menu" and the sounds.
    virtual void loadSceneResources();
    // The rules' sound effects, by key; and the music, started at once.
    virtual void playSound(const std::string& key);
    virtual void playMusic(const std::string& file, int32_t loops);

private:
    // Every random draw of the rules goes through here, never through the shared generator.
    int32_t rulesRandomIn(int32_t lo, int32_t hi) { return randomIn(rulesRandom, lo, hi); }

    // Set-up.
    void readHiScores();
    void layOutCard(int32_t index);
    void placeScattered(Card& target);
    void separateFromEarlierCards(int32_t index);
    void shuffleFaces();
    void swapFaces(int32_t a, int32_t b);
    void emptyComboBox();

    // Play.
    void runCardTimers();
    void moveCard(Card& moving);
    bool gameIsOver() const;
    bool isUnderMouse(const Card& target, int32_t mx, int32_t my) const;

    // Picking.
    void pickWith(int32_t freeHits, int32_t pickedHits, int32_t hit);
    void clickOnly(int32_t index);
    void stepCursor();
    void pickSecond(int32_t index);
    void pickFirstOrTurnUp(int32_t index);
    void dropFirstPick();
    void judgePicks();
    void missPicks();

    // Taking.
    void summariseTake(const Card& a, const Card& b);
    void removePicks(Card& a, Card& b);
    int32_t countOpenGroups();
    void shiftComboBox();
    void payComboBonuses();
    void logPair();

    // End of game.
    void endGame();
    void saveRecord();
    void saveReplay();

    // The scores file (game_history.cpp).
    void readHistory(int32_t configBest);
    void addToHistory(bool record);
    GameEnding ending() const;
    void drawHistory();

    // Pause.
    bool holdsForPause();
    void drawPaused();

    // Watching (game_watch.cpp).
    void saveWatch();
    uint32_t stateDigest() const;
    void reportWatch();
    bool leftWatching();
    void drawWatching();
    void drawWatchResult();

    // Display.
    void drawBackdrop();
    void stepTint();
    void drawScorePanel();
    void drawBoardCards(int32_t mx, int32_t my);
    void drawComboBox();
    void drawTakeAnimations();
    void drawTakeTexts(int32_t rise, int32_t& numberShift);
    void drawPickPreviews();
    void drawClock();

    int32_t& hiScore(int32_t mode);
    int32_t& colorBonusEntry(int32_t pair);
    int32_t& numberBonusEntry(int32_t pair);
    int32_t& popupAngleEntry(int32_t pair);
    int32_t& popupAgeEntry(int32_t pair);

    SCENE scene = SETUP;
    bool paused = false;
    // A record this game set could not be stored: the results say so instead of NEW RECORD.
    bool recordNotSaved = false;
    int32_t readyCounter = 0;
    int32_t resultsCounter = 0;
    int32_t gameMode = 0;
    std::array<int32_t, HI_SCORE_SLOTS> hiScores{};
    int32_t score = 0;
    int32_t timeLeft = GAME_FRAMES;
    int32_t boardX = 50;
    int32_t boardY = 50;
    int32_t cardCount = BOARD_CARDS;
    int32_t takenCount = 0;
    int32_t firstPick = NO_CARD;
    int32_t secondPick = NO_CARD;
    int32_t openGroups = 99;
    int32_t takeBase = 0;
    int32_t takeMultiplier = 0;
    int32_t colorBonus = 0;
    int32_t numberBonus = 0;
    int32_t cardLife = GAME_FRAMES;
    std::array<int32_t, 3> tint = {0, 0, 100};
    std::array<int32_t, 3> tintTarget = {0, 0, 100};
    std::array<int32_t, PAIR_LOG_SIZE> colorBonusLog{};
    std::array<int32_t, PAIR_LOG_SIZE> numberBonusLog{};
    std::array<int32_t, PAIR_LOG_SIZE> popupAngle{};
    std::array<int32_t, PAIR_LOG_SIZE> popupAge{};
    std::array<Card, CARD_TABLE_SIZE> cards{};
    std::unique_ptr<Keypad> keypad;
    PlayInput input;
    ModeScores history;
    bool historyKnown = false;
    size_t rank = 0;
    CardCursor cursor;
    // The rules' own generator, seeded at set-up; drawing never touches it.
    std::mt19937 rulesRandom;
};
