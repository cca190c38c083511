// A started headless framework for one test: fresh platform state, scratch folder, init/quit.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "support/scratch.h"
#include "tolm2/input.h"
#include "tolm2/platform/null/headless.h"

class FrameworkTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // SetUp with count joysticks of buttons buttons each present from start-up.
    void setUpWithJoysticks(int count, int buttons);

    // Shuts the framework down and starts it again on a fresh platform at width x height;
    // prepare sets the platform up (desktop size, context rules) before the start.
    void restart(int32_t width, int32_t height, bool fullscreen = false, bool atDesktop = false,
                 const std::function<void()>& prepare = {});

    // One frame boundary: flip and wait, so input set before it is seen by the next frame.
    void nextFrame();
    // Input set for one frame, then let go for one frame.
    void tap(const std::function<void(bool)>& input);
    // Left button down for one frame at (x, y) in window pixels, then up for one frame.
    void clickAt(int32_t x, int32_t y);
    // Inputs for a press-style helper to set (true) and let go (false): a key, pad 0's button.
    static std::function<void(bool)> keyInput(int code) {
        return [code](bool down) { headless::setKey(code, down); };
    }
    static std::function<void(bool)> padButton(int b) {
        return [b](bool down) { headless::setJoystickButton(0, b, down); };
    }
    // The pointer at (x, y) in window pixels with the left button down (true) or up (false).
    static std::function<void(bool)> leftClick(int32_t x, int32_t y) {
        return [x, y](bool down) {
            headless::setMouse(x, y);
            headless::setMouseButtons(down ? MOUSE_LEFT : 0);
        };
    }
    // Holds input for the one frame in which scene steps and draws, then lets go.
    template <typename Scene>
    void frameWith(Scene& scene, const std::function<void(bool)>& input) {
        input(true);
        nextFrame();
        headless::clearDrawCalls();
        scene.step();
        scene.draw();
        input(false);
        nextFrame();
    }

    // Texts drawn since the last clearDrawCalls, in order.
    std::vector<std::string> drawnTexts() const;
    const plat::GlyphRun* findText(const std::string& text) const;
    std::vector<plat::TexturedQuad> quadsOf(const std::string& textureKey) const;
    std::vector<std::string> playedSounds() const;

    std::unique_ptr<ScratchDir> scratch;
};
