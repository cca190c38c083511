// WAV and Ogg Vorbis writers for the generated sounds and music.
#include "audio.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <stdexcept>
#include <string>

namespace resgen {

namespace {

int16_t toPcm(float v) {
    return static_cast<int16_t>(std::lround(std::clamp(v, -1.0f, 1.0f) * 32767.0f));
}

void putLe(std::string& out, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(static_cast<char>((v >> (8 * i)) & 0xFF));
}

void writeBytes(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream f(file, std::ios::binary | std::ios::trunc);
    f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!f) throw std::runtime_error("resgen: cannot write " + file.string());
}

float peakOf(const Mono& s) {
    float peak = 0.0f;
    for (float v : s) peak = std::max(peak, std::fabs(v));
    return peak;
}

void scale(Mono& s, float k) {
    for (float& v : s) v *= k;
}

// Owns the libvorbis and libogg state of one encoding and appends its pages to out.
class VorbisEncoder {
public:
    VorbisEncoder(int channels, int serial, float quality) {
        vorbis_info_init(&info);
        if (vorbis_encode_init_vbr(&info, channels, SAMPLE_RATE, quality) != 0) {
            vorbis_info_clear(&info);
            throw std::runtime_error("resgen: vorbis_encode_init_vbr refused the settings");
        }
        vorbis_comment_init(&comment);
        vorbis_comment_add_tag(&comment, "TITLE", "KORVANE");
        vorbis_analysis_init(&dsp, &info);
        vorbis_block_init(&dsp, &block);
        ogg_stream_init(&stream, serial);

        ogg_packet id, comm, code;
        vorbis_analysis_headerout(&dsp, &comment, &id, &comm, &code);
        ogg_stream_packetin(&stream, &id);
        ogg_stream_packetin(&stream, &comm);
        ogg_stream_packetin(&stream, &code);
        ogg_page page;
        while (ogg_stream_flush(&stream, &page) != 0) append(page);
    }
    ~VorbisEncoder() {
        ogg_stream_clear(&stream);
        vorbis_block_clear(&block);
        vorbis_dsp_clear(&dsp);
        vorbis_comment_clear(&comment);
        vorbis_info_clear(&info);
    }
    VorbisEncoder(const VorbisEncoder&) = delete;
    VorbisEncoder& operator=(const VorbisEncoder&) = delete;

    void submit(const Stereo& s, size_t from, size_t count) {
        float** buffer = vorbis_analysis_buffer(&dsp, static_cast<int>(count));
        for (size_t i = 0; i < count; ++i) {
            buffer[0][i] = s.left[from + i];
            buffer[1][i] = s.right[from + i];
        }
        vorbis_analysis_wrote(&dsp, static_cast<int>(count));
        drain();
    }
    // Ends the stream; the last page carries the end-of-stream mark and the total sample count.
    void finish() {
        vorbis_analysis_wrote(&dsp, 0);
        drain();
        ogg_page page;
        while (ogg_stream_flush(&stream, &page) != 0) append(page);
    }
    const std::string& bytes() const { return out; }

private:
    void drain() {
        while (vorbis_analysis_blockout(&dsp, &block) == 1) {
            vorbis_analysis(&block, nullptr);
            vorbis_bitrate_addblock(&block);
            ogg_packet packet;
            while (vorbis_bitrate_flushpacket(&dsp, &packet) != 0) {
                ogg_stream_packetin(&stream, &packet);
                ogg_page page;
                while (ogg_stream_pageout(&stream, &page) != 0) append(page);
            }
        }
    }
    void append(const ogg_page& page) {
        out.append(reinterpret_cast<const char*>(page.header), static_cast<size_t>(page.header_len));
        out.append(reinterpret_cast<const char*>(page.body), static_cast<size_t>(page.body_len));
    }

    vorbis_info info{};
    vorbis_comment comment{};
    vorbis_dsp_state dsp{};
    vorbis_block block{};
    ogg_stream_state stream{};
    std::string out;
};

}  // namespace

void normalize(Mono& samples, float peak) {
    float p = peakOf(samples);
    if (p > 0.0f) scale(samples, peak / p);
}

void normalize(Stereo& samples, float peak) {
    float p = std::max(peakOf(samples.left), peakOf(samples.right));
    if (p <= 0.0f) return;
    scale(samples.left, peak / p);
    scale(samples.right, peak / p);
}

void writeWav(const std::filesystem::path& file, const Mono& samples) {
    const auto dataBytes = static_cast<uint32_t>(samples.size() * 2);
    std::string out = "RIFF";
    putLe(out, 36 + dataBytes, 4);
    out += "WAVEfmt ";
    putLe(out, 16, 4);
    putLe(out, 1, 2);                // PCM
    putLe(out, 1, 2);                // mono
    putLe(out, SAMPLE_RATE, 4);
    putLe(out, SAMPLE_RATE * 2, 4);  // bytes per second
    putLe(out, 2, 2);                // block align
    putLe(out, 16, 2);               // bits per sample
    out += "data";
    putLe(out, dataBytes, 4);
    for (float v : samples) putLe(out, static_cast<uint16_t>(toPcm(v)), 2);
    writeBytes(file, out);
}

void writeOgg(const std::filesystem::path& file, const Stereo& samples, int serial, float quality) {
    // The encoder sees exactly what a 16-bit master would hold.
    Stereo pcm(samples.frames());
    for (size_t i = 0; i < samples.frames(); ++i) {
        pcm.left[i] = toPcm(samples.left[i]) / 32768.0f;
        pcm.right[i] = toPcm(samples.right[i]) / 32768.0f;
    }
    VorbisEncoder encoder(2, serial, quality);
    constexpr size_t chunk = 1024;
    for (size_t at = 0; at < pcm.frames(); at += chunk)
        encoder.submit(pcm, at, std::min(chunk, pcm.frames() - at));
    encoder.finish();
    writeBytes(file, encoder.bytes());
}

}  // namespace resgen
