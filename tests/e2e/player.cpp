// The scripted player: clicks through xdotool, checks through screenshots, and retries
// what a busy machine may have lost (a press shorter than a frame goes unseen).
#include "player.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <stdexcept>
#include <thread>
#include <vector>

#include "e2e_files.h"

using namespace std::chrono_literals;

namespace {

constexpr const char* TITLE_LINE = "TitleMain";
constexpr const char* HELP_LINE = "HelpMain";
constexpr const char* GAME_LINE = "Gamecoer init";
constexpr const char* TITLE_PROMPT = "MENU CLICK TO START";
constexpr const char* EXIT_PROMPT = "PRESS mouse L BUTTON TO EXIT";
// Off the board and right of the title's mode rows: a click here changes nothing.
constexpr int AWAY_X = 620;
constexpr int AWAY_Y = 470;
constexpr int ROW_CLICK_X = 200;
constexpr int ROW_CLICK_DOWN = 12;
// Between two clicks the game must sample the button up at least once.
constexpr auto CLICK_GAP = 40ms;
constexpr auto POLL_GAP = 50ms;
constexpr int RETRIES = 4;
// MIXER: a click aimed at a card's centre must stay out of every other card, and a card
// can be followed from one picture to the next when no other of its number is near.
constexpr double CLEARANCE = 34.0;
constexpr int SAME_PLACE = 20;
constexpr double MAX_SPEED = 1.9;
constexpr int MAX_TRACKED_FRAMES = 30;
// Frames between a picture and the click that follows, beyond the time spent in between
// (the file is seen after its frame, xdotool starts, the press waits for a frame): a
// first guess that each pick corrects.
constexpr double FIRST_EXTRA_LAG = 6.0;
constexpr double MAX_EXTRA_LAG = 20.0;
constexpr double MIN_SPEED_TO_LEARN = 0.8;
constexpr double MAX_LAG_STEP = 5.0;
constexpr int IDLE_LOOKS_BEFORE_COLOUR = 20;

bool isFace(Face face) { return face == Face::RED || face == Face::GREEN || face == Face::YELLOW; }

// How card pairs with the card of with: 2 by number, 1 by colour when colours count, 0 not.
int pairing(const Pick& with, const SeenCard& card, bool anyColour) {
    if (card.number == with.number) return 2;
    return anyColour && isFace(with.face) && card.face == with.face ? 1 : 0;
}

// A candidate's pairing, then how clear of other cards it will be at the click.
using Rank = std::pair<int, double>;
constexpr Rank NO_RANK{0, 0.0};

// The card of the highest rank among those that pair at all and stand clear enough;
// nullptr when none does.
template <typename Card, typename RankOf>
const Card* bestRanked(const std::vector<Card>& cards, RankOf rankOf) {
    const Card* best = nullptr;
    Rank bestRank = NO_RANK;
    for (const Card& card : cards) {
        const Rank rank = rankOf(card);
        if (rank.first == 0 || rank.second < CLEARANCE) continue;
        if (best == nullptr || rank > bestRank) {
            bestRank = rank;
            best = &card;
        }
    }
    return best;
}

bool showsResults(const Image& shot) {
    return showsText(shot, "RESULTS", 110, 160, 4.0f, WHITE_TEXT);
}

}  // namespace

// How far the nearest other card will be from moving at the click, by the larger axis.
double Player::clearanceOf(const Moving& moving, const std::vector<Moving>& cards) {
    double nearest = 1e9;
    for (const Moving& other : cards) {
        if (&other == &moving) continue;
        nearest = std::min(nearest, std::max(std::fabs(other.aimX - moving.aimX),
                                             std::fabs(other.aimY - moving.aimY)));
    }
    return nearest;
}

// Each card's speed from the picture taken frames earlier: the one card of its number
// that could have come from there. A card with none or several is not followed.
std::vector<Player::Moving> Player::tracked(const std::vector<SeenCard>& cards,
                                            const std::vector<SeenCard>& before, int frames) {
    std::vector<Moving> result;
    for (const SeenCard& card : cards) {
        Moving moving{card};
        if (frames >= 1 && frames <= MAX_TRACKED_FRAMES) {
            const SeenCard* origin = nullptr;
            int candidates = 0;
            for (const SeenCard& old : before) {
                const int reach = static_cast<int>(MAX_SPEED * frames) + 2;
                if (old.number == card.number && std::abs(old.x - card.x) <= reach &&
                    std::abs(old.y - card.y) <= reach) {
                    origin = &old;
                    ++candidates;
                }
            }
            if (candidates == 1) {
                moving.vx = static_cast<double>(card.x - origin->x) / frames;
                moving.vy = static_cast<double>(card.y - origin->y) / frames;
                moving.followed = true;
            }
        }
        result.push_back(moving);
    }
    return result;
}

// The best-placed followed card that makes a pair with some other card: the same number
// first, else the same colour.
const Player::Moving* Player::firstCard(const std::vector<Moving>& cards, bool anyColour) {
    return bestRanked(cards, [&](const Moving& moving) {
        if (!moving.followed) return NO_RANK;
        const Pick self{moving.card.face, moving.card.number};
        int partner = 0;
        for (const Moving& other : cards) {
            if (&other != &moving) partner = std::max(partner, pairing(self, other.card, anyColour));
        }
        return Rank{partner, clearanceOf(moving, cards)};
    });
}

// The partner for the pick: the same number first, else the same colour; never the
// pick itself, which stands still where the first click hit it.
const Player::Moving* Player::secondCardFor(const Pick& pick, const std::vector<Moving>& cards,
                                            bool anyColour) const {
    return bestRanked(cards, [&](const Moving& moving) {
        const Place centre{moving.card.x + CARD_SIDE / 2, moving.card.y + CARD_SIDE / 2};
        if (!moving.followed || (pickAim && std::abs(centre.x - pickAim->at.x) < SAME_PLACE &&
                                 std::abs(centre.y - pickAim->at.y) < SAME_PLACE)) {
            return NO_RANK;
        }
        return Rank{pairing(pick, moving.card, anyColour), clearanceOf(moving, cards)};
    });
}

int titleRowY(int mode) { return 180 + 30 * mode; }

Place gridPlace(int index) { return {50 + 33 * (index % 10), 100 + 33 * (index / 10)}; }

size_t countLogLines(const std::string& line) {
    const std::vector<std::string> lines = logLines();
    return static_cast<size_t>(std::count(lines.begin(), lines.end(), line));
}

Player::Player(GameProcess& game_, const ViewRect& picture_)
    : game(game_), picture(picture_), extraLag(FIRST_EXTRA_LAG) {}

void Player::pointAt(int x, int y) {
    if (keysOnly) return;
    const WindowPixel at = windowPixelOf(picture, x, y);
    game.movePointer(at.x, at.y);
}

Image Player::look() {
    const Clock::time_point asked = Clock::now();
    Image shot = logicalPicture(loadPicture(game.screenshot()), picture);
    if (const std::optional<int> clock = readClock(shot)) {
        if (*clock >= FULL_CLOCK) readyLastAsked = asked;
        lowestClock = std::min(lowestClock, *clock);
    }
    return shot;
}

Image Player::lookAway() {
    pointAt(AWAY_X, AWAY_Y);
    return look();
}

void Player::tap(int x, int y) {
    const WindowPixel at = windowPixelOf(picture, x, y);
    game.click(at.x, at.y);
    std::this_thread::sleep_for(CLICK_GAP);
}

void Player::press(const std::vector<std::string>& keys) {
    for (const std::string& key : keys) {
        game.pressKey(key);
        std::this_thread::sleep_for(CLICK_GAP);
    }
}

void Player::tapCard(Place place) { tap(place.x + CARD_SIDE / 2, place.y + CARD_SIDE / 2); }

Image Player::waitForTitleDrawn(size_t titlesBefore) {
    if (!waitUntil([&] { return countLogLines(TITLE_LINE) > titlesBefore; }, 10s)) {
        throw std::runtime_error("no new title scene");
    }
    const auto deadline = Clock::now() + 5s;
    for (;;) {
        Image shot = lookAway();
        if (showsText(shot, TITLE_PROMPT, 180, 400, 2.0f, WHITE_TEXT)) return shot;
        if (Clock::now() >= deadline) throw std::runtime_error("the title is not drawn");
    }
}

void Player::skipLogo() {
    if (!waitForLogLine("Exec loop.")) throw std::runtime_error("the game shows no frame");
    keysOnly ? press({"z"}) : tap(AWAY_X, AWAY_Y);
}

Image Player::reachTitle() {
    const size_t titles = countLogLines(TITLE_LINE);
    const size_t helps = countLogLines(HELP_LINE);
    skipLogo();
    waitUntil(
        [&] { return countLogLines(TITLE_LINE) > titles || countLogLines(HELP_LINE) > helps; },
        10s);
    // A busy machine may lose a click: the next one goes out once the title has not come.
    for (int attempt = 0; attempt < RETRIES && countLogLines(HELP_LINE) > helps &&
                          countLogLines(TITLE_LINE) <= titles;
         ++attempt) {
        leaveHelp();
        waitUntil([&] { return countLogLines(TITLE_LINE) > titles; }, 2s);
    }
    return waitForTitleDrawn(titles);
}

void Player::leaveHelp() { keysOnly ? press({"x"}) : tap(AWAY_X, AWAY_Y); }

void Player::clickMode(int mode) { tap(ROW_CLICK_X, titleRowY(mode) + ROW_CLICK_DOWN); }

void Player::chooseMode(int mode) {
    const size_t games = countLogLines(GAME_LINE);
    if (keysOnly) {
        // The first Down lands on LINE, the pointer being on no row.
        press(std::vector<std::string>(static_cast<size_t>(mode), "Down"));
        press({"z"});
    } else {
        clickMode(mode);
    }
    // Set-up logs its line twice.
    if (!waitUntil([&] { return countLogLines(GAME_LINE) >= games + 2; }, 5s)) {
        throw std::runtime_error("the click on the mode row started no game");
    }
    pointAt(AWAY_X, AWAY_Y);
    lowestClock = FULL_CLOCK;
}

Image Player::waitForPlay() {
    const auto deadline = Clock::now() + 10s;
    for (;;) {
        Image shot = look();
        const std::optional<int> clock = readClock(shot);
        const std::optional<long> shown = readScore(shot);
        if (clock && *clock < FULL_CLOCK && shown) {
            lastScore = *shown;
            return shot;
        }
        if (Clock::now() >= deadline) throw std::runtime_error("the game clock never ran");
    }
}

Player::Outcome Player::outcomeSince(long before) {
    for (int attempt = 0; attempt < 10; ++attempt) {
        const Image shot = look();
        const std::optional<long> shown = readScore(shot);
        if (!shown) continue;  // a bonus pop-up flies over the score now and then
        if (*shown > before) {
            lastScore = *shown;
            return Outcome::TAKEN;
        }
        return readPick(shot) ? Outcome::PICKED : Outcome::NOTHING;
    }
    return Outcome::UNREADABLE;
}

bool Player::takeStillPair(Place a, Place b) {
    const long before = lastScore;
    for (int attempt = 0; attempt < RETRIES; ++attempt) {
        tapCard(a);
        tapCard(b);
        Outcome outcome = outcomeSince(before);
        if (outcome == Outcome::PICKED) {
            // One click was lost. If a is the pick this drops it, if b is, a completes the pair.
            tapCard(a);
            outcome = outcomeSince(before);
        }
        if (outcome == Outcome::TAKEN) return true;
    }
    return false;
}

bool Player::turnUp(Place place) {
    for (int attempt = 0; attempt < RETRIES; ++attempt) {
        tapCard(place);
        Image shot = lookAway();
        if (readPick(shot)) {
            // An earlier click turned it up after all, and this one picked it: drop it.
            tapCard(place);
            shot = lookAway();
        }
        if (!readPick(shot) && numberOnCard(shot, place.x, place.y)) return true;
    }
    return false;
}

bool Player::takeMovingPair(std::chrono::milliseconds timeout) {
    const long before = lastScore;
    const auto deadline = Clock::now() + timeout;
    std::vector<SeenCard> previous;
    std::optional<int> previousClock;
    int idleLooks = 0;
    while (Clock::now() < deadline) {
        const Image shot = look();
        const Clock::time_point seenAt = Clock::now();
        const std::optional<long> shown = readScore(shot);
        if (shown && *shown > before) {
            lastScore = *shown;
            pickAim.reset();
            return true;
        }
        if (showsResults(shot)) return false;
        const std::optional<int> clock = readClock(shot);
        if (!shown || !clock) continue;
        const std::vector<SeenCard> seen = findCards(shot);
        const std::optional<Pick> pick = readPick(shot);
        if (pick) {
            learnLag(*pick, seen);
        } else {
            pickAim.reset();
            // Cards turned down by a miss must come up again before they can go.
            const std::vector<SeenCard> backs = findBacks(shot);
            if (!backs.empty()) {
                tapCard(placeOf(backs.front()));
                continue;
            }
        }
        std::vector<Moving> cards =
            tracked(seen, previous, previousClock ? *previousClock - *clock : 0);
        previous = seen;
        previousClock = clock;

        const double lag =
            std::chrono::duration<double, std::milli>(Clock::now() - seenAt).count() / FRAME_MS +
            extraLag;
        for (Moving& moving : cards) {
            moving.aimX = moving.card.x + CARD_SIDE / 2 + moving.vx * lag;
            moving.aimY = moving.card.y + CARD_SIDE / 2 + moving.vy * lag;
        }
        // Only when no card of the number shows for a while does a colour partner do.
        const bool anyColour = idleLooks > IDLE_LOOKS_BEFORE_COLOUR;
        const Moving* target =
            pick ? secondCardFor(*pick, cards, anyColour) : firstCard(cards, anyColour);
        if (target == nullptr) {
            ++idleLooks;  // wait for the cards to drift apart
            continue;
        }
        idleLooks = 0;
        const Place aim{static_cast<int>(std::lround(target->aimX)),
                        static_cast<int>(std::lround(target->aimY))};
        if (!pick) pickAim = Aim{aim, target->vx, target->vy, false};
        tap(aim.x, aim.y);
    }
    return false;
}

// The pick stops where the click caught it: how far along its way it got beyond the aim
// tells how many frames the click really took, and the next aims allow for that.
void Player::learnLag(const Pick& pick, const std::vector<SeenCard>& seen) {
    if (!pickAim || pickAim->learned) return;
    pickAim->learned = true;
    const double speed2 = pickAim->vx * pickAim->vx + pickAim->vy * pickAim->vy;
    if (speed2 < MIN_SPEED_TO_LEARN * MIN_SPEED_TO_LEARN) return;
    for (const SeenCard& card : seen) {
        const double dx = card.x + CARD_SIDE / 2 - pickAim->at.x;
        const double dy = card.y + CARD_SIDE / 2 - pickAim->at.y;
        if (card.number != pick.number || std::fabs(dx) >= SAME_PLACE ||
            std::fabs(dy) >= SAME_PLACE) {
            continue;
        }
        const double framesOff = (dx * pickAim->vx + dy * pickAim->vy) / speed2;
        // A card that bounced in the meantime, or another of the number, tells nothing.
        if (std::fabs(framesOff) <= MAX_LAG_STEP) {
            extraLag = std::clamp(extraLag + framesOff / 3, 0.0, MAX_EXTRA_LAG);
        }
        return;
    }
}

Image Player::waitForResults(std::chrono::milliseconds timeout) {
    const auto deadline = Clock::now() + timeout;
    for (;;) {
        Image shot = look();
        if (showsResults(shot)) {
            resultsSeenAt = Clock::now();
            return shot;
        }
        if (Clock::now() >= deadline) throw std::runtime_error("no results screen");
        std::this_thread::sleep_for(POLL_GAP);
    }
}

Image Player::leaveResults() {
    const auto deadline = Clock::now() + 6s;
    for (;;) {
        const Image shot = lookAway();
        if (showsText(shot, EXIT_PROMPT, 100, 440, 2.0f, WHITE_TEXT)) break;
        if (Clock::now() >= deadline) throw std::runtime_error("the results never ask for a click");
    }
    const size_t titles = countLogLines(TITLE_LINE);
    keysOnly ? press({"z"}) : tap(AWAY_X, AWAY_Y);
    return waitForTitleDrawn(titles);
}
