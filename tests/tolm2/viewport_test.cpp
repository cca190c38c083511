// Where the picture sits in windows of many shapes, and the mouse mapped through it.
#include <gtest/gtest.h>

#include <vector>

#include "support/framework.h"
#include "tolm2/internal.h"
#include "tolm2/tolm2.h"

namespace {

struct Probe {
    int32_t windowX, windowY, logicalX, logicalY;
};

struct ViewCase {
    int32_t width, height;
    bool keepAspect;
    ViewRect picture;
    std::vector<Probe> probes;
};

const std::vector<ViewCase> VIEW_CASES = {
    {640, 480, false, {0, 0, 640, 480}, {{0, 0, 0, 0}, {639, 479, 639, 479}}},
    {640, 480, true, {0, 0, 640, 480}, {{639, 479, 639, 479}}},
    {1920, 1080, false, {0, 0, 1920, 1080}, {{960, 540, 320, 240}, {1919, 1079, 639, 479}}},
    // Bars left and right: their pixels land outside 0..639.
    {1920, 1080, true, {240, 0, 1440, 1080},
     {{239, 0, -1, 0}, {0, 540, -107, 240}, {240, 0, 0, 0}, {1679, 1079, 639, 479},
      {1680, 540, 640, 240}, {1919, 1079, 746, 479}}},
    // Bars above and below.
    {1024, 1024, true, {0, 128, 1024, 768},
     {{0, 127, 0, -1}, {0, 128, 0, 0}, {1023, 895, 639, 479}, {512, 896, 320, 480}}},
    // Odd sizes round the picture down and centre it on whole pixels.
    {801, 599, true, {1, 0, 798, 599}, {{0, 0, -1, 0}, {798, 598, 639, 479}, {799, 0, 640, 0}}},
    {801, 599, false, {0, 0, 801, 599}, {{800, 598, 639, 479}}},
    // Smaller than the picture.
    {320, 240, true, {0, 0, 320, 240}, {{319, 239, 638, 478}}},
    {100, 50, true, {17, 0, 66, 50}, {{16, 0, -10, 0}, {17, 49, 0, 470}, {82, 0, 630, 0}}},
    {300, 20, false, {0, 0, 300, 20}, {{299, 19, 637, 456}}},
    {1, 1, false, {0, 0, 1, 1}, {{0, 0, 0, 0}}},
    {1, 1, true, {0, 0, 1, 1}, {{0, 0, 0, 0}, {1, 1, 640, 480}}},
};

TEST(Viewport, PictureAndMouseShareOneRectangleInEveryWindow) {
    for (const ViewCase& c : VIEW_CASES) {
        SCOPED_TRACE(std::to_string(c.width) + " x " + std::to_string(c.height) +
                     (c.keepAspect ? " keep-aspect" : " stretched"));
        EXPECT_EQ(Tolm_pictureRect(c.width, c.height, c.keepAspect), c.picture);
        headless::reset();
        ScratchDir dir;
        Tolm_init("KORVANE", c.width, c.height, false, false, c.keepAspect);
        EXPECT_EQ(headless::window().picture, c.picture) << "the drawing goes where the mouse maps";
        for (const Probe& p : c.probes) {
            headless::setMouse(p.windowX, p.windowY);
            EXPECT_EQ(Tolm_mouseX(), p.logicalX) << "pixel " << p.windowX << ", " << p.windowY;
            EXPECT_EQ(Tolm_mouseY(), p.logicalY) << "pixel " << p.windowX << ", " << p.windowY;
        }
        Tolm_quit();
    }
}

}  // namespace
