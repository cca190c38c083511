// The keyed texture store and textured-quad drawing.
#include "tolm2/texture.h"

#include <map>
#include <memory>
#include <vector>

#include "tolm2/error.h"
#include "tolm2/font.h"
#include "tolm2/internal.h"
#include "tolm2/platform/platform.h"

namespace {

std::map<std::string, std::unique_ptr<Texture>> textures;

uint8_t channel(int value) { return static_cast<uint8_t>(value); }

std::vector<std::string> storedKeys() {
    std::vector<std::string> keys;
    keys.reserve(textures.size());
    for (const auto& entry : textures) keys.push_back(entry.first);
    return keys;
}

std::unique_ptr<Texture> makeTexture(const std::string& file, const Mask& mask) {
    if (mask[0] >= 0) return std::make_unique<Texture>(file, mask[0], mask[1], mask[2]);
    if (mask[0] == -1) return std::make_unique<Texture>(file);
    if (mask[0] == -2) return std::make_unique<Texture>(file, mask[1], mask[2]);
    throw TolmError("Tolm_loadTexture: Invalid parameter 'mask'");
}

}  // namespace

Texture::Texture(const std::string& file) : mask(MASK_NONE) { create(loadBmp(file)); }

Texture::Texture(const std::string& file, int32_t c0, int32_t c1, int32_t c2) : mask{c0, c1, c2} {
    Image picture = loadBmp(file);
    applyColorKey(picture, colorKeyOf(c0, c1, c2));
    create(std::move(picture));
}

Texture::Texture(const std::string& file, int32_t px, int32_t py) : mask{-2, px, py} {
    Image picture = loadBmp(file);
    if (px >= 0 && py >= 0 && px < picture.width && py < picture.height) {
        applyColorKey(picture, picture.at(px, py));
    }
    create(std::move(picture));
}

Texture::~Texture() { plat::deleteTexture(id); }

Image Texture::loadBmp(const std::string& file) {
    fileName = file;
    Image picture;
    if (!plat::loadBmp(file, picture)) {
        throw TolmError("Tolm_Texture::loadBmp : not found file: " + file);
    }
    return picture;
}

void Texture::create(Image picture) {
    id = plat::createTexture(picture);
    width = picture.width;
    height = picture.height;
    image = std::move(picture);
}

void Tolm_loadTexture(const std::string& key, const std::string& file, const Mask& mask) {
    if (textures.count(key) != 0) Tolm_disposeTexture(key);
    textures[key] = makeTexture(file, mask);
}

void Tolm_drawTexture(const std::string& key, float x, float y, int32_t srcX, int32_t srcY,
                      int32_t srcW, int32_t srcH, float scaleX, float scaleY, float angle, int r,
                      int g, int b, int a) {
    const auto found = textures.find(key);
    if (found == textures.end()) throw TolmError("Tolm_drawTexture: Has not exist key: " + key);
    const Texture& texture = *found->second;
    if (srcW == 0 || srcH == 0) {
        srcW = texture.getWidth();
        srcH = texture.getHeight();
    }
    const float width = static_cast<float>(texture.getWidth());
    const float height = static_cast<float>(texture.getHeight());
    plat::TexturedQuad quad{};
    quad.texture = texture.getId();
    quad.x = x;
    quad.y = y;
    quad.w = static_cast<float>(srcW) * scaleX;
    quad.h = static_cast<float>(srcH) * scaleY;
    quad.angle = angle;
    quad.s0 = static_cast<float>(srcX) / width;
    quad.t0 = static_cast<float>(srcY) / height;
    quad.ds = static_cast<float>(srcW) / width;
    quad.dt = static_cast<float>(srcH) / height;
    quad.r = channel(r);
    quad.g = channel(g);
    quad.b = channel(b);
    quad.a = channel(a);
    plat::drawTexturedQuad(quad);
}

void Tolm_disposeTexture(const std::string& key) {
    if (key.empty()) {
        for (const std::string& stored : storedKeys()) textures.erase(stored);
        return;
    }
    const auto found = textures.find(key);
    if (found == textures.end()) throw TolmError("Tolm_disposeTexture: Has exist key: " + key);
    textures.erase(found);
}

void Tolm_reloadTextures() {
    Tolm_destroyFont();
    Tolm_loadFont();
    for (const std::string& key : storedKeys()) {
        const Texture& old = *textures.at(key);
        const std::string file = old.getFileName();
        const Mask mask = old.getMask();
        Tolm_loadTexture(key, file, mask);
    }
}

bool Tolm_hasTexture(const std::string& key) { return textures.count(key) != 0; }

const Texture* Tolm_findTexture(const std::string& key) {
    const auto found = textures.find(key);
    return found == textures.end() ? nullptr : found->second.get();
}
