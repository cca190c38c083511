// zlib's CRC-32 (the reflected polynomial 0xEDB88320) for the browser build: a null buffer
// gives the starting value 0, and a running value goes on over the next bytes.
#include "zlib.h"

#include <array>
#include <cstdint>

namespace {

std::array<uint32_t, 256> makeTable() {
    std::array<uint32_t, 256> table{};
    for (uint32_t n = 0; n < 256; ++n) {
        uint32_t c = n;
        for (int k = 0; k < 8; ++k) c = (c & 1) != 0 ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[n] = c;
    }
    return table;
}

}  // namespace

extern "C" uLong crc32(uLong crc, const Bytef* buf, uInt len) {
    if (buf == nullptr) return 0;
    static const std::array<uint32_t, 256> table = makeTable();
    uint32_t c = static_cast<uint32_t>(crc) ^ 0xFFFFFFFFu;
    for (uInt i = 0; i < len; ++i) c = table[(c ^ buf[i]) & 0xFFu] ^ (c >> 8);
    return c ^ 0xFFFFFFFFu;
}
