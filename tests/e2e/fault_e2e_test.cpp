// Faults a player can meet, on the real game: missing resources, no audio device, a record
// that cannot be written, and config.ini files the parser does not expect.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <set>
#include <stdexcept>
#include <thread>

#include "config/scores_file.h"
#include "e2e_files.h"
#include "game_process.h"
#include "support/scratch.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

inline constexpr const char* QUIT_LINE = "dTolm system quit.";
inline constexpr const char* FIRST_FRAME_LINE = "Exec loop.";
inline constexpr const char* TITLE_LINE = "TitleMain";
inline constexpr const char* GAME_LINE = "Gamecoer init";
inline constexpr const char* CONFIG_NAME = "config.ini";
inline constexpr const char* REPLAY_NAME = "replay/replay_01.bin";
inline constexpr const char* MISSING_KEY_LINE =
    "ConfigParser.checkKey(): not exist key ... 'HI_SCORE'";
inline constexpr const char* NOBODY = "65534";

// Every best at 0, so any finished game is a record.
const std::string ZERO_CONFIG =
    "HI_SCORE = 0\nHI_SCORE1 = 0\nHI_SCORE2 = 0\nHI_SCORE3 = 0\nHI_SCORE4 = 0\n"
    "HI_SCORE5 = 0\nHI_SCORE6 = 0\nHOSHI = 1\nSELECT_HOSHI = 0\n";

// A click anywhere skips the logo; here it is also right of the title's menu band
// (150 < x < 490), so the title highlights nothing and keeps its mode slot.
inline constexpr int AWAY_X = 600;
inline constexpr int AWAY_Y = 20;
inline constexpr int LINE_ROW_X = 200;
inline constexpr int LINE_ROW_Y = 222;
// LINE lays card i at (50 + 33 (i mod 10), 100 + 33 (i div 10)), 32 pixels a side; card
// i + 30 has the colour and number of card i.
inline constexpr int LINE_PAIRS = 30;
inline constexpr int CARD_STEP = 33;
inline constexpr int CARD_CENTRE = 16;
// Where the LINE best score is drawn on the title: "%06d" at (350, 210), 20-pixel glyphs.
inline constexpr int SCORE_LEFT = 350;
inline constexpr int SCORE_TOP = 210;
inline constexpr int SCORE_WIDTH = 240;
inline constexpr int SCORE_HEIGHT = 20;
inline constexpr size_t REPLAY_RECORD = 24;

// READY and GO last 181 frames of 16 ms, the results screen ignores clicks for 121; the
// margins cover slow frames on a busy machine.
inline constexpr auto READY_TIME = 181 * 16ms + 800ms;
inline constexpr auto RESULTS_TIME = 121 * 16ms + 600ms;
// A button must be seen up for a frame before the next press counts as one.
inline constexpr auto RELEASE_TIME = 40ms;
inline constexpr auto GAME_END_TIMEOUT = 20s;

bool haveDisplay() { return std::getenv("DISPLAY") != nullptr; }

bool endsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

size_t countLogLines(const std::string& line) {
    const std::vector<std::string> lines = logLines();
    return static_cast<size_t>(std::count(lines.begin(), lines.end(), line));
}

// Waits until run.log holds line at least count times.
void waitForLogCount(const std::string& line, size_t count,
                     std::chrono::milliseconds timeout = 10s) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (countLogLines(line) < count) {
        if (std::chrono::steady_clock::now() >= deadline) {
            throw std::runtime_error("run.log never held \"" + line + "\" " +
                                     std::to_string(count) + " times");
        }
        std::this_thread::sleep_for(20ms);
    }
}

void skipLogo(GameProcess& game) {
    waitForLogCount(FIRST_FRAME_LINE, 1);
    game.click(AWAY_X, AWAY_Y);
    waitForLogCount(TITLE_LINE, 1);
}

// The title starts the mode its previous frame found under the pointer, so the pointer
// rests on the row before the click.
void chooseLine(GameProcess& game) {
    game.movePointer(LINE_ROW_X, LINE_ROW_Y);
    std::this_thread::sleep_for(100ms);
    game.click(LINE_ROW_X, LINE_ROW_Y);
}

void startLine(GameProcess& game) {
    skipLogo(game);
    chooseLine(game);
}

void clickCard(GameProcess& game, int index) {
    game.click(50 + CARD_STEP * (index % 10) + CARD_CENTRE,
               100 + CARD_STEP * (index / 10) + CARD_CENTRE);
    std::this_thread::sleep_for(RELEASE_TIME);
}

// Takes LINE's 30 pairs in order, which ends the game with the board empty.
void takeAllLinePairs(GameProcess& game) {
    for (int pair = 0; pair < LINE_PAIRS; ++pair) {
        clickCard(game, pair);
        clickCard(game, pair + LINE_PAIRS);
    }
}

// From the title, the nth game of the run: starts LINE and plays it to the end.
void playLineFromTheTitle(GameProcess& game, size_t nth = 1) {
    chooseLine(game);
    waitForLogCount(GAME_LINE, 2 * nth);
    std::this_thread::sleep_for(READY_TIME);
    takeAllLinePairs(game);
}

void playLineToTheEnd(GameProcess& game) {
    skipLogo(game);
    playLineFromTheTitle(game);
}

// Clicks the results screen away once it listens and waits for the next title.
void leaveResults(GameProcess& game) {
    const size_t titles = countLogLines(TITLE_LINE);
    std::this_thread::sleep_for(RESULTS_TIME);
    for (int attempt = 0; attempt < 3 && countLogLines(TITLE_LINE) == titles; ++attempt) {
        game.click(AWAY_X, AWAY_Y + 430);
        std::this_thread::sleep_for(500ms);
    }
    waitForLogCount(TITLE_LINE, titles + 1, 2s);
}

// Polls until config.ini differs from before (a record was saved).
std::string waitForConfigChange(const std::string& before) {
    const auto deadline = std::chrono::steady_clock::now() + GAME_END_TIMEOUT;
    for (;;) {
        const std::string now = readFile(CONFIG_NAME);
        if (now != before) return now;
        if (std::chrono::steady_clock::now() >= deadline) {
            throw std::runtime_error("config.ini never changed: the game did not end");
        }
        std::this_thread::sleep_for(50ms);
    }
}

// Names in the working directory other than those a run may leave there.
std::vector<std::string> strayEntries(const fs::path& dir, std::set<std::string> allowed = {}) {
    allowed.insert({"resource", "replay", CONFIG_NAME, "config.ini.lock", SCORES_FILE, "run.log",
                    "korvane.out", "korvane.err", "tolmshot.bmp"});
    std::vector<std::string> stray;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir)) {
        const std::string name = entry.path().filename().string();
        if (allowed.count(name) == 0) stray.push_back(name);
    }
    return stray;
}

std::vector<std::string> replayEntries() {
    std::vector<std::string> names;
    if (!fs::is_directory("replay")) return names;
    for (const fs::directory_entry& entry : fs::directory_iterator("replay")) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

// The run ended by itself with status 0 and left nothing behind but its log.
void expectCleanFailure(GameProcess& game, const std::string& config) {
    EXPECT_EQ(game.waitExit(GAME_END_TIMEOUT), 0);
    EXPECT_EQ(readFile(CONFIG_NAME), config) << "config.ini must be left alone";
    EXPECT_EQ(replayEntries(), std::vector<std::string>{});
    EXPECT_EQ(strayEntries(fs::current_path()), std::vector<std::string>{});
}

// The score saved for LINE in a config.ini written from ZERO_CONFIG; -1 when absent.
long lineBestIn(const std::string& config) {
    const std::string key = "\nHI_SCORE1 = ";
    const size_t at = config.find(key);
    if (at == std::string::npos) return -1;
    return std::strtol(config.c_str() + at + key.size(), nullptr, 10);
}

// ---- Each resource file missing in turn ----

// How far a run must go before it needs the file.
enum class Needed { AT_START, IN_GAME, AT_GO, AT_RESULTS, NEVER };

struct MissingResource {
    const char* file;  // under resource/
    Needed needed;
    const char* messageStart;
};

const MissingResource MISSING_RESOURCES[] = {
    {"ico.bmp", Needed::NEVER, ""},
    {"font/font.bmp", Needed::AT_START, "Tolm_Texture::loadBmp : not found file: "},
    {"image/logo.bmp", Needed::AT_START, "Tolm_Texture::loadBmp : not found file: "},
    {"image/menu.bmp", Needed::AT_START, "Tolm_Texture::loadBmp : not found file: "},
    {"sound/select.wav", Needed::AT_START, "Tolm_loadWAV: "},
    {"image/tama.bmp", Needed::IN_GAME, "Tolm_Texture::loadBmp : not found file: "},
    {"sound/l1.wav", Needed::IN_GAME, "Tolm_loadWAV: "},
    {"sound/puwa.wav", Needed::IN_GAME, "Tolm_loadWAV: "},
    {"sound/damage.wav", Needed::IN_GAME, "Tolm_loadWAV: "},
    {"sound/destroy2.wav", Needed::IN_GAME, "Tolm_loadWAV: "},
    {"sound/clear.wav", Needed::IN_GAME, "Tolm_loadWAV: "},
    {"sound/bgm_mogmog.ogg", Needed::AT_GO, "Tolm_playBgm: "},
    {"sound/results.ogg", Needed::AT_RESULTS, "Tolm_playBgm: "},
};

class FaultResource : public ::testing::TestWithParam<MissingResource> {
protected:
    void SetUp() override { ASSERT_TRUE(haveDisplay()) << "needs X: run under xvfb-run"; }
};

TEST_P(FaultResource, EndsTheRunNamingTheFileAndKeepsEverythingElse) {
    const MissingResource& missing = GetParam();
    ScratchDir scratch(false);
    linkResourcesWithout(scratch.path(), missing.file);
    writeFile(CONFIG_NAME, ZERO_CONFIG);
    const std::string path = std::string("resource/") + missing.file;

    GameProcess game;
    switch (missing.needed) {
        case Needed::AT_START: break;
        case Needed::IN_GAME: startLine(game); break;
        case Needed::AT_GO:
            startLine(game);
            waitForLogCount(GAME_LINE, 2);
            break;
        case Needed::AT_RESULTS:
            playLineToTheEnd(game);
            // The record is saved before the results music is looked for, so it is kept.
            EXPECT_EQ(game.waitExit(GAME_END_TIMEOUT), 0);
            EXPECT_GT(lineBestIn(readFile(CONFIG_NAME)), 0);
            EXPECT_EQ(replayEntries(),
                      (std::vector<std::string>{"replay_01.bin", "replay_01.watch"}));
            break;
        case Needed::NEVER:
            // Without an icon the window keeps the default one and the game plays on.
            startLine(game);
            waitForLogCount(GAME_LINE, 2);
            game.pressKey("Escape");
            break;
    }
    if (missing.needed != Needed::AT_RESULTS) expectCleanFailure(game, ZERO_CONFIG);

    const std::string last = lastLogLine();
    if (missing.needed == Needed::NEVER) {
        EXPECT_EQ(last, QUIT_LINE);
        for (const std::string& line : logLines()) EXPECT_EQ(line.find("ico"), std::string::npos);
        return;
    }
    EXPECT_EQ(last.rfind(missing.messageStart, 0), 0u) << last;
    EXPECT_NE(last.find(path), std::string::npos) << "the message names the file: " << last;
    if (endsWith(path, ".bmp")) {
        EXPECT_EQ(last, missing.messageStart + path);
    }
    if (endsWith(path, ".wav")) {
        EXPECT_TRUE(endsWith(last, "(" + path + ")")) << last;
    }
}

std::string resourceTestName(const ::testing::TestParamInfo<MissingResource>& info) {
    std::string name = info.param.file;
    const auto punctuation = [](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) == 0;
    };
    std::replace_if(name.begin(), name.end(), punctuation, '_');
    return name;
}

INSTANTIATE_TEST_SUITE_P(Fault, FaultResource, ::testing::ValuesIn(MISSING_RESOURCES),
                         resourceTestName);

// ---- No audio device ----

// The X server drops a window once it notices its client has gone, which may take a moment.
bool noGameWindowWithin(std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!runCommand({"xdotool", "search", "--name", "^KORVANE$"}).output.empty()) {
        if (std::chrono::steady_clock::now() >= deadline) return false;
        std::this_thread::sleep_for(50ms);
    }
    return true;
}

TEST(FaultAudio, WithoutAnAudioDeviceTheGamePlaysInSilenceAndSaysWhy) {
    ASSERT_TRUE(haveDisplay()) << "needs X: run under xvfb-run";
    ScratchDir scratch;
    writeFile(CONFIG_NAME, ZERO_CONFIG);
    GameProcess game({}, LaunchOptions{{"SDL_AUDIODRIVER=nonexistent"}, {}});
    startLine(game);
    waitForLogCount(GAME_LINE, 2);
    std::this_thread::sleep_for(READY_TIME);  // past GO, where the music starts
    clickCard(game, 0);
    clickCard(game, LINE_PAIRS);  // a take plays its effect
    game.pressKey("Escape");
    EXPECT_EQ(game.waitExit(), 0);
    const std::string silence = "Tolm_init: no sound, playing in silence: ";
    const std::vector<std::string> lines = logLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0].rfind(silence, 0), 0u) << lines[0];
    EXPECT_GT(lines[0].size(), silence.size()) << "the reason is given";
    EXPECT_EQ(lastLogLine(), QUIT_LINE);
    EXPECT_EQ(readFile(CONFIG_NAME), ZERO_CONFIG);
}

// ---- A record that cannot be kept completely ----

// ZERO_CONFIG with the LINE best's value text replaced.
std::string withLineText(const std::string& value) {
    std::string config = ZERO_CONFIG;
    const std::string zero = "\nHI_SCORE1 = 0\n";
    config.replace(config.find(zero), zero.size(), "\nHI_SCORE1 = " + value + "\n");
    return config;
}

TEST(FaultRecord, WithoutAReplayFolderTheBestIsStillStoredAndTheGameGoesOn) {
    ASSERT_TRUE(haveDisplay()) << "needs X: run under xvfb-run";
    ScratchDir scratch;
    fs::remove("replay");
    writeFile(CONFIG_NAME, ZERO_CONFIG);

    GameProcess game;
    playLineToTheEnd(game);
    const std::string saved = waitForConfigChange(ZERO_CONFIG);
    leaveResults(game);
    game.pressKey("Escape");
    EXPECT_EQ(game.waitExit(), 0);

    const long best = lineBestIn(saved);
    EXPECT_GT(best, 0);
    EXPECT_EQ(saved, withLineText(std::to_string(best))) << "only HI_SCORE1 changes";
    const std::vector<std::string> lines = logLines();
    const auto failed = std::find(lines.begin(), lines.end(),
                                  std::string("Cannot open or create file '") + REPLAY_NAME + "'");
    ASSERT_NE(failed, lines.end());
    EXPECT_NE(std::find(failed, lines.end(), TITLE_LINE), lines.end()) << "a title follows";
    EXPECT_EQ(lastLogLine(), QUIT_LINE);
    EXPECT_FALSE(fs::exists("replay")) << "no folder is created";
    EXPECT_EQ(strayEntries(scratch.path()), std::vector<std::string>{});
}

// Removed while the title shows: the game writes the title's defaults, never bests of
// 999999, and the game it starts keeps no record.
TEST(FaultRecord, AConfigRemovedBeforeAGameGetsTheTitleDefaultsAndThatGameKeepsNoRecord) {
    ASSERT_TRUE(haveDisplay()) << "needs X: run under xvfb-run";
    ScratchDir scratch;
    writeFile(CONFIG_NAME, withLineText("5"));
    GameProcess game;
    skipLogo(game);
    fs::remove(CONFIG_NAME);
    playLineFromTheTitle(game);
    leaveResults(game);
    game.pressKey("Escape");
    EXPECT_EQ(game.waitExit(), 0);
    EXPECT_EQ(readFile(CONFIG_NAME), ZERO_CONFIG);
    EXPECT_EQ(replayEntries(), std::vector<std::string>{});
}

// Two copies in one folder, config.ini a link into another folder. The copy that started
// first but finishes last scores less: it must neither undo the other's record nor write
// its replay, and the link stays a link. Both games keep their line in scores.txt.
TEST(FaultRecord, TwoCopiesInOneFolderNeverLoseARecordAndALinkStaysALink) {
    ASSERT_TRUE(haveDisplay()) << "needs X: run under xvfb-run";
    ScratchDir scratch;
    fs::create_directory("synced");
    writeFile("synced/config.ini", ZERO_CONFIG);
    fs::create_symlink("synced/config.ini", CONFIG_NAME);

    GameProcess slower({}, LaunchOptions{{"SDL_VIDEO_WINDOW_POS=640,0"}, {}});  // side by side
    startLine(slower);
    waitForLogCount(GAME_LINE, 2);
    fs::remove("run.log");  // so that nothing is read from it before the new run resets it
    GameProcess faster;
    playLineToTheEnd(faster);
    const std::string saved = waitForConfigChange(ZERO_CONFIG);
    leaveResults(faster);
    const std::string replay = readFile(REPLAY_NAME);
    faster.pressKey("Escape");
    EXPECT_EQ(faster.waitExit(), 0);

    takeAllLinePairs(slower);
    leaveResults(slower);
    slower.pressKey("Escape");
    EXPECT_EQ(slower.waitExit(), 0);

    EXPECT_GT(lineBestIn(saved), 0);
    EXPECT_EQ(saved, withLineText(std::to_string(lineBestIn(saved))));
    EXPECT_EQ(readFile(CONFIG_NAME), saved) << "the better record stays";
    EXPECT_EQ(readFile(REPLAY_NAME), replay) << "the losing copy writes no replay";
    EXPECT_TRUE(fs::is_symlink(CONFIG_NAME));
    const std::string scores = readFile(SCORES_FILE);
    ASSERT_EQ(std::count(scores.begin(), scores.end(), '\n'), 2) << scores;
    const auto first = scores_file::parseLine(scores.substr(0, scores.find('\n')));
    const size_t secondStart = scores.find('\n') + 1;
    const auto second =
        scores_file::parseLine(scores.substr(secondStart, scores.size() - secondStart - 1));
    ASSERT_TRUE(first && second) << scores;
    EXPECT_EQ(first->score, lineBestIn(saved)) << "the faster copy's line first";
    EXPECT_LT(second->score, first->score);
    EXPECT_EQ(strayEntries(scratch.path(), {"synced"}), std::vector<std::string>{});
}

// Runs the game as the unprivileged user "nobody" in the current folder, which belongs
// to root; root ignores file modes, so only another user meets a read-only file.
class FaultAsNobody : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(haveDisplay()) << "needs X: run under xvfb-run";
        if (::geteuid() != 0) GTEST_SKIP() << "needs root to run the game as another user";
        try {
            if (runCommand({"setpriv", "--version"}).status != 0) GTEST_SKIP() << "setpriv fails";
        } catch (const std::runtime_error&) {
            GTEST_SKIP() << "setpriv (util-linux) is missing";
        }
        fs::permissions(scratch.path(), fs::perms::owner_all | fs::perms::group_read |
                                            fs::perms::group_exec | fs::perms::others_read |
                                            fs::perms::others_exec);
        fs::permissions("replay", fs::perms::all);
        // The log is made for the game in advance, as it cannot create files here.
        writeFile("run.log", "");
        giveToNobody("run.log");
        // Xvfb wants its cookie, which lies in a folder only root may read.
        if (const char* cookie = std::getenv("XAUTHORITY")) {
            fs::copy_file(cookie, "xauthority");
            giveToNobody("xauthority");
            launch.environment.push_back("XAUTHORITY=" + (scratch.path() / "xauthority").string());
        }
        if (asNobody({"test", "-x", KORVANE_BIN, "-a", "-r", "resource/font/font.bmp", "-a", "-r",
                      "resource/sound/results.ogg"}) != 0) {
            GTEST_SKIP() << "nobody cannot reach the game or its resources";
        }
    }

    static void giveToNobody(const char* file) {
        ASSERT_EQ(::chown(file, 65534, 65534), 0) << file;
    }

    static std::vector<std::string> nobodyWrapper() {
        return {"setpriv", std::string("--reuid=") + NOBODY, std::string("--regid=") + NOBODY,
                "--clear-groups"};
    }

    static int asNobody(const std::vector<std::string>& command) {
        std::vector<std::string> argv = nobodyWrapper();
        argv.insert(argv.end(), command.begin(), command.end());
        return runCommand(argv).status;
    }

    // Plays LINE to a record with a read-only config.ini, waits until the game has dealt
    // with its saves (waitForSaves), goes back to the title and quits.
    template <typename Wait>
    void playARecordWithAReadOnlyConfig(Wait waitForSaves) {
        writeFile(CONFIG_NAME, ZERO_CONFIG);
        fs::permissions(CONFIG_NAME, READ_ONLY);
        GameProcess game({}, launch);
        playLineToTheEnd(game);
        waitForSaves();
        leaveResults(game);
        game.pressKey("Escape");
        EXPECT_EQ(game.waitExit(), 0);

        EXPECT_EQ(countLogLines(TITLE_LINE), 2u) << "results, then the title again";
        EXPECT_EQ(lastLogLine(), QUIT_LINE);
        EXPECT_EQ(fs::status(CONFIG_NAME).permissions() & fs::perms::all, READ_ONLY);
        std::error_code missing;
        const uintmax_t replaySize = fs::file_size(REPLAY_NAME, missing);
        ASSERT_FALSE(missing) << "the replay is written";
        EXPECT_GT(replaySize, 0u);
        EXPECT_EQ(replaySize % REPLAY_RECORD, 0u);
        EXPECT_EQ(strayEntries(scratch.path(), {"xauthority"}), std::vector<std::string>{})
            << "no temporary file is left";
    }

    static constexpr fs::perms READ_ONLY =
        fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    ScratchDir scratch;
    LaunchOptions launch{{}, nobodyWrapper()};
};

TEST_F(FaultAsNobody, InAClosedFolderAReadOnlyConfigKeepsItsBestAndTheReplayIsStillWritten) {
    ASSERT_NE(asNobody({"test", "-w", "."}), 0) << "the folder must be closed to nobody";
    playARecordWithAReadOnlyConfig(
        [] { waitForLogCount("Cannot write file 'config.ini'", 1, GAME_END_TIMEOUT); });
    EXPECT_EQ(readFile(CONFIG_NAME), ZERO_CONFIG);
}

// Saving replaces the file by a rename, which asks the folder, not the file: a read-only
// config.ini alone does not keep the game from storing a record.
TEST_F(FaultAsNobody, InAnOpenFolderAReadOnlyConfigIsReplacedAndStaysReadOnly) {
    fs::permissions(scratch.path(), fs::perms::all);
    playARecordWithAReadOnlyConfig([] { waitForConfigChange(ZERO_CONFIG); });
    const std::string saved = readFile(CONFIG_NAME);
    EXPECT_GT(lineBestIn(saved), 0);
    EXPECT_EQ(saved, withLineText(std::to_string(lineBestIn(saved))));
    for (const std::string& line : logLines()) EXPECT_EQ(line.find("Cannot"), std::string::npos);
}

// A config.ini the player cannot read is never replaced, by the title or by the game: the
// run ends naming the file and the reason.
TEST_F(FaultAsNobody, AnUnreadableConfigEndsTheRunNamingItAndIsLeftAsItWas) {
    fs::permissions(scratch.path(), fs::perms::all);
    const std::string config = withLineText("4321");
    for (const bool inGame : {false, true}) {
        SCOPED_TRACE(inGame ? "read by the game" : "read by the title");
        writeFile(CONFIG_NAME, config);
        fs::permissions(CONFIG_NAME, inGame ? READ_ONLY : fs::perms::none);
        fs::remove("run.log");  // the last run's lines must not be taken for this run's
        GameProcess game({}, launch);
        if (inGame) {
            skipLogo(game);
            fs::permissions(CONFIG_NAME, fs::perms::none);
            chooseLine(game);
        }
        EXPECT_EQ(game.waitExit(GAME_END_TIMEOUT), 0);
        EXPECT_TRUE(noGameWindowWithin(2s));
        EXPECT_EQ(lastLogLine(), "Cannot open file 'config.ini': Permission denied");
        EXPECT_EQ(readFile(CONFIG_NAME), config);
        EXPECT_EQ(fs::status(CONFIG_NAME).permissions() & fs::perms::all, fs::perms::none);
        EXPECT_EQ(replayEntries(), std::vector<std::string>{});
    }
}

// A folder the player cannot write to costs the log file, not the game.
TEST_F(FaultAsNobody, InAClosedFolderWithoutARunLogTheLogGoesToStandardOutput) {
    fs::remove("run.log");
    writeFile(CONFIG_NAME, ZERO_CONFIG);
    GameProcess game({}, launch);
    const auto waitForOutput = [&game](const std::string& line) {
        const auto deadline = std::chrono::steady_clock::now() + 10s;
        while (game.standardOutput().find(line + "\n") == std::string::npos) {
            if (std::chrono::steady_clock::now() >= deadline) {
                throw std::runtime_error("standard output never held " + line);
            }
            std::this_thread::sleep_for(20ms);
        }
    };
    waitForOutput(FIRST_FRAME_LINE);
    game.click(AWAY_X, AWAY_Y);
    waitForOutput(TITLE_LINE);
    game.pressKey("Escape");
    EXPECT_EQ(game.waitExit(), 0);
    EXPECT_TRUE(endsWith(game.standardOutput(), std::string(QUIT_LINE) + "\n"));
    EXPECT_EQ(game.standardError(),
              "korvane: cannot write run.log (Permission denied); logging to standard output only\n");
    EXPECT_FALSE(fs::exists("run.log"));
}

// ---- config.ini contents the parser does not expect ----

struct OddConfig {
    const char* name;
    std::string bytes;
};

std::string junkBytes() {
    std::string bytes;
    unsigned value = 11;
    for (int i = 0; i < 512; ++i) {
        value = (value * 37 + 11) % 256;
        bytes += static_cast<char>(value);
    }
    return bytes;
}

// Files the title cannot take: the first key it asks for is missing.
const OddConfig UNREADABLE_CONFIGS[] = {
    {"Empty", ""},
    {"BinaryJunk", junkBytes()},
    {"ByteOrderMark", "\xEF\xBB\xBF" + ZERO_CONFIG},
};

class FaultConfig : public ::testing::TestWithParam<OddConfig> {
protected:
    void SetUp() override { ASSERT_TRUE(haveDisplay()) << "needs X: run under xvfb-run"; }
};

TEST_P(FaultConfig, TheTitleEndsTheRunWithTheMissingKeyAndLeavesTheFile) {
    ScratchDir scratch;
    writeFile(CONFIG_NAME, GetParam().bytes);
    GameProcess game;
    skipLogo(game);
    expectCleanFailure(game, GetParam().bytes);
    EXPECT_EQ(lastLogLine(), MISSING_KEY_LINE);
}

std::string configTestName(const ::testing::TestParamInfo<OddConfig>& info) {
    return info.param.name;
}

INSTANTIATE_TEST_SUITE_P(Fault, FaultConfig, ::testing::ValuesIn(UNREADABLE_CONFIGS),
                         configTestName);

// The title of a run with config, the pointer away from the menu; the run is then quit.
Image titlePicture(const std::string& config) {
    ScratchDir scratch;
    writeFile(CONFIG_NAME, config);
    GameProcess game;
    skipLogo(game);
    std::this_thread::sleep_for(100ms);
    const Image picture = loadPicture(game.screenshot());
    game.pressKey("Escape");
    EXPECT_EQ(game.waitExit(), 0);
    EXPECT_EQ(lastLogLine(), QUIT_LINE);
    EXPECT_EQ(readFile(CONFIG_NAME), config) << "reading never rewrites the file";
    return picture;
}

// Differences in the LINE row's best score, where the title draws it.
size_t lineScoreDifferences(const Image& a, const Image& b) {
    size_t different = 0;
    for (int32_t y = SCORE_TOP; y < SCORE_TOP + SCORE_HEIGHT; ++y) {
        for (int32_t x = SCORE_LEFT; x < SCORE_LEFT + SCORE_WIDTH; ++x) {
            if (distance(pixelAt(a, x, y), pixelAt(b, x, y)) > 8) ++different;
        }
    }
    return different;
}

std::string withCrLf(const std::string& config) {
    std::string crlf;
    for (const char c : config) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return crlf;
}

TEST(FaultConfigValues, CrLfLinesAndATwelveDigitBestThatWrapsTo1000ShowAs001000) {
    ASSERT_TRUE(haveDisplay()) << "needs X: run under xvfb-run";
    const Image reference = titlePicture(withLineText("1000"));
    // The test can only see a difference where a zero best would look different.
    ASSERT_GT(lineScoreDifferences(reference, titlePicture(ZERO_CONFIG)), 20u);

    const OddConfig readable[] = {
        {"CR LF line ends", withCrLf(withLineText("1000"))},
        // 24 * 2^32 + 1000: the digits are read modulo 2^32.
        {"twelve digits", withLineText("103079216104")},
    };
    for (const OddConfig& config : readable) {
        SCOPED_TRACE(config.name);
        EXPECT_EQ(lineScoreDifferences(reference, titlePicture(config.bytes)), 0u);
    }
}

}  // namespace
