// The headless framework fixture shared by the module tests.
#include "support/framework.h"

#include "tolm2/internal.h"
#include "tolm2/tolm2.h"

void FrameworkTest::SetUp() { setUpWithJoysticks(0, 0); }

void FrameworkTest::setUpWithJoysticks(int count, int buttons) {
    headless::reset();
    if (count > 0) headless::attachJoysticks(count, buttons);
    scratch = std::make_unique<ScratchDir>();
    Tolm_init("KORVANE", 640, 480, false, false);
    Tolm_seedRandom(12345);
}

void FrameworkTest::TearDown() {
    Tolm_quit();
    scratch.reset();
}

void FrameworkTest::restart(int32_t width, int32_t height, bool fullscreen, bool atDesktop,
                            const std::function<void()>& prepare) {
    Tolm_quit();
    headless::reset();
    if (prepare) prepare();
    Tolm_init("KORVANE", width, height, fullscreen, false, false, atDesktop);
}

void FrameworkTest::nextFrame() {
    Tolm_flip();
    Tolm_wait(FRAME_PERIOD);
}

void FrameworkTest::tap(const std::function<void(bool)>& input) {
    input(true);
    nextFrame();
    input(false);
    nextFrame();
}

void FrameworkTest::clickAt(int32_t x, int32_t y) { tap(leftClick(x, y)); }

std::vector<std::string> FrameworkTest::drawnTexts() const {
    std::vector<std::string> texts;
    for (const headless::DrawCall& call : headless::drawCalls()) {
        if (call.kind == headless::DrawCall::GLYPHS) texts.push_back(call.glyphs.text);
    }
    return texts;
}

const plat::GlyphRun* FrameworkTest::findText(const std::string& text) const {
    for (const headless::DrawCall& call : headless::drawCalls()) {
        if (call.kind == headless::DrawCall::GLYPHS && call.glyphs.text == text) {
            return &call.glyphs;
        }
    }
    return nullptr;
}

std::vector<plat::TexturedQuad> FrameworkTest::quadsOf(const std::string& textureKey) const {
    std::vector<plat::TexturedQuad> quads;
    const Texture* texture = Tolm_findTexture(textureKey);
    if (texture == nullptr) return quads;
    for (const headless::DrawCall& call : headless::drawCalls()) {
        if (call.kind == headless::DrawCall::QUAD && call.quad.texture == texture->getId()) {
            quads.push_back(call.quad);
        }
    }
    return quads;
}

std::vector<std::string> FrameworkTest::playedSounds() const {
    std::vector<std::string> files;
    for (const headless::SoundCall& call : headless::soundCalls()) {
        if (call.op == "play") files.push_back(call.file);
    }
    return files;
}
