// The real platform: OpenGL 1.x immediate-mode drawing, textures and frame read-back.
#include <GL/gl.h>
#include <GL/glu.h>

#include "tolm2/platform/platform.h"

namespace {
constexpr GLfloat LOGICAL_WIDTH = 640;
constexpr GLfloat LOGICAL_HEIGHT = 480;

bool isZero(float angle) { return angle == 0.0f; }
}  // namespace

namespace plat {

void clear() { glClear(GL_COLOR_BUFFER_BIT); }

void begin2D() {
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, LOGICAL_WIDTH, LOGICAL_HEIGHT, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_CULL_FACE);
}

void setBlend(int32_t mode) {
    if (mode == 0) {
        glDisable(GL_BLEND);
        return;
    }
    glEnable(GL_BLEND);
    switch (mode) {
        case 1: glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA); break;
        case 2: glBlendFunc(GL_SRC_ALPHA, GL_ONE); break;
        case 3: glBlendFunc(GL_ONE_MINUS_DST_COLOR, GL_ZERO); break;
        case 4: glBlendFunc(GL_SRC_ALPHA, GL_SRC_COLOR); break;
        case 5: glBlendFunc(GL_ZERO, GL_SRC_COLOR); break;
        default: break;
    }
}

uint32_t createTexture(const Image& image) {
    GLuint id = 0;
    glGenTextures(1, &id);
    glBindTexture(GL_TEXTURE_2D, id);
    gluBuild2DMipmaps(GL_TEXTURE_2D, 4, image.width, image.height, GL_RGBA, GL_UNSIGNED_BYTE,
                      image.pixels.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    return id;
}

void deleteTexture(uint32_t id) {
    const GLuint name = id;
    glDeleteTextures(1, &name);
}

void drawTexturedQuad(const TexturedQuad& q) {
    glBindTexture(GL_TEXTURE_2D, q.texture);
    glEnable(GL_TEXTURE_2D);
    glPushMatrix();
    glColor4ub(q.r, q.g, q.b, q.a);
    glTranslatef(q.x, q.y, 0);
    if (!isZero(q.angle)) {
        glTranslatef(q.w / 2, q.h / 2, 0);
        glRotatef(q.angle, 0, 0, -1);
        glTranslatef(-q.w / 2, -q.h / 2, 0);
    }
    glBegin(GL_POLYGON);
    glTexCoord2f(q.s0, q.t0);
    glVertex3f(0, 0, 0);
    glTexCoord2f(q.s0 + q.ds, q.t0);
    glVertex3f(q.w, 0, 0);
    glTexCoord2f(q.s0 + q.ds, q.t0 + q.dt);
    glVertex3f(q.w, q.h, 0);
    glTexCoord2f(q.s0, q.t0 + q.dt);
    glVertex3f(0, q.h, 0);
    glEnd();
    glPopMatrix();
    glDisable(GL_TEXTURE_2D);
}

void drawGlyphRun(const GlyphRun& run) {
    glBindTexture(GL_TEXTURE_2D, run.texture);
    glEnable(GL_TEXTURE_2D);
    glColor4ub(run.r, run.g, run.b, run.a);
    for (const GlyphRun::Cell& cell : run.cells) {
        const GLfloat s0 = static_cast<GLfloat>(cell.glyph % 16) * run.cs;
        const GLfloat t0 = static_cast<GLfloat>(cell.glyph / 16) * run.ct;
        glPushMatrix();
        glTranslatef(static_cast<GLfloat>(cell.x), static_cast<GLfloat>(run.y), 0);
        glBegin(GL_POLYGON);
        glTexCoord2f(s0, t0);
        glVertex3f(0, 0, 0);
        glTexCoord2f(s0, t0 + run.ct);
        glVertex3f(0, run.cell, 0);
        glTexCoord2f(s0 + run.cs, t0 + run.ct);
        glVertex3f(run.cell, run.cell, 0);
        glTexCoord2f(s0 + run.cs, t0);
        glVertex3f(run.cell, 0, 0);
        glEnd();
        glPopMatrix();
    }
    glDisable(GL_TEXTURE_2D);
}

void drawBox(const Box& b) {
    glDisable(GL_TEXTURE_2D);
    glPushMatrix();
    glColor4ub(b.r, b.g, b.b, b.a);
    glTranslatef(static_cast<GLfloat>(b.x), static_cast<GLfloat>(b.y), 0);
    if (!isZero(b.angle)) {
        glTranslatef(static_cast<GLfloat>(b.w / 2), static_cast<GLfloat>(b.h / 2), 0);
        glRotatef(b.angle, 0, 0, -1);
        glTranslatef(static_cast<GLfloat>((-b.w) / 2), static_cast<GLfloat>((-b.h) / 2), 0);
    }
    if (b.lineWidth <= 0) {
        glBegin(GL_POLYGON);
    } else {
        glLineWidth(static_cast<GLfloat>(b.lineWidth));
        glBegin(GL_LINE_LOOP);
    }
    glVertex3f(0, 0, 0);
    glVertex3f(static_cast<GLfloat>(b.w), 0, 0);
    glVertex3f(static_cast<GLfloat>(b.w), static_cast<GLfloat>(b.h), 0);
    glVertex3f(0, static_cast<GLfloat>(b.h), 0);
    glEnd();
    glPopMatrix();
}

std::vector<uint8_t> readPixels(int32_t width, int32_t height) {
    if (width <= 0 || height <= 0) return {};
    std::vector<uint8_t> rgb(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return rgb;
}

}  // namespace plat
