// BMP reading and writing through SDL's codec, for the SDL platform layer.
#include <SDL.h>

#include <cstring>

#include "tolm2/platform/platform.h"

namespace plat {

bool loadBmp(const std::string& file, Image& out) {
    SDL_Surface* loaded = SDL_LoadBMP_RW(SDL_RWFromFile(file.c_str(), "rb"), 1);
    if (loaded == nullptr) return false;
    SDL_PixelFormat format{};
    format.BitsPerPixel = 32;
    format.BytesPerPixel = 4;
    format.Rmask = 0x000000FF;
    format.Gmask = 0x0000FF00;
    format.Bmask = 0x00FF0000;
    format.Amask = 0xFF000000;
    format.Rshift = 0;
    format.Gshift = 8;
    format.Bshift = 16;
    format.Ashift = 24;
    SDL_Surface* converted = SDL_ConvertSurface(loaded, &format, SDL_SWSURFACE);
    SDL_FreeSurface(loaded);
    if (converted == nullptr) return false;

    out.width = converted->w;
    out.height = converted->h;
    out.pixels.assign(static_cast<size_t>(out.width) * static_cast<size_t>(out.height), 0);
    SDL_LockSurface(converted);
    for (int y = 0; y < converted->h; ++y) {
        const auto* row = static_cast<const uint8_t*>(converted->pixels) + y * converted->pitch;
        std::memcpy(&out.pixels[static_cast<size_t>(y) * static_cast<size_t>(out.width)], row,
                    static_cast<size_t>(out.width) * 4);
    }
    SDL_UnlockSurface(converted);
    SDL_FreeSurface(converted);
    // Pictures without an alpha channel must come out opaque, or colour keys never match.
    for (uint32_t& pixel : out.pixels) pixel |= OPAQUE_ALPHA;
    return true;
}

bool saveBmp24(const std::string& file, int32_t width, int32_t height,
               const std::vector<uint8_t>& rgb) {
    if (width <= 0 || height <= 0 ||
        rgb.size() != static_cast<size_t>(width) * static_cast<size_t>(height) * 3) {
        return false;
    }
    std::vector<uint8_t> pixels(rgb);
    SDL_Surface* surface = SDL_CreateRGBSurfaceFrom(pixels.data(), width, height, 24, width * 3,
                                                    0x0000FF, 0x00FF00, 0xFF0000, 0);
    if (surface == nullptr) return false;
    const bool saved = SDL_SaveBMP_RW(surface, SDL_RWFromFile(file.c_str(), "wb"), 1) == 0;
    SDL_FreeSurface(surface);
    return saved;
}

}  // namespace plat
