// The Debian package installed for real: the launcher's refusals, a player's first start
// from "/" with a LINE record kept in their own folder and checked by korvane-verify, /usr
// changed only by the package, and the records still there once the package is removed.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <set>
#include <sstream>
#include <string>

#include "board_reader.h"
#include "e2e_files.h"
#include "game_checks.h"
#include "game_process.h"
#include "player.h"
#include "support/scratch.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

constexpr const char* INSTALLED_DATA = "/usr/share/games/korvane/resource";
constexpr const char* NOBODY = "65534";
constexpr const char* USER_PATH = "PATH=/usr/local/bin:/usr/bin:/bin:/usr/local/games:/usr/games";
// Caches the desktop's triggers rebuild whenever any menu entry or icon comes or goes.
const std::set<std::string> DESKTOP_CACHES = {"/usr/share/applications/mimeinfo.cache",
                                              "/usr/share/icons/hicolor/icon-theme.cache"};

std::set<std::string> outputLines(const std::vector<std::string>& argv) {
    std::istringstream lines(runCommand(argv, 300s).output);
    std::set<std::string> found;
    for (std::string line; std::getline(lines, line);) found.insert(line);
    return found;
}

// A line per entry under /usr, "path<TAB>type mode", with size and time of change for all
// but folders, whose times change whenever an entry comes or goes.
std::set<std::string> snapshotOfUsr() {
    return outputLines({"find", "/usr", "-xdev", "(", "-type", "d", "-printf", "%p\\t%y %m\\n", ")",
                        "-o", "-printf", "%p\\t%y %m %s %T@\\n"});
}

// The paths added, removed or changed from a to b, but for those skipped.
std::set<std::string> changes(const std::set<std::string>& a, const std::set<std::string>& b,
                              const std::set<std::string>& skipped = {}) {
    std::vector<std::string> differing;
    std::set_symmetric_difference(a.begin(), a.end(), b.begin(), b.end(),
                                  std::back_inserter(differing));
    std::set<std::string> paths;
    for (const std::string& line : differing) {
        const std::string path = line.substr(0, line.find('\t'));
        if (skipped.count(path) == 0) paths.insert(path);
    }
    return paths;
}

int removePackage() {
    const char* script = "! dpkg-query -W korvane >/dev/null 2>&1 || apt-get remove -y -qq korvane";
    return runCommand({"sh", "-c", script}, 300s).status;
}

class InstalledPackage : public ::testing::Test {
protected:
    void SetUp() override {
        const char* deb = std::getenv("KORVANE_DEB");
        if (deb == nullptr || ::geteuid() != 0) {
            GTEST_SKIP() << "installs a package: needs root and KORVANE_DEB (the package stage)";
        }
        ASSERT_TRUE(needsX());
        ::setenv("DEBIAN_FRONTEND", "noninteractive", 1);
        fs::permissions(scratch.path(), fs::perms::others_read | fs::perms::others_exec,
                        fs::perm_options::add);
        fs::create_directory(home);
        ASSERT_EQ(::chown(home.c_str(), 65534, 65534), 0);
        ASSERT_EQ(removePackage(), 0);
        before = snapshotOfUsr();
        ASSERT_EQ(runCommand({"apt-get", "install", "-y", "-qq", deb}, 300s).status, 0);
    }

    void TearDown() override {
        if (!IsSkipped()) removePackage();
    }

    ScratchDir scratch;
    const fs::path home = scratch.path() / "home";
    const fs::path folder = home / ".local" / "share" / "korvane";
    const std::vector<std::string> asNobody = {"setpriv", std::string("--reuid=") + NOBODY,
                                               std::string("--regid=") + NOBODY, "--clear-groups"};
    std::set<std::string> before;
};

TEST_F(InstalledPackage, KeepsEachPlayersRecordsInTheirHomeAndLeavesThemOnRemoval) {
    const std::set<std::string> installed = snapshotOfUsr();
    std::set<std::string> owned = outputLines({"dpkg", "-L", "korvane"});
    owned.insert(DESKTOP_CACHES.begin(), DESKTOP_CACHES.end());
    EXPECT_EQ(changes(before, installed, owned), std::set<std::string>{})
        << "only the package's own files are new under /usr";

    // Bad set-ups: one line on standard error and status 1, before any window.
    const std::string noFolder =
        "korvane: neither HOME nor XDG_DATA_HOME is set; there is no folder to keep your records in";
    const std::string unwritable = scratch.path().string();
    const std::pair<std::string, std::string> refusals[] = {
        {"", noFolder},
        {"XDG_DATA_HOME=relative", noFolder},
        {"HOME=" + unwritable, "korvane: cannot create the folder " + unwritable +
                                   "/.local/share/korvane: Permission denied"},
    };
    for (const auto& [variables, line] : refusals) {
        std::string command;
        for (const std::string& word : asNobody) command += word + " ";
        command += std::string("env -i ") + USER_PATH + " " + variables + " korvane 2>&1 >/dev/null";
        const CommandResult result = runCommand({"sh", "-c", command});
        EXPECT_EQ(result.status, 1) << variables;
        EXPECT_EQ(result.output, line + "\n") << variables;
    }

    LaunchOptions launch{{"HOME=" + home.string(), "XDG_DATA_HOME=", USER_PATH}, asNobody};
    launch.program = "korvane";
    launch.startDirectory = "/";
    launch.filesDirectory = folder;
    // Xvfb's cookie lies in a folder only root may read.
    if (const char* cookie = std::getenv("XAUTHORITY")) {
        fs::copy_file(cookie, home / "xauthority");
        ASSERT_EQ(::chown((home / "xauthority").c_str(), 65534, 65534), 0);
        launch.environment.push_back("XAUTHORITY=" + (home / "xauthority").string());
    }
    long score = 0;
    {
        GameProcess game({}, launch);
        game.window();
        fs::current_path(folder);
        EXPECT_EQ(fs::read_symlink("resource"), INSTALLED_DATA);
        Player player(game);
        player.reachTitle();
        takeStillPairsChecked(player, twinsOf(findCards(player.startMode(MODE_LINE))));
        ASSERT_FALSE(HasFailure());
        score = finishWithRecord(game, player, MODE_LINE, 5s).score;
        game.pressKey("Escape");
        EXPECT_EQ(game.waitExit(), 0);
    }
    // The record's watch file checked by the player, with no display, changing nothing.
    const auto kept = folderContents(folder);
    std::vector<std::string> verify = asNobody;
    verify.insert(verify.end(), {"env", "-i", USER_PATH, "korvane-verify", watchFile(MODE_LINE)});
    const CommandResult checked = runCommand(verify, 60s);
    EXPECT_EQ(checked.output,
              watchFile(MODE_LINE) + ": VERIFIED LINE " + std::to_string(score) + "\n");
    EXPECT_EQ(checked.status, 0);
    EXPECT_EQ(folderContents(folder), kept);
    const std::string config = readFile("config.ini");
    const std::string replay = readFile(replayFileOf(MODE_LINE));
    ASSERT_FALSE(replay.empty()) << "a replay of the record";
    const std::string scores = readFile("scores.txt");
    ASSERT_FALSE(scores.empty()) << "the game's line, in the player's folder";
    EXPECT_EQ(changes(installed, snapshotOfUsr()), std::set<std::string>{})
        << "playing writes nothing under /usr";

    ASSERT_EQ(removePackage(), 0);
    EXPECT_EQ(changes(before, snapshotOfUsr(), DESKTOP_CACHES), std::set<std::string>{})
        << "removal leaves /usr as it was";
    EXPECT_EQ(readFile(folder / "config.ini"), config);
    EXPECT_EQ(readFile(folder / replayFileOf(MODE_LINE)), replay);
    EXPECT_EQ(readFile(folder / "scores.txt"), scores);
}

}  // namespace
