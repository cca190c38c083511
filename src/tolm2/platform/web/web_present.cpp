// The browser platform: the frame goes straight into the canvas's 640 x 480 buffer, which
// the browser shows once the program sleeps.
#include <GL/gl.h>

#include "tolm2/draw.h"
#include "tolm2/platform/platform.h"
#include "tolm2/platform/sdl/sdl_draw.h"
#include "tolm2/platform/web/web_calls.h"

namespace plat {

void initView(int32_t, int32_t, const ViewRect&) {
    glClearColor(0, 0, 0, 0);
    glViewport(0, 0, LOGICAL_WIDTH, LOGICAL_HEIGHT);
    setPictureRowsUp(false);
}

void present() {
    flushDrawing();
    kv_present();
}

void swapBuffers() { flushDrawing(); }

}  // namespace plat
