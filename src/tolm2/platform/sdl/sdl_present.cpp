// The real platform: the 640 x 480 picture every frame is drawn into, and its one
// unblended, nearest-filtered pass onto the window, so drawing costs the same at any size.
#include <SDL.h>
#include <SDL_opengl.h>

#include <cstring>

#include "tolm2/draw.h"
#include "tolm2/platform/platform.h"
#include "tolm2/platform/sdl/sdl_draw.h"
#include "tolm2/platform/sdl/sdl_present.h"

namespace {

constexpr GLsizei PICTURE_W = LOGICAL_WIDTH;
constexpr GLsizei PICTURE_H = LOGICAL_HEIGHT;
// Power-of-two texture sides, which plain OpenGL 1.1 needs; the picture fills its
// first 480 rows. Drawn in the same memory rows as a 640 x 480 window's, its pixels are
// those of that window: software GL breaks ties at pixel centres by where they fall.
constexpr GLsizei TEXTURE_W = 1024;
constexpr GLsizei TEXTURE_H = 512;

// Where a frame is drawn.
enum class Target {
    WINDOW,       // straight into the window's picture rectangle, scaled by GL as it goes
    FRAMEBUFFER,  // into a framebuffer object holding the picture texture
    CORNER,       // into the back buffer's top-left 640 x 480, then copied into the texture
};

struct FramebufferCalls {
    PFNGLGENFRAMEBUFFERSEXTPROC gen = nullptr;
    PFNGLDELETEFRAMEBUFFERSEXTPROC remove = nullptr;
    PFNGLBINDFRAMEBUFFEREXTPROC bind = nullptr;
    PFNGLFRAMEBUFFERTEXTURE2DEXTPROC attach = nullptr;
    PFNGLCHECKFRAMEBUFFERSTATUSEXTPROC status = nullptr;
};

struct ProgramCalls {
    PFNGLGENPROGRAMSARBPROC gen = nullptr;
    PFNGLDELETEPROGRAMSARBPROC remove = nullptr;
    PFNGLBINDPROGRAMARBPROC bind = nullptr;
    PFNGLPROGRAMSTRINGARBPROC source = nullptr;
};

struct View {
    Target target = Target::WINDOW;
    int32_t windowW = 0, windowH = 0;
    ViewRect picture;
    GLuint texture = 0;
    GLuint framebuffer = 0;
    FramebufferCalls fbo;
    GLuint copyProgram = 0;  // 0: the fixed-function texture pass
    ProgramCalls program;
};
View view;

bool offersExtension(const char* name) {
    const char* all = reinterpret_cast<const char*>(glGetString(GL_EXTENSIONS));
    if (all == nullptr) return false;
    const size_t length = std::strlen(name);
    for (const char* at = std::strstr(all, name); at != nullptr; at = std::strstr(at + 1, name)) {
        if ((at == all || at[-1] == ' ') && (at[length] == ' ' || at[length] == '\0')) return true;
    }
    return false;
}

template <typename Call>
Call procedure(const char* name) {
    return reinterpret_cast<Call>(SDL_GL_GetProcAddress(name));
}

bool loadFramebufferCalls(FramebufferCalls& calls) {
    if (!offersExtension("GL_EXT_framebuffer_object")) return false;
    calls.gen = procedure<PFNGLGENFRAMEBUFFERSEXTPROC>("glGenFramebuffersEXT");
    calls.remove = procedure<PFNGLDELETEFRAMEBUFFERSEXTPROC>("glDeleteFramebuffersEXT");
    calls.bind = procedure<PFNGLBINDFRAMEBUFFEREXTPROC>("glBindFramebufferEXT");
    calls.attach = procedure<PFNGLFRAMEBUFFERTEXTURE2DEXTPROC>("glFramebufferTexture2DEXT");
    calls.status = procedure<PFNGLCHECKFRAMEBUFFERSTATUSEXTPROC>("glCheckFramebufferStatusEXT");
    return calls.gen && calls.remove && calls.bind && calls.attach && calls.status;
}

bool loadProgramCalls(ProgramCalls& calls) {
    if (!offersExtension("GL_ARB_fragment_program")) return false;
    calls.gen = procedure<PFNGLGENPROGRAMSARBPROC>("glGenProgramsARB");
    calls.remove = procedure<PFNGLDELETEPROGRAMSARBPROC>("glDeleteProgramsARB");
    calls.bind = procedure<PFNGLBINDPROGRAMARBPROC>("glBindProgramARB");
    calls.source = procedure<PFNGLPROGRAMSTRINGARBPROC>("glProgramStringARB");
    return calls.gen && calls.remove && calls.bind && calls.source;
}

// The picture pass as a bare texture fetch. Fixed-function texturing divides by q, which
// keeps software GL off its fast copying path; this program does not. Without the
// extension, or if the driver refuses the program, the fixed-function pass is used.
void createCopyProgram() {
    static constexpr char COPY[] =
        "!!ARBfp1.0\n"
        "TEX result.color, fragment.texcoord[0], texture[0], 2D;\n"
        "END\n";
    if (!loadProgramCalls(view.program)) return;
    while (glGetError() != GL_NO_ERROR) {
    }
    view.program.gen(1, &view.copyProgram);
    view.program.bind(GL_FRAGMENT_PROGRAM_ARB, view.copyProgram);
    view.program.source(GL_FRAGMENT_PROGRAM_ARB, GL_PROGRAM_FORMAT_ASCII_ARB,
                        static_cast<GLsizei>(sizeof COPY - 1), COPY);
    const bool accepted = glGetError() == GL_NO_ERROR;
    view.program.bind(GL_FRAGMENT_PROGRAM_ARB, 0);
    if (accepted) return;
    view.program.remove(1, &view.copyProgram);
    view.copyProgram = 0;
}

void createPictureTexture() {
    glGenTextures(1, &view.texture);
    glBindTexture(GL_TEXTURE_2D, view.texture);
    // An unsized format given BGRA data lets the driver keep BGRA texels, the window's own
    // layout, which software GL copies without converting.
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, TEXTURE_W, TEXTURE_H, 0, GL_BGRA, GL_UNSIGNED_BYTE,
                 nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP);
    // The drawing layer's texture cache starts from "nothing bound" after a mode change.
    glBindTexture(GL_TEXTURE_2D, 0);
}

bool createFramebuffer() {
    if (!loadFramebufferCalls(view.fbo)) return false;
    createPictureTexture();
    view.fbo.gen(1, &view.framebuffer);
    view.fbo.bind(GL_FRAMEBUFFER_EXT, view.framebuffer);
    view.fbo.attach(GL_FRAMEBUFFER_EXT, GL_COLOR_ATTACHMENT0_EXT, GL_TEXTURE_2D, view.texture, 0);
    if (view.fbo.status(GL_FRAMEBUFFER_EXT) == GL_FRAMEBUFFER_COMPLETE_EXT) return true;
    view.fbo.bind(GL_FRAMEBUFFER_EXT, 0);
    view.fbo.remove(1, &view.framebuffer);
    view.framebuffer = 0;
    glDeleteTextures(1, &view.texture);
    view.texture = 0;
    return false;
}

// A window exactly the picture's size needs no extra pass; otherwise a framebuffer object
// where the driver has one, else the back buffer's corner when the window can hold the
// picture, else the frame is drawn at the window's size.
Target chooseTarget() {
    const bool exact = view.picture == ViewRect{0, 0, PICTURE_W, PICTURE_H};
    if (exact) return Target::WINDOW;
    createCopyProgram();
    if (createFramebuffer()) return Target::FRAMEBUFFER;
    if (view.windowW >= PICTURE_W && view.windowH >= PICTURE_H) {
        createPictureTexture();
        return Target::CORNER;
    }
    return Target::WINDOW;
}

// GL counts rows from the bottom.
void setViewportTo(const ViewRect& r) {
    glViewport(r.x, view.windowH - r.y - r.h, r.w, r.h);
}

ViewRect cornerRect() { return {0, 0, PICTURE_W, PICTURE_H}; }

void bindDrawingTarget() {
    plat::setPictureRowsUp(view.target == Target::FRAMEBUFFER);
    switch (view.target) {
        case Target::FRAMEBUFFER:
            view.fbo.bind(GL_FRAMEBUFFER_EXT, view.framebuffer);
            glViewport(0, 0, PICTURE_W, PICTURE_H);
            break;
        case Target::CORNER: setViewportTo(cornerRect()); break;
        case Target::WINDOW: setViewportTo(view.picture); break;
    }
}

// Blackens the window outside the picture: the bars, and whatever of the corner the
// picture was drawn in lies there. Only the bars are cleared: filling the whole window
// first would cost software GL a second full-window pass.
void clearAroundPicture() {
    const ViewRect& p = view.picture;
    const ViewRect bars[] = {
        {0, 0, p.x, view.windowH},                               // left
        {p.x + p.w, 0, view.windowW - p.x - p.w, view.windowH},  // right
        {p.x, 0, p.w, p.y},                                      // top
        {p.x, p.y + p.h, p.w, view.windowH - p.y - p.h},         // bottom
    };
    glEnable(GL_SCISSOR_TEST);
    for (const ViewRect& bar : bars) {
        if (bar.w <= 0 || bar.h <= 0) continue;
        glScissor(bar.x, view.windowH - bar.y - bar.h, bar.w, bar.h);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    glDisable(GL_SCISSOR_TEST);
}

// The picture texture over the picture rectangle, texel for texel at 1:1, with every
// state it touches put back as the drawing layer left it.
void drawPictureOnWindow() {
    glPushAttrib(GL_ENABLE_BIT | GL_COLOR_BUFFER_BIT | GL_CURRENT_BIT | GL_TEXTURE_BIT |
                 GL_VIEWPORT_BIT | GL_SCISSOR_BIT);
    if (view.target == Target::FRAMEBUFFER) view.fbo.bind(GL_FRAMEBUFFER_EXT, 0);
    glBindTexture(GL_TEXTURE_2D, view.texture);
    if (view.target == Target::CORNER) {
        glCopyTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, 0, view.windowH - PICTURE_H, PICTURE_W,
                            PICTURE_H);
    }
    if (view.picture != ViewRect{0, 0, view.windowW, view.windowH}) clearAroundPicture();
    glDisable(GL_BLEND);
    glDisable(GL_CULL_FACE);
    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_REPLACE);
    if (view.copyProgram != 0) {
        view.program.bind(GL_FRAGMENT_PROGRAM_ARB, view.copyProgram);
        glEnable(GL_FRAGMENT_PROGRAM_ARB);
    }
    setViewportTo(view.picture);
    glMatrixMode(GL_PROJECTION);
    glPushMatrix();
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    constexpr GLfloat s = static_cast<GLfloat>(PICTURE_W) / TEXTURE_W;
    constexpr GLfloat t = static_cast<GLfloat>(PICTURE_H) / TEXTURE_H;
    // The texture row of the picture's bottom and top rows.
    const bool rowsUp = view.target == Target::FRAMEBUFFER;
    const GLfloat bottom = rowsUp ? t : 0, top = rowsUp ? 0 : t;
    glBegin(GL_QUADS);
    glTexCoord2f(0, bottom);
    glVertex2f(-1, -1);
    glTexCoord2f(s, bottom);
    glVertex2f(1, -1);
    glTexCoord2f(s, top);
    glVertex2f(1, 1);
    glTexCoord2f(0, top);
    glVertex2f(-1, 1);
    glEnd();
    glPopMatrix();
    glMatrixMode(GL_PROJECTION);
    glPopMatrix();
    glMatrixMode(GL_MODELVIEW);
    if (view.copyProgram != 0) view.program.bind(GL_FRAGMENT_PROGRAM_ARB, 0);
    glPopAttrib();  // also turns the fragment program off again
}

}  // namespace

namespace plat {

void releasePicture() {
    if (view.framebuffer != 0) {
        view.fbo.bind(GL_FRAMEBUFFER_EXT, 0);
        view.fbo.remove(1, &view.framebuffer);
    }
    if (view.texture != 0) glDeleteTextures(1, &view.texture);
    if (view.copyProgram != 0) view.program.remove(1, &view.copyProgram);
    view = View();
}

void initView(int32_t width, int32_t height, const ViewRect& picture) {
    glOrtho(0, width, height, 0, -1, 1);
    glClearColor(0, 0, 0, 0);
    releasePicture();
    view.windowW = width;
    view.windowH = height;
    view.picture = picture;
    view.target = chooseTarget();
    bindDrawingTarget();
}

void present() {
    flushDrawing();
    if (view.target != Target::WINDOW) drawPictureOnWindow();
}

void swapBuffers() {
    flushDrawing();
    SDL_GL_SwapBuffers();
    if (view.target == Target::FRAMEBUFFER) view.fbo.bind(GL_FRAMEBUFFER_EXT, view.framebuffer);
}

}  // namespace plat
