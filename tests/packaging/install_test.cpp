// The Debian package installed for real: the launcher's refusals, a player's first start
// from "/" with a LINE record kept in their own folder, /usr changed only by the package,
// and the records still there once the package is removed.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "board_reader.h"
#include "game_checks.h"
#include "game_process.h"
#include "player.h"
#include "support/scratch.h"

namespace fs = std::filesystem;
using namespace std::chrono_literals;

namespace {

constexpr const char* LAUNCHER = "/usr/games/korvane";
constexpr const char* INSTALLED_DATA = "/usr/share/games/korvane/resource";
constexpr const char* NOBODY = "65534";
// Caches that the desktop's package triggers rebuild whenever any menu entry or icon
// comes or goes.
const std::set<std::string> DESKTOP_CACHES = {"/usr/share/applications/mimeinfo.cache",
                                              "/usr/share/icons/hicolor/icon-theme.cache"};
constexpr const char* USER_PATH = "PATH=/usr/local/bin:/usr/bin:/bin:/usr/local/games:/usr/games";

// Every entry under /usr by path: its type and mode, and for all but folders (whose
// times change whenever an entry comes or goes) its size and time of change.
using Snapshot = std::map<std::string, std::string>;

Snapshot snapshotOfUsr() {
    const CommandResult found =
        runCommand({"find", "/usr", "-xdev", "(", "-type", "d", "-printf", "%p\\t%y %m\\n", ")",
                    "-o", "-printf", "%p\\t%y %m %s %T@\\n"},
                   120s);
    EXPECT_EQ(found.status, 0) << "find /usr";
    Snapshot entries;
    std::istringstream lines(found.output);
    for (std::string line; std::getline(lines, line);) {
        const size_t tab = line.find('\t');
        entries[line.substr(0, tab)] = line.substr(tab + 1);
    }
    return entries;
}

// The paths added, removed or changed from a to b, leaving out those in skipped.
std::vector<std::string> changes(const Snapshot& a, const Snapshot& b,
                                 const std::set<std::string>& skipped = {}) {
    std::vector<std::string> paths;
    for (const auto& [path, entry] : a) {
        const auto found = b.find(path);
        if ((found == b.end() || found->second != entry) && skipped.count(path) == 0) {
            paths.push_back(path);
        }
    }
    for (const auto& [path, entry] : b) {
        if (a.count(path) == 0 && skipped.count(path) == 0) paths.push_back(path);
    }
    return paths;
}

// The paths the package owns, parent folders included, as dpkg lists them.
std::set<std::string> packagePaths() {
    std::istringstream lines(runCommand({"dpkg", "-L", "korvane"}).output);
    std::set<std::string> paths = DESKTOP_CACHES;
    for (std::string line; std::getline(lines, line);) paths.insert(line);
    return paths;
}

// Removes the package when it is installed; the exit status.
int removePackage() {
    const char* script = "! dpkg-query -W korvane >/dev/null 2>&1 || apt-get remove -y -qq korvane";
    return runCommand({"sh", "-c", script}, 300s).status;
}

// The installed launcher as nobody with only the given variables; its exit status and
// what it wrote on standard error.
CommandResult launchAsNobody(const std::string& variables) {
    return runCommand({"sh", "-c",
                       std::string("setpriv --reuid=") + NOBODY + " --regid=" + NOBODY +
                           " --clear-groups env -i " + USER_PATH + " " + variables +
                           " korvane 2>&1 >/dev/null"});
}

class InstalledPackage : public ::testing::Test {
protected:
    void SetUp() override {
        const char* deb = std::getenv("KORVANE_DEB");
        if (deb == nullptr || ::geteuid() != 0) {
            GTEST_SKIP() << "installs a package: needs root and KORVANE_DEB (the package stage)";
        }
        ASSERT_NE(std::getenv("DISPLAY"), nullptr) << "needs X: run under xvfb-run";
        ::setenv("DEBIAN_FRONTEND", "noninteractive", 1);
        fs::permissions(scratch.path(), fs::perms::owner_all | fs::perms::group_read |
                                            fs::perms::group_exec | fs::perms::others_read |
                                            fs::perms::others_exec);
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
    Snapshot before;
};

TEST_F(InstalledPackage, KeepsEachPlayersRecordsInTheirHomeAndLeavesThemOnRemoval) {
    const Snapshot installed = snapshotOfUsr();
    const std::set<std::string> owned = packagePaths();
    EXPECT_EQ(changes(before, installed, owned), std::vector<std::string>{})
        << "only the package's own files are new under /usr";

    const std::string unwritable = scratch.path().string();
    const struct {
        std::string variables;
        std::string line;
    } refusals[] = {
        {"", "korvane: neither HOME nor XDG_DATA_HOME is set; there is no folder to keep your "
             "records in\n"},
        {"XDG_DATA_HOME=relative", "korvane: neither HOME nor XDG_DATA_HOME is set; there is "
                                   "no folder to keep your records in\n"},
        {"HOME=" + unwritable, "korvane: cannot create the folder " + unwritable +
                                   "/.local/share/korvane: Permission denied\n"},
    };
    for (const auto& refusal : refusals) {
        const CommandResult result = launchAsNobody(refusal.variables);
        EXPECT_EQ(result.status, 1) << refusal.variables;
        EXPECT_EQ(result.output, refusal.line) << refusal.variables;
    }

    LaunchOptions launch;
    launch.wrapper = {"setpriv", std::string("--reuid=") + NOBODY,
                      std::string("--regid=") + NOBODY, "--clear-groups"};
    launch.program = "korvane";
    launch.startDirectory = "/";
    launch.filesDirectory = folder;
    launch.environment = {"HOME=" + home.string(), "XDG_DATA_HOME=", USER_PATH};
    // Xvfb's cookie lies in a folder only root may read.
    if (const char* cookie = std::getenv("XAUTHORITY")) {
        fs::copy_file(cookie, home / "xauthority");
        ASSERT_EQ(::chown((home / "xauthority").c_str(), 65534, 65534), 0);
        launch.environment.push_back("XAUTHORITY=" + (home / "xauthority").string());
    }
    {
        GameProcess game({}, launch);
        game.window();
        fs::current_path(folder);
        EXPECT_EQ(fs::read_symlink("resource"), INSTALLED_DATA);
        Player player(game);
        player.reachTitle();
        takeStillPairsChecked(player, twinsOf(findCards(player.startMode(MODE_LINE))));
        ASSERT_FALSE(HasFailure());
        finishWithRecord(game, player, MODE_LINE, 5s);
        game.pressKey("Escape");
        EXPECT_EQ(game.waitExit(), 0);
    }
    const std::string config = readFile("config.ini");
    const std::string replay = readFile(replayFileOf(MODE_LINE));
    ASSERT_FALSE(replay.empty()) << "a replay of the record";
    EXPECT_EQ(changes(installed, snapshotOfUsr()), std::vector<std::string>{})
        << "playing writes nothing under /usr";

    ASSERT_EQ(removePackage(), 0);
    EXPECT_EQ(changes(before, snapshotOfUsr(), DESKTOP_CACHES), std::vector<std::string>{})
        << "removal leaves /usr as it was";
    EXPECT_EQ(readFile(folder / "config.ini"), config);
    EXPECT_EQ(readFile(folder / replayFileOf(MODE_LINE)), replay);
}

}  // namespace
