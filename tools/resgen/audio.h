// Sample buffers and their writers: 16-bit PCM WAV and Ogg Vorbis.
#pragma once

#include <cstdint>
#include <filesystem>
#include <vector>

namespace resgen {

constexpr int SAMPLE_RATE = 22050;

// Samples in -1..1 at SAMPLE_RATE.
using Mono = std::vector<float>;

struct Stereo {
    Mono left, right;
    explicit Stereo(size_t frames = 0) : left(frames, 0.0f), right(frames, 0.0f) {}
    size_t frames() const { return left.size(); }
};

// Scales the buffer so its loudest sample reaches peak (no change for silence).
void normalize(Mono& samples, float peak);
void normalize(Stereo& samples, float peak);

// Writes a mono 16-bit PCM RIFF/WAVE file; throws std::runtime_error on failure.
void writeWav(const std::filesystem::path& file, const Mono& samples);

// Encodes to Ogg Vorbis (VBR at the given quality) with a fixed stream serial, so the
// same samples always give the same bytes; throws std::runtime_error on failure.
void writeOgg(const std::filesystem::path& file, const Stereo& samples, int serial, float quality);

}  // namespace resgen
