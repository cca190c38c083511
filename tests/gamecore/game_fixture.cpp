// Shared fixture of the playing-scene tests.
#include "game_fixture.h"

#include <cmath>

#include "tolm2/internal.h"

void GameTest::SetUp() {
    FrameworkTest::SetUp();
    writeFile("config.ini", configText());
}

void GameTest::TearDown() {
    game.reset();
    FrameworkTest::TearDown();
}

GameMain& GameTest::newGame(int32_t mode, uint32_t seed) {
    Tolm_seedRandom(seed);
    Tolm_setValue(MODE_SLOT, mode);
    game = std::make_unique<GameMain>();
    return *game;
}

GameMain& GameTest::setUpGame(int32_t mode, uint32_t seed) {
    newGame(mode, seed).step();
    return *game;
}

GameMain& GameTest::playingGame(int32_t mode, uint32_t seed) {
    newGame(mode, seed);
    frames(182);
    EXPECT_EQ(game->getScene(), GameMain::PLAYING);
    return *game;
}

void GameTest::frame() {
    headless::clearDrawCalls();
    headless::clearSoundCalls();
    game->step();
    game->draw();
    Tolm_flip();
    Tolm_wait(FRAME_PERIOD);
}

void GameTest::frames(int count) {
    for (int i = 0; i < count; ++i) frame();
}

void GameTest::clickAt(int32_t x, int32_t y) {
    headless::setMouse(x, y);
    headless::setMouseButtons(MOUSE_LEFT);
    frame();
    headless::setMouseButtons(0);
    frame();
}

void GameTest::press(const std::function<void(bool)>& set) {
    set(true);
    frame();
    set(false);
    frame();
}

void GameTest::clickCard(int32_t index) {
    const Card& c = game->card(index);
    clickAt(game->getBoardX() + static_cast<int32_t>(c.x) + 1,
            game->getBoardY() + static_cast<int32_t>(c.y) + 1);
}

void GameTest::take(int32_t a, int32_t b) {
    game->card(a).state = 1;
    game->card(b).state = 1;
    game->setPicks(a, b);
    game->takePair();
}

std::vector<plat::TexturedQuad> GameTest::tamaRegion(int32_t srcX, int32_t srcY, int32_t srcW,
                                                     int32_t srcH) const {
    const Texture* tama = Tolm_findTexture("tama");
    std::vector<plat::TexturedQuad> quads;
    if (tama == nullptr) return quads;
    const double w = tama->getWidth();
    const double h = tama->getHeight();
    for (const auto& call : headless::drawCalls()) {
        const plat::TexturedQuad& q = call.quad;
        if (call.kind == headless::DrawCall::QUAD && q.texture == tama->getId() &&
            near(q.s0, srcX / w) && near(q.t0, srcY / h) && near(q.ds, srcW / w) &&
            near(q.dt, srcH / h)) {
            quads.push_back(q);
        }
    }
    return quads;
}

std::vector<plat::TexturedQuad> GameTest::tamaRegionAt(int32_t srcX, int32_t srcY, int32_t srcW,
                                                       int32_t srcH, double x, double y) const {
    std::vector<plat::TexturedQuad> found;
    for (const auto& q : tamaRegion(srcX, srcY, srcW, srcH)) {
        if (near(q.x, x) && near(q.y, y)) found.push_back(q);
    }
    return found;
}

std::vector<plat::GlyphRun> GameTest::textRuns(const std::string& text) const {
    std::vector<plat::GlyphRun> runs;
    for (const auto& call : headless::drawCalls()) {
        if (call.kind == headless::DrawCall::GLYPHS && call.glyphs.text == text) {
            runs.push_back(call.glyphs);
        }
    }
    return runs;
}

std::vector<plat::GlyphRun> GameTest::textRunsAt(const std::string& text, int32_t x,
                                                 int32_t y) const {
    std::vector<plat::GlyphRun> found;
    for (const auto& run : textRuns(text)) {
        if (textOriginX(run) == x && run.y == y) found.push_back(run);
    }
    return found;
}

bool GameTest::drewBox(std::array<int32_t, 4> rect, Rgba rgba) const {
    for (const auto& call : headless::drawCalls()) {
        const plat::Box& b = call.box;
        if (call.kind == headless::DrawCall::BOX && b.x == rect[0] && b.y == rect[1] &&
            b.w == rect[2] && b.h == rect[3] && b.lineWidth == 0 && b.angle == 0.0f &&
            Rgba{b.r, b.g, b.b, b.a} == rgba) {
            return true;
        }
    }
    return false;
}

int32_t textOriginX(const plat::GlyphRun& run) {
    if (run.cells.empty()) return -1;
    const size_t spaces = run.text.find_first_not_of(' ');
    return run.cells.front().x - static_cast<int32_t>(spaces) * static_cast<int32_t>(run.cell);
}

bool near(float a, double b) { return std::fabs(static_cast<double>(a) - b) < 1e-3; }

Rgba rgbaOf(const plat::GlyphRun& run) { return {run.r, run.g, run.b, run.a}; }

Rgba rgbaOf(const plat::TexturedQuad& q) { return {q.r, q.g, q.b, q.a}; }
