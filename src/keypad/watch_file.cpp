// Watch files: little-endian header, pointer and button frames, per-second digests and a
// closing CRC-32 (zlib's).
#include "keypad/watch_file.h"

#include <zlib.h>

#include <cstring>
#include <utility>

#include "tolm2/error.h"
#include "tolm2/safe_file.h"

namespace {

constexpr char MAGIC[4] = {'K', 'V', 'W', 'F'};
constexpr size_t HEADER_BYTES = 20;  // magic 4, version 2, mode 2, seed 4, frames 4, score 4
constexpr size_t POINTER_FRAME_BYTES = 5;  // version 1: x 2, y 2, buttons 1
constexpr size_t FRAME_BYTES = 7;          // version 2: and keys 2
constexpr size_t DIGEST_BYTES = 4;
constexpr size_t CRC_BYTES = 4;
constexpr size_t MAX_FILE_BYTES = HEADER_BYTES + MAX_WATCH_FRAMES * FRAME_BYTES +
                                  MAX_WATCH_FRAMES / FRAMES_PER_DIGEST * DIGEST_BYTES + CRC_BYTES;

size_t frameBytes(uint32_t version) {
    return version == WATCH_VERSION_POINTER ? POINTER_FRAME_BYTES : FRAME_BYTES;
}

size_t digestCount(uint32_t version, size_t frames) {
    return version == WATCH_VERSION_POINTER ? 0 : frames / FRAMES_PER_DIGEST;
}

void put(std::string& out, uint32_t value, size_t count) {
    for (size_t i = 0; i < count; ++i) out.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

uint32_t get(const std::string& in, size_t offset, size_t count) {
    uint32_t value = 0;
    for (size_t i = 0; i < count; ++i) {
        value |= static_cast<uint32_t>(static_cast<unsigned char>(in.at(offset + i))) << (8 * i);
    }
    return value;
}

uint32_t crcOf(const std::string& bytes, size_t count) {
    return static_cast<uint32_t>(crc32(crc32(0L, Z_NULL, 0),
                                       reinterpret_cast<const Bytef*>(bytes.data()),
                                       static_cast<uInt>(count)));
}

PointerFrame frameAt(const std::string& bytes, size_t offset, uint32_t version) {
    PointerFrame frame;
    frame.x = static_cast<int16_t>(get(bytes, offset, 2));
    frame.y = static_cast<int16_t>(get(bytes, offset + 2, 2));
    frame.buttons = static_cast<uint8_t>(get(bytes, offset + 4, 1));
    if (version != WATCH_VERSION_POINTER) {
        frame.keys = static_cast<uint16_t>(get(bytes, offset + 5, 2));
    }
    return frame;
}

// The whole file, read no further than past the largest a watch file can be.
std::string readWhole(const std::string& file) {
    safe_file::WholeFile read = safe_file::readWhole(file, MAX_FILE_BYTES);
    if (read.error != 0) throw TolmError::format("cannot be read (%s)", std::strerror(read.error));
    return std::move(read.bytes);
}

}  // namespace

uint32_t watchChecksum(const std::string& bytes) { return crcOf(bytes, bytes.size()); }

std::string encodeWatch(const WatchRecord& record) {
    std::string out(MAGIC, sizeof MAGIC);
    put(out, record.version, 2);
    put(out, static_cast<uint32_t>(record.mode), 2);
    put(out, record.seed, 4);
    put(out, static_cast<uint32_t>(record.frames.size()), 4);
    put(out, static_cast<uint32_t>(record.score), 4);
    for (const PointerFrame& frame : record.frames) {
        put(out, static_cast<uint16_t>(frame.x), 2);
        put(out, static_cast<uint16_t>(frame.y), 2);
        put(out, frame.buttons, 1);
        if (record.version != WATCH_VERSION_POINTER) put(out, frame.keys, 2);
    }
    // Exactly one digest per whole second of frames, whatever the record holds.
    const size_t digests = digestCount(record.version, record.frames.size());
    for (size_t k = 0; k < digests; ++k) {
        put(out, k < record.digests.size() ? record.digests[k] : 0, 4);
    }
    put(out, crcOf(out, out.size()), 4);
    return out;
}

// Checks run from the outside in: a layout it cannot know is never CRC-checked, and a
// mode is only believed once the CRC holds.
WatchRecord decodeWatch(const std::string& bytes) {
    if (bytes.size() < HEADER_BYTES + CRC_BYTES) throw TolmError("truncated");
    if (bytes.compare(0, sizeof MAGIC, MAGIC, sizeof MAGIC) != 0) {
        throw TolmError("not a watch file");
    }
    const uint32_t version = get(bytes, 4, 2);
    if (version != WATCH_VERSION && version != WATCH_VERSION_POINTER) {
        throw TolmError::format("unknown version %u", version);
    }
    const uint32_t count = get(bytes, 12, 4);
    if (count > MAX_WATCH_FRAMES) {
        throw TolmError::format("%u frames, more than %u", count, MAX_WATCH_FRAMES);
    }
    const size_t digests = digestCount(version, count);
    const size_t framesEnd = HEADER_BYTES + count * frameBytes(version);
    const size_t expected = framesEnd + digests * DIGEST_BYTES + CRC_BYTES;
    if (bytes.size() < expected) throw TolmError("truncated");
    if (bytes.size() > expected) {
        throw TolmError::format("%zu bytes after the last frame", bytes.size() - expected);
    }
    if (crcOf(bytes, expected - CRC_BYTES) != get(bytes, expected - CRC_BYTES, 4)) {
        throw TolmError("wrong CRC");
    }
    WatchRecord record;
    record.mode = static_cast<int16_t>(get(bytes, 6, 2));
    if (record.mode < 0 || record.mode >= MODE_COUNT) {
        throw TolmError::format("mode %d outside 0..%d", record.mode, MODE_COUNT - 1);
    }
    record.version = static_cast<uint16_t>(version);
    record.seed = get(bytes, 8, 4);
    record.score = static_cast<int32_t>(get(bytes, 16, 4));
    record.frames.reserve(count);
    for (size_t k = 0; k < count; ++k) {
        record.frames.push_back(frameAt(bytes, HEADER_BYTES + k * frameBytes(version), version));
    }
    for (size_t k = 0; k < digests; ++k) {
        record.digests.push_back(get(bytes, framesEnd + k * DIGEST_BYTES, 4));
    }
    return record;
}

void saveWatchFile(const std::string& file, const WatchRecord& record) {
    safe_file::replace(file, encodeWatch(record));
}

WatchRecord readWatchFile(const std::string& file) { return decodeWatch(readWhole(file)); }

WatchRecord loadWatchFile(const std::string& file) {
    try {
        return readWatchFile(file);
    } catch (const TolmError& e) {
        throw TolmError("Watch " + file + ": " + e.what());
    }
}
