// Shared fixture of the playing-scene tests: a headless framework in a scratch folder,
// seeded games, frame stepping, scripted clicks and queries of the draw record.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gamecore/game_main.h"
#include "config/mode_table.h"
#include "support/config_text.h"
#include "support/framework.h"
#include "tolm2/tolm2.h"

using Rgba = std::array<int, 4>;
inline constexpr Rgba WHITE = {255, 255, 255, 255};

// The framework fixture with a config.ini of every best 0 and one playing scene.
class GameTest : public FrameworkTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // A new scene for mode (written to the mode slot); setUpGame also runs its first step,
    // playingGame the READY countdown, so that the next frame is the first of play.
    GameMain& newGame(int32_t mode, uint32_t seed = 7);
    GameMain& setUpGame(int32_t mode, uint32_t seed = 7);
    GameMain& playingGame(int32_t mode, uint32_t seed = 7);
    // Step, draw, flip and wait; the draw and sound records then hold this frame only.
    void frame();
    void frames(int count);
    // Left button down for one frame at screen (x, y), then up, stepping the scene: the
    // second frame sees it.
    void clickAt(int32_t x, int32_t y);
    // set(true) for one frame, then set(false): the second frame sees the push.
    void press(const std::function<void(bool)>& set);
    // Clicks one pixel inside the top-left corner of card index.
    void clickCard(int32_t index);
    // Picks a and b as click would and runs takePair directly.
    void take(int32_t a, int32_t b);

    // Quads of "tama" with source region (srcX, srcY, srcW, srcH), optionally only those
    // whose top-left corner is (x, y).
    std::vector<plat::TexturedQuad> tamaRegion(int32_t srcX, int32_t srcY, int32_t srcW,
                                               int32_t srcH) const;
    std::vector<plat::TexturedQuad> tamaRegionAt(int32_t srcX, int32_t srcY, int32_t srcW,
                                                 int32_t srcH, double x, double y) const;
    // Runs of exactly this text; with a position, only those drawn from (x, y).
    std::vector<plat::GlyphRun> textRuns(const std::string& text) const;
    std::vector<plat::GlyphRun> textRunsAt(const std::string& text, int32_t x, int32_t y) const;
    bool drewBox(std::array<int32_t, 4> rect, Rgba rgba) const;

    std::unique_ptr<GameMain> game;
};

// The x given to Tolm_drawText for a run: its first cell less any leading spaces.
int32_t textOriginX(const plat::GlyphRun& run);
bool near(float a, double b);
Rgba rgbaOf(const plat::GlyphRun& run);
Rgba rgbaOf(const plat::TexturedQuad& q);
