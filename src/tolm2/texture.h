// Textures: BMP pictures kept under string keys, colour-keyed, drawn as textured quads.
#pragma once

#include <array>
#include <cstdint>
#include <string>

using Mask = std::array<int32_t, 3>;

inline constexpr Mask MASK_GREEN = {0, 255, 0};
inline constexpr Mask MASK_NONE = {-1, 0, 0};

// Loads or replaces the texture under key. mask[0] >= 0: colour key (mask[0..2]);
// -1: none; -2: the pixel at (mask[1], mask[2]); below -2 throws
// "Tolm_loadTexture: Invalid parameter 'mask'". A failed load leaves no entry under key.
void Tolm_loadTexture(const std::string& key, const std::string& file, const Mask& mask);

// Draws the source rectangle (srcX, srcY, srcW, srcH) of the picture, in picture pixels
// (0 width or height: the whole picture), top-left at (x, y) in logical space, scaled,
// turned by angle degrees about its centre and tinted. Throws
// "Tolm_drawTexture: Has not exist key: <key>" for a key not stored.
void Tolm_drawTexture(const std::string& key, float x, float y, int32_t srcX, int32_t srcY,
                      int32_t srcW, int32_t srcH, float scaleX, float scaleY, float angle, int r,
                      int g, int b, int a);

// Called by loaders of pictures that several scenes share: whether key is stored. Never
// throws.
bool Tolm_hasTexture(const std::string& key);

// Removes one texture, or all with the empty key. Throws
// "Tolm_disposeTexture: Has exist key: <key>" for a key not stored.
void Tolm_disposeTexture(const std::string& key);

