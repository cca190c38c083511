// The real platform: OpenGL 1.x drawing of batched quads, the texture atlas, frame read-back.
#include "tolm2/platform/sdl/sdl_draw.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

#include "tolm2/draw.h"
#include "tolm2/font.h"
#include "tolm2/platform/platform.h"

namespace {

constexpr GLfloat PI = 3.14159265358979323846f;

// ---- Texture atlas ----
//
// Every picture lives in one big GL texture, so that a frame's quads seldom change
// texture: software GL pays about as much for a texture switch as for a thousand small
// quads. Pictures are placed unscaled with a transparent gap between them; filtering is
// nearest, so no texel of a neighbour is ever sampled. A picture too big for the space
// left gets a GL texture of its own.

constexpr int32_t ATLAS_SIZE = 1024;
constexpr int32_t ATLAS_GAP = 1;

struct Region {
    int32_t x = 0, y = 0, w = 0, h = 0;
};

struct Picture {
    GLuint glTexture = 0;
    bool ownTexture = false;
    Region region;            // where the picture sits, gap included
    GLfloat s0, t0, sw, th;   // its texture rectangle inside glTexture
};

struct Atlas {
    GLuint glTexture = 0;
    std::vector<Region> freed;
    int32_t shelfX = 0, shelfY = 0, shelfHeight = 0;

    bool allocate(int32_t w, int32_t h, Region& out) {
        const int32_t needW = w + ATLAS_GAP, needH = h + ATLAS_GAP;
        for (auto it = freed.begin(); it != freed.end(); ++it) {
            if (it->w >= needW && it->h >= needH) {
                out = *it;
                freed.erase(it);
                return true;
            }
        }
        if (shelfX + needW > ATLAS_SIZE) {
            shelfX = 0;
            shelfY += shelfHeight;
            shelfHeight = 0;
        }
        if (needW > ATLAS_SIZE || shelfY + needH > ATLAS_SIZE) return false;
        out = {shelfX, shelfY, needW, needH};
        shelfX += needW;
        shelfHeight = std::max(shelfHeight, needH);
        return true;
    }

    void create() {
        glGenTextures(1, &glTexture);
        glBindTexture(GL_TEXTURE_2D, glTexture);
        const std::vector<GLubyte> clear(static_cast<size_t>(ATLAS_SIZE) * ATLAS_SIZE * 4, 0);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, ATLAS_SIZE, ATLAS_SIZE, 0, GL_RGBA,
                     GL_UNSIGNED_BYTE, clear.data());
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    }
};

Atlas atlas;
std::map<uint32_t, Picture> pictures;
uint32_t nextPicture = 1;

// ---- Quad batch ----
//
// Quads in drawing order that share a GL texture and blending go to GL in one call.
// Anything that changes GL state or reads the frame flushes first, so the pixels are
// those of drawing each quad on its own.

struct Vertex {
    GLfloat x, y, s, t;
    GLubyte r, g, b, a;
};

// GL state kept between flushes and changed only when needed: every toggle makes
// software GL validate its pipeline again.
struct GlState {
    GLuint boundTexture = 0;
    bool texturing = false;
    bool arraysOn = false;
    bool blendingOff = false;  // an opaque run drawn with blending off
    int32_t blendMode = 0;
};
GlState gl;

void bindTexture(GLuint texture) {
    if (texture != 0 && texture != gl.boundTexture) {
        glBindTexture(GL_TEXTURE_2D, texture);
        gl.boundTexture = texture;
    }
}

void setTexturing(GLuint texture) {
    if ((texture != 0) != gl.texturing) {
        gl.texturing = texture != 0;
        if (gl.texturing) {
            glEnable(GL_TEXTURE_2D);
        } else {
            glDisable(GL_TEXTURE_2D);
        }
    }
    bindTexture(texture);
}

// Under the alpha blend, a quad of alpha 255 without texture comes out as its own colour;
// drawn with blending off it gives the same pixels, and software GL fills it far faster.
void setOpaqueRun(bool opaque) {
    if (opaque == gl.blendingOff) return;
    gl.blendingOff = opaque;
    if (opaque) {
        glDisable(GL_BLEND);
    } else {
        glEnable(GL_BLEND);
    }
}

struct QuadBatch {
    GLuint texture = 0;
    bool opaque = false;
    std::vector<Vertex> vertices;

    void add(GLuint quadTexture, bool quadOpaque, const Vertex (&corners)[4]) {
        if (quadTexture != texture || quadOpaque != opaque) flush();
        texture = quadTexture;
        opaque = quadOpaque;
        vertices.insert(vertices.end(), corners, corners + 4);
    }

    void flush() {
        if (vertices.empty()) return;
        if (!gl.arraysOn) {
            glEnableClientState(GL_VERTEX_ARRAY);
            glEnableClientState(GL_TEXTURE_COORD_ARRAY);
            glEnableClientState(GL_COLOR_ARRAY);
            gl.arraysOn = true;
        }
        setTexturing(texture);
        setOpaqueRun(opaque);
        glVertexPointer(2, GL_FLOAT, sizeof(Vertex), &vertices[0].x);
        glTexCoordPointer(2, GL_FLOAT, sizeof(Vertex), &vertices[0].s);
        glColorPointer(4, GL_UNSIGNED_BYTE, sizeof(Vertex), &vertices[0].r);
        glDrawArrays(GL_QUADS, 0, static_cast<GLsizei>(vertices.size()));
        setOpaqueRun(false);
        // The current colour is left as the last quad's, as drawing them one by one would.
        const Vertex& last = vertices.back();
        glColor4ub(last.r, last.g, last.b, last.a);
        vertices.clear();
    }
};

QuadBatch batch;
bool pictureRowsUp = false;

// ---- Large opaque boxes as clears ----
//
// A big opaque box is the colour cleared into its rectangle: the same pixels as the quad
// where the frame is drawn 1:1, and software GL clears in a fraction of the time it takes
// to shade the quad. Small boxes stay in the quad batch, where they cost nothing extra.

constexpr int32_t CLEARED_BOX_AREA = 128 * 128;

// Where begin2D found the viewport: boxes are cleared only when it is 1:1 with the
// logical frame, since scissor edges and scaled quad edges may round apart.
struct Viewport {
    GLint x = 0, y = 0, w = 0, h = 0;
    bool oneToOne() const { return w == LOGICAL_WIDTH && h == LOGICAL_HEIGHT; }
};
Viewport viewport;

// Under BLEND_NONE, or the alpha blend at alpha 255, a box's pixels are its own colour.
bool clearable(const plat::Box& b) {
    return b.lineWidth <= 0 && b.angle == 0.0f && b.a == 255 &&
           (gl.blendMode == BLEND_NONE || gl.blendMode == BLEND_ALPHA) &&
           static_cast<int64_t>(b.w) * b.h >= CLEARED_BOX_AREA && viewport.oneToOne();
}

// The box's rows counted from the viewport's bottom, as GL counts them, cut to the
// viewport as a quad would be.
void clearBox(const plat::Box& b) {
    const GLint x0 = std::max(b.x, 0), x1 = std::min(b.x + b.w, LOGICAL_WIDTH);
    const GLint top = std::max(b.y, 0), bottom = std::min(b.y + b.h, LOGICAL_HEIGHT);
    if (x0 >= x1 || top >= bottom) return;
    const GLint rowFromBottom = pictureRowsUp ? top : LOGICAL_HEIGHT - bottom;
    batch.flush();
    glEnable(GL_SCISSOR_TEST);
    glScissor(viewport.x + x0, viewport.y + rowFromBottom, x1 - x0, bottom - top);
    glClearColor(b.r / 255.0f, b.g / 255.0f, b.b / 255.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glClearColor(0, 0, 0, 0);
    glDisable(GL_SCISSOR_TEST);
    glColor4ub(b.r, b.g, b.b, b.a);  // the current colour, as drawing the quad leaves it
}

// Where a corner (dx, dy) of a picture with top-left (x, y) lands when the picture is
// turned by angle degrees about (x + cx, y + cy): the y axis points down, so a positive
// angle turns it counter-clockwise on the screen.
struct Placement {
    GLfloat x, y, cx, cy, cosA = 1, sinA = 0;
    bool turned;

    Placement(GLfloat left, GLfloat top, GLfloat centreX, GLfloat centreY, float angle)
        : x(left), y(top), cx(centreX), cy(centreY), turned(angle != 0.0f) {
        if (turned) {
            cosA = std::cos(angle * PI / 180.0f);
            sinA = std::sin(angle * PI / 180.0f);
        }
    }

    Vertex at(GLfloat dx, GLfloat dy, GLfloat s, GLfloat t, GLubyte r, GLubyte g, GLubyte b,
              GLubyte a) const {
        if (!turned) return {x + dx, y + dy, s, t, r, g, b, a};
        const GLfloat ux = dx - cx, uy = dy - cy;
        return {x + cx + ux * cosA + uy * sinA, y + cy - ux * sinA + uy * cosA, s, t, r, g, b, a};
    }
};

const Picture* pictureOf(uint32_t handle) {
    const auto found = pictures.find(handle);
    return found == pictures.end() ? nullptr : &found->second;
}

// A texture coordinate of the picture (0..1 across it) inside its GL texture.
GLfloat atlasS(const Picture& p, GLfloat s) { return p.s0 + s * p.sw; }
GLfloat atlasT(const Picture& p, GLfloat t) { return p.t0 + t * p.th; }

GLsizei powerOfTwoAtLeast(int32_t side) {
    GLsizei power = 1;
    while (power < side) power *= 2;
    return power;
}

// One level only: nearest filtering never samples a smaller one. The sides are powers of
// two, which plain OpenGL 1.1 needs; the picture sits unscaled in the top-left corner.
Picture ownTexturePicture(const Image& image) {
    Picture picture{};
    const GLsizei w = powerOfTwoAtLeast(image.width), h = powerOfTwoAtLeast(image.height);
    glGenTextures(1, &picture.glTexture);
    glBindTexture(GL_TEXTURE_2D, picture.glTexture);
    const std::vector<GLubyte> clear(static_cast<size_t>(w) * static_cast<size_t>(h) * 4, 0);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA, w, h, 0, GL_RGBA, GL_UNSIGNED_BYTE, clear.data());
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, image.width, image.height, GL_RGBA,
                    GL_UNSIGNED_BYTE, image.pixels.data());
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    picture.ownTexture = true;
    picture.s0 = picture.t0 = 0;
    picture.sw = static_cast<GLfloat>(image.width) / static_cast<GLfloat>(w);
    picture.th = static_cast<GLfloat>(image.height) / static_cast<GLfloat>(h);
    return picture;
}

Picture atlasPicture(const Image& image, const Region& region) {
    if (atlas.glTexture == 0) atlas.create();
    glBindTexture(GL_TEXTURE_2D, atlas.glTexture);
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexSubImage2D(GL_TEXTURE_2D, 0, region.x, region.y, image.width, image.height, GL_RGBA,
                    GL_UNSIGNED_BYTE, image.pixels.data());
    Picture picture{};
    picture.glTexture = atlas.glTexture;
    picture.region = region;
    constexpr GLfloat size = ATLAS_SIZE;
    picture.s0 = static_cast<GLfloat>(region.x) / size;
    picture.t0 = static_cast<GLfloat>(region.y) / size;
    picture.sw = static_cast<GLfloat>(image.width) / size;
    picture.th = static_cast<GLfloat>(image.height) / size;
    return picture;
}

}  // namespace

namespace plat {

void forgetDrawingState(bool contextKept) {
    batch.vertices.clear();
    viewport = Viewport();  // read again at the next begin2D
    if (contextKept) {
        // The window side binds its own textures and leaves none bound.
        gl.boundTexture = 0;
        return;
    }
    // The old context took its textures with it; stale handles are ignored from now on.
    pictures.clear();
    atlas = Atlas();
    gl = GlState{0, false, false, false, gl.blendMode};
}

void flushDrawing() { batch.flush(); }

void setPictureRowsUp(bool rowsUp) { pictureRowsUp = rowsUp; }

void clear() {
    batch.flush();
    glClear(GL_COLOR_BUFFER_BIT);
}

void begin2D() {
    batch.flush();
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    if (pictureRowsUp) {
        glOrtho(0, LOGICAL_WIDTH, 0, LOGICAL_HEIGHT, -1, 1);
    } else {
        glOrtho(0, LOGICAL_WIDTH, LOGICAL_HEIGHT, 0, -1, 1);
    }
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_CULL_FACE);
    GLint box[4];
    glGetIntegerv(GL_VIEWPORT, box);
    viewport = {box[0], box[1], box[2], box[3]};
}

void setBlend(int32_t mode) {
    batch.flush();
    gl.blendMode = mode;
    if (mode == BLEND_NONE) {
        glDisable(GL_BLEND);
        return;
    }
    glEnable(GL_BLEND);
    switch (mode) {
        case BLEND_ALPHA: glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA); break;
        case BLEND_ADD: glBlendFunc(GL_SRC_ALPHA, GL_ONE); break;
        case BLEND_INVERT: glBlendFunc(GL_ONE_MINUS_DST_COLOR, GL_ZERO); break;
        case BLEND_ALPHA_MUL: glBlendFunc(GL_SRC_ALPHA, GL_SRC_COLOR); break;
        case BLEND_MUL: glBlendFunc(GL_ZERO, GL_SRC_COLOR); break;
        default: break;
    }
}

uint32_t createTexture(const Image& image) {
    batch.flush();
    Region region;
    const bool placed = atlas.allocate(image.width, image.height, region);
    const Picture picture = placed ? atlasPicture(image, region) : ownTexturePicture(image);
    gl.boundTexture = picture.glTexture;
    const uint32_t handle = nextPicture++;
    pictures[handle] = picture;
    return handle;
}

void deleteTexture(uint32_t id) {
    batch.flush();
    const auto found = pictures.find(id);
    if (found == pictures.end()) return;
    const Picture& picture = found->second;
    if (picture.ownTexture) {
        if (gl.boundTexture == picture.glTexture) gl.boundTexture = 0;
        glDeleteTextures(1, &picture.glTexture);
    } else {
        atlas.freed.push_back(picture.region);
    }
    pictures.erase(found);
}

void drawTexturedQuad(const TexturedQuad& q) {
    const Picture* picture = pictureOf(q.texture);
    if (picture == nullptr) return;
    const Picture& p = *picture;
    const GLfloat s0 = atlasS(p, q.s0), s1 = atlasS(p, q.s0 + q.ds);
    const GLfloat t0 = atlasT(p, q.t0), t1 = atlasT(p, q.t0 + q.dt);
    const Placement place(q.x, q.y, q.w / 2, q.h / 2, q.angle);
    const Vertex corners[4] = {
        place.at(0, 0, s0, t0, q.r, q.g, q.b, q.a),
        place.at(q.w, 0, s1, t0, q.r, q.g, q.b, q.a),
        place.at(q.w, q.h, s1, t1, q.r, q.g, q.b, q.a),
        place.at(0, q.h, s0, t1, q.r, q.g, q.b, q.a),
    };
    batch.add(p.glTexture, false, corners);
}

void drawGlyphRun(const GlyphRun& run) {
    const Picture* picture = pictureOf(run.texture);
    if (picture == nullptr) return;
    const Picture& p = *picture;
    const GLfloat y = static_cast<GLfloat>(run.y);
    for (const GlyphRun::Cell& cell : run.cells) {
        const GLfloat cs0 = static_cast<GLfloat>(cell.glyph % GLYPHS_PER_ROW) * run.cs;
        const GLfloat ct0 = static_cast<GLfloat>(cell.glyph / GLYPHS_PER_ROW) * run.ct;
        const GLfloat s0 = atlasS(p, cs0), s1 = atlasS(p, cs0 + run.cs);
        const GLfloat t0 = atlasT(p, ct0), t1 = atlasT(p, ct0 + run.ct);
        const GLfloat x = static_cast<GLfloat>(cell.x);
        const Vertex corners[4] = {
            {x, y, s0, t0, run.r, run.g, run.b, run.a},
            {x, y + run.cell, s0, t1, run.r, run.g, run.b, run.a},
            {x + run.cell, y + run.cell, s1, t1, run.r, run.g, run.b, run.a},
            {x + run.cell, y, s1, t0, run.r, run.g, run.b, run.a},
        };
        batch.add(p.glTexture, false, corners);
    }
}

void drawBox(const Box& b) {
    const GLfloat w = static_cast<GLfloat>(b.w), h = static_cast<GLfloat>(b.h);
    // Turned about the integer half sizes, as the box's own translations do.
    const Placement place(static_cast<GLfloat>(b.x), static_cast<GLfloat>(b.y),
                          static_cast<GLfloat>(b.w / 2), static_cast<GLfloat>(b.h / 2), b.angle);
    const Vertex corners[4] = {
        place.at(0, 0, 0, 0, b.r, b.g, b.b, b.a),
        place.at(w, 0, 0, 0, b.r, b.g, b.b, b.a),
        place.at(w, h, 0, 0, b.r, b.g, b.b, b.a),
        place.at(0, h, 0, 0, b.r, b.g, b.b, b.a),
    };
    if (clearable(b)) {
        clearBox(b);
        return;
    }
    if (b.lineWidth <= 0) {
        batch.add(0, gl.blendMode == BLEND_ALPHA && b.a == 255, corners);
        return;
    }
    batch.flush();
    setTexturing(0);
    glColor4ub(b.r, b.g, b.b, b.a);
    glLineWidth(static_cast<GLfloat>(b.lineWidth));
    glBegin(GL_LINE_LOOP);
    for (const Vertex& corner : corners) glVertex2f(corner.x, corner.y);
    glEnd();
}

std::vector<uint8_t> readPixels(int32_t width, int32_t height) {
    if (width <= 0 || height <= 0) return {};
    batch.flush();
    std::vector<uint8_t> rgb(static_cast<size_t>(width) * static_cast<size_t>(height) * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return rgb;
}

}  // namespace plat
