// A started headless framework for one test: fresh platform state, scratch folder, init/quit.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "support/scratch.h"
#include "tolm2/platform/null/headless.h"

class FrameworkTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // SetUp with count joysticks of buttons buttons each present from start-up.
    void setUpWithJoysticks(int count, int buttons);

    // One frame boundary: flip and wait, so input set before it is seen by the next frame.
    void nextFrame();
    // Left button down for one frame at (x, y) in window pixels, then up for one frame.
    void clickAt(int32_t x, int32_t y);

    // Texts drawn since the last clearDrawCalls, in order.
    std::vector<std::string> drawnTexts() const;
    const plat::GlyphRun* findText(const std::string& text) const;
    std::vector<plat::TexturedQuad> quadsOf(const std::string& textureKey) const;
    std::vector<std::string> playedSounds() const;

    std::unique_ptr<ScratchDir> scratch;
};
