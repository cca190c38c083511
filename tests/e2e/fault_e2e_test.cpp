// Faults a player can meet, on the real game: missing resources, no audio device, a record
// that cannot be written, and config.ini files the parser does not expect.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <ostream>
#include <set>
#include <stdexcept>
#include <thread>

#include "config/scores_file.h"
#include "e2e_files.h"
#include "game_checks.h"
#include "game_process.h"
#include "player.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

inline constexpr const char* QUIT_LINE = "dTolm system quit.";
inline constexpr const char* TITLE_LINE = "TitleMain";
inline constexpr const char* CONFIG_NAME = "config.ini";
inline constexpr const char* NOBODY = "65534";
// Where the LINE best score is drawn on the title: "%06d" at (350, 210), 20-pixel glyphs.
inline constexpr int SCORE_LEFT = 350;
inline constexpr int SCORE_TOP = 210;
inline constexpr int SCORE_WIDTH = 240;
inline constexpr int SCORE_HEIGHT = 20;
inline constexpr auto GAME_END_TIMEOUT = 20s;

bool endsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// Takes LINE's 30 pairs in order, each checked on the screen, which ends the game with the
// board empty. With lastUnseen the last pair is only clicked, for a game that ends, window
// and all, at that take.
void takeLinePairs(Player& player, bool lastUnseen = false) {
    const std::vector<std::pair<SeenCard, SeenCard>> pairs = lineTwins();
    for (size_t k = 0; k < pairs.size(); ++k) {
        const Place a = placeOf(pairs.at(k).first);
        const Place b = placeOf(pairs.at(k).second);
        if (lastUnseen && k + 1 == pairs.size()) {
            player.tapCard(a);
            player.tapCard(b);
        } else if (!player.takeStillPair(a, b)) {
            throw std::runtime_error("LINE pair " + std::to_string(k) + " would not go");
        }
    }
}

void playLine(Player& player, bool lastUnseen = false) {
    player.startMode(MODE_LINE);
    takeLinePairs(player, lastUnseen);
}

// Polls until config.ini differs from before (a record was saved).
std::string waitForConfigChange(const std::string& before) {
    if (!waitUntil([&before] { return readFile(CONFIG_NAME) != before; }, GAME_END_TIMEOUT)) {
        throw std::runtime_error("config.ini never changed: the game did not end");
    }
    return readFile(CONFIG_NAME);
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

// The score saved for LINE in a config.ini written from configText(); -1 when absent.
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

void PrintTo(const MissingResource& missing, std::ostream* out) { *out << missing.file; }

class FaultResource : public ::testing::TestWithParam<MissingResource> {
protected:
    void SetUp() override { ASSERT_TRUE(needsX()); }
};

TEST_P(FaultResource, EndsTheRunNamingTheFileAndKeepsEverythingElse) {
    const MissingResource& missing = GetParam();
    ScratchDir scratch(false);
    linkResourcesWithout(scratch.path(), missing.file);
    writeFile(CONFIG_NAME, configText());
    const std::string path = std::string("resource/") + missing.file;

    GameProcess game;
    Player player(game);
    if (missing.needed != Needed::AT_START) player.reachTitle();
    switch (missing.needed) {
        case Needed::AT_START: break;
        case Needed::IN_GAME: player.clickMode(MODE_LINE); break;
        case Needed::AT_GO: player.chooseMode(MODE_LINE); break;
        case Needed::AT_RESULTS:
            playLine(player, true);
            // The record is saved before the results music is looked for, so it is kept.
            EXPECT_EQ(game.waitExit(GAME_END_TIMEOUT), 0);
            EXPECT_GT(lineBestIn(readFile(CONFIG_NAME)), 0);
            EXPECT_EQ(replayEntries(),
                      (std::vector<std::string>{"replay_01.bin", "replay_01.watch"}));
            break;
        case Needed::NEVER:
            // Without an icon the window keeps the default one and the game plays on.
            player.chooseMode(MODE_LINE);
            game.pressKey("Escape");
            break;
    }
    if (missing.needed != Needed::AT_RESULTS) expectCleanFailure(game, configText());

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

using FaultAudio = GameOnDisplay;

TEST_F(FaultAudio, WithoutAnAudioDeviceTheGamePlaysInSilenceAndSaysWhy) {
    GameProcess game({}, LaunchOptions{{"SDL_AUDIODRIVER=nonexistent"}, {}});
    Player player(game);
    player.reachTitle();
    player.startMode(MODE_LINE);  // past GO, where the music starts
    const auto [first, twin] = lineTwins().front();
    player.tapCard(placeOf(first));
    player.tapCard(placeOf(twin));  // a take plays its effect
    game.pressKey("Escape");
    EXPECT_EQ(game.waitExit(), 0);
    const std::string silence = "Tolm_init: no sound, playing in silence: ";
    const std::vector<std::string> lines = logLines();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0].rfind(silence, 0), 0u) << lines[0];
    EXPECT_GT(lines[0].size(), silence.size()) << "the reason is given";
    EXPECT_EQ(lastLogLine(), QUIT_LINE);
    EXPECT_EQ(readFile(CONFIG_NAME), configText());
}

// ---- A record that cannot be kept completely ----

using FaultRecord = GameOnDisplay;

TEST_F(FaultRecord, WithoutAReplayFolderTheBestIsStillStoredAndTheGameGoesOn) {
    fs::remove("replay");

    GameProcess game;
    Player player(game);
    player.reachTitle();
    playLine(player);
    const std::string saved = waitForConfigChange(configText());
    player.leaveResults();
    game.pressKey("Escape");
    EXPECT_EQ(game.waitExit(), 0);

    const long best = lineBestIn(saved);
    EXPECT_GT(best, 0);
    EXPECT_EQ(saved, configText(0, MODE_LINE, best)) << "only HI_SCORE1 changes";
    const std::vector<std::string> lines = logLines();
    const auto failed = std::find(lines.begin(), lines.end(),
                                  "Cannot open or create file '" + replayFileOf(MODE_LINE) + "'");
    ASSERT_NE(failed, lines.end());
    EXPECT_NE(std::find(failed, lines.end(), TITLE_LINE), lines.end()) << "a title follows";
    EXPECT_EQ(lastLogLine(), QUIT_LINE);
    EXPECT_FALSE(fs::exists("replay")) << "no folder is created";
    EXPECT_EQ(strayEntries(scratch.path()), std::vector<std::string>{});
}

// Removed while the title shows: the game writes the title's defaults, and then the record
// of the game it starts.
TEST_F(FaultRecord, AConfigRemovedBeforeAGameGetsTheTitleDefaultsAndThenThatGamesRecord) {
    writeFile(CONFIG_NAME, configText(0, MODE_LINE, 5));
    GameProcess game;
    Player player(game);
    player.reachTitle();
    fs::remove(CONFIG_NAME);
    playLine(player);
    player.leaveResults();
    game.pressKey("Escape");
    EXPECT_EQ(game.waitExit(), 0);
    const std::string saved = readFile(CONFIG_NAME);
    EXPECT_GT(lineBestIn(saved), 0);
    EXPECT_EQ(saved, configText(0, MODE_LINE, lineBestIn(saved)));
    EXPECT_TRUE(fs::exists(replayFileOf(MODE_LINE)));
}

// Two copies in one folder, config.ini a link into another folder. The copy that started
// first but finishes last scores less: it must neither undo the other's record nor write
// its replay, and the link stays a link. Both games keep their line in scores.txt.
TEST_F(FaultRecord, TwoCopiesInOneFolderNeverLoseARecordAndALinkStaysALink) {
    fs::create_directory("synced");
    fs::rename(CONFIG_NAME, "synced/config.ini");
    fs::create_symlink("synced/config.ini", CONFIG_NAME);

    GameProcess slower({}, LaunchOptions{{"SDL_VIDEO_WINDOW_POS=640,0"}, {}});  // side by side
    Player slowerPlayer(slower);
    slowerPlayer.reachTitle();
    slowerPlayer.chooseMode(MODE_LINE);
    fs::remove("run.log");  // so that nothing is read from it before the new run resets it
    GameProcess faster;
    Player fasterPlayer(faster);
    fasterPlayer.reachTitle();
    playLine(fasterPlayer);
    const std::string saved = waitForConfigChange(configText());
    fasterPlayer.leaveResults();
    const std::string replay = readFile(replayFileOf(MODE_LINE));
    faster.pressKey("Escape");
    EXPECT_EQ(faster.waitExit(), 0);

    takeLinePairs(slowerPlayer);
    slowerPlayer.leaveResults();
    slower.pressKey("Escape");
    EXPECT_EQ(slower.waitExit(), 0);

    EXPECT_GT(lineBestIn(saved), 0);
    EXPECT_EQ(saved, configText(0, MODE_LINE, lineBestIn(saved)));
    EXPECT_EQ(readFile(CONFIG_NAME), saved) << "the better record stays";
    EXPECT_EQ(readFile(replayFileOf(MODE_LINE)), replay) << "the losing copy writes no replay";
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
class FaultAsNobody : public GameOnDisplay {
protected:
    void SetUp() override {
        GameOnDisplay::SetUp();
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
        // The log and the screenshot are made for the game in advance, as it cannot create
        // files here.
        for (const char* file : {"run.log", "tolmshot.bmp"}) {
            writeFile(file, "");
            giveToNobody(file);
        }
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
        writeFile(CONFIG_NAME, configText());
        fs::permissions(CONFIG_NAME, READ_ONLY);
        GameProcess game({}, launch);
        Player player(game);
        player.reachTitle();
        playLine(player);
        waitForSaves();
        player.leaveResults();
        game.pressKey("Escape");
        EXPECT_EQ(game.waitExit(), 0);

        EXPECT_EQ(countLogLines(TITLE_LINE), 2u) << "results, then the title again";
        EXPECT_EQ(lastLogLine(), QUIT_LINE);
        EXPECT_EQ(fs::status(CONFIG_NAME).permissions() & fs::perms::all, READ_ONLY);
        std::error_code missing;
        const uintmax_t replaySize = fs::file_size(replayFileOf(MODE_LINE), missing);
        ASSERT_FALSE(missing) << "the replay is written";
        EXPECT_GT(replaySize, 0u);
        EXPECT_EQ(replaySize % REPLAY_RECORD_SIZE, 0u);
        EXPECT_EQ(strayEntries(scratch.path(), {"xauthority"}), std::vector<std::string>{})
            << "no temporary file is left";
    }

    static constexpr fs::perms READ_ONLY =
        fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read;
    LaunchOptions launch{{}, nobodyWrapper()};
};

TEST_F(FaultAsNobody, InAClosedFolderAReadOnlyConfigKeepsItsBestAndTheReplayIsStillWritten) {
    ASSERT_NE(asNobody({"test", "-w", "."}), 0) << "the folder must be closed to nobody";
    playARecordWithAReadOnlyConfig(
        [] { EXPECT_TRUE(waitForLogLine("Cannot write file 'config.ini'", GAME_END_TIMEOUT)); });
    EXPECT_EQ(readFile(CONFIG_NAME), configText());
}

// Saving replaces the file by a rename, which asks the folder, not the file: a read-only
// config.ini alone does not keep the game from storing a record.
TEST_F(FaultAsNobody, InAnOpenFolderAReadOnlyConfigIsReplacedAndStaysReadOnly) {
    fs::permissions(scratch.path(), fs::perms::all);
    playARecordWithAReadOnlyConfig([] { waitForConfigChange(configText()); });
    const std::string saved = readFile(CONFIG_NAME);
    EXPECT_GT(lineBestIn(saved), 0);
    EXPECT_EQ(saved, configText(0, MODE_LINE, lineBestIn(saved)));
    for (const std::string& line : logLines()) EXPECT_EQ(line.find("Cannot"), std::string::npos);
}

// A config.ini the player cannot read is never replaced, by the title or by the game: the
// title shows every best 0 and the log names the file and the reason; a game still plays.
TEST_F(FaultAsNobody, AnUnreadableConfigIsLoggedPlayedWithAndLeftAsItWas) {
    fs::permissions(scratch.path(), fs::perms::all);
    const std::string config = configText(0, MODE_LINE, 4321);
    writeFile(CONFIG_NAME, config);
    fs::permissions(CONFIG_NAME, fs::perms::none);
    GameProcess game({}, launch);
    Player player(game);
    player.reachTitle();
    player.startMode(MODE_LINE);
    game.pressKey("Escape");
    EXPECT_EQ(game.waitExit(GAME_END_TIMEOUT), 0);
    const std::vector<std::string> lines = logLines();
    EXPECT_EQ(std::count(lines.begin(), lines.end(), "Cannot open file 'config.ini': Permission denied"), 2)
        << "read by the title and by the game";
    EXPECT_EQ(lastLogLine(), QUIT_LINE);
    EXPECT_EQ(readFile(CONFIG_NAME), config);
    EXPECT_EQ(fs::status(CONFIG_NAME).permissions() & fs::perms::all, fs::perms::none);
    EXPECT_EQ(replayEntries(), std::vector<std::string>{});
}

// A folder the player cannot write to costs the log file, not the game.
TEST_F(FaultAsNobody, InAClosedFolderWithoutARunLogTheLogGoesToStandardOutput) {
    fs::remove("run.log");
    writeFile(CONFIG_NAME, configText());
    GameProcess game({}, launch);
    const auto printed = [&game](const std::string& line) {
        return waitUntil(
            [&] { return game.standardOutput().find(line + "\n") != std::string::npos; }, 10s);
    };
    ASSERT_TRUE(printed("Exec loop."));
    game.click(600, 20);  // a click anywhere skips the logo
    ASSERT_TRUE(printed(TITLE_LINE));
    game.screenshot();  // the title is past its loading: a key pressed now is seen
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

// Files whose bests cannot all be read as they stand: those read 0.
const OddConfig UNREADABLE_CONFIGS[] = {
    {"Empty", ""},
    {"BinaryJunk", junkBytes()},
    {"ByteOrderMark", "\xEF\xBB\xBF" + configText()},
};

void PrintTo(const OddConfig& config, std::ostream* out) { *out << config.name; }

class FaultConfig : public ::testing::TestWithParam<OddConfig> {
protected:
    void SetUp() override { ASSERT_TRUE(needsX()); }
};

Image titlePicture(const std::string& config);

TEST_P(FaultConfig, TheTitleShowsAndLeavesTheFile) { titlePicture(GetParam().bytes); }

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
    const Image picture = Player(game).reachTitle();
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
    ASSERT_TRUE(needsX());
    const Image reference = titlePicture(configText(0, MODE_LINE, 1000));
    // The test can only see a difference where a zero best would look different.
    ASSERT_GT(lineScoreDifferences(reference, titlePicture(configText())), 20u);

    const OddConfig readable[] = {
        {"CR LF line ends", withCrLf(configText(0, MODE_LINE, 1000))},
        // 24 * 2^32 + 1000: the digits are read modulo 2^32.
        {"twelve digits", configText(0, MODE_LINE, 103079216104L)},
    };
    for (const OddConfig& config : readable) {
        SCOPED_TRACE(config.name);
        EXPECT_EQ(lineScoreDifferences(reference, titlePicture(config.bytes)), 0u);
    }
}

}  // namespace
