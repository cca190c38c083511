// The game music "mogmog" (a seamless loop) and the results jingle, sequenced and mixed here.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "resources.h"
#include "synth.h"

namespace resgen {

namespace {

constexpr int BPM = 150;
constexpr int STEPS_PER_BAR = 16;  // sixteenth notes
constexpr size_t STEP_FRAMES = SAMPLE_RATE * 60 / BPM / 4;
constexpr size_t BAR_FRAMES = STEP_FRAMES * STEPS_PER_BAR;
constexpr double STEP_SECONDS = static_cast<double>(STEP_FRAMES) / SAMPLE_RATE;
static_assert(STEP_FRAMES * BPM * 4 == SAMPLE_RATE * 60, "a step must be a whole number of samples");

// ---- Score notation ----
// A bar of a line is written "c5:2 e5:2 r:4 ...": note name, optional # or b, octave, then
// the length in sixteenths; "r" is a rest. Every bar must add up to STEPS_PER_BAR.

struct Note {
    int step;    // from the start of the piece
    int length;  // in steps
    int midi;
};

int parsePitch(std::string_view name) {
    static const int semitone[7] = {9, 11, 0, 2, 4, 5, 7};  // a b c d e f g
    if (name.size() < 2 || name[0] < 'a' || name[0] > 'g') throw std::logic_error("bad note " + std::string(name));
    int pitch = semitone[name[0] - 'a'];
    size_t at = 1;
    if (name[at] == '#') ++pitch, ++at;
    else if (name[at] == 'b' && at + 1 < name.size()) --pitch, ++at;
    if (at + 1 != name.size() || name[at] < '0' || name[at] > '9') throw std::logic_error("bad note " + std::string(name));
    return pitch + 12 * (name[at] - '0' + 1);
}

std::vector<Note> parseBars(const std::vector<std::string_view>& bars) {
    std::vector<Note> notes;
    for (size_t bar = 0; bar < bars.size(); ++bar) {
        int step = static_cast<int>(bar) * STEPS_PER_BAR;
        const int barEnd = step + STEPS_PER_BAR;
        std::string_view rest = bars[bar];
        while (!rest.empty()) {
            size_t space = rest.find(' ');
            std::string_view token = rest.substr(0, space);
            rest = space == std::string_view::npos ? std::string_view{} : rest.substr(space + 1);
            if (token.empty()) continue;
            size_t colon = token.find(':');
            if (colon == std::string_view::npos) throw std::logic_error("missing length in " + std::string(token));
            int length = std::stoi(std::string(token.substr(colon + 1)));
            std::string_view name = token.substr(0, colon);
            if (name != "r") notes.push_back({step, length, parsePitch(name)});
            step += length;
        }
        if (step != barEnd) throw std::logic_error("bar " + std::to_string(bar + 1) + " does not fill 16 steps");
    }
    return notes;
}

// Chord per half bar: "C", "Am", "G7"... Voicings sit around middle C.
struct Chord {
    int root;                // bass root, octave 2-3
    std::vector<int> tones;  // voicing for pads and arpeggios
};

Chord chordNamed(std::string_view name) {
    if (name == "C") return {48, {60, 64, 67}};
    if (name == "Dm") return {50, {57, 62, 65}};
    if (name == "Em") return {40, {59, 64, 67}};
    if (name == "F") return {41, {57, 60, 65}};
    if (name == "G") return {43, {55, 59, 62}};
    if (name == "G7") return {43, {55, 59, 62, 65}};
    if (name == "Am") return {45, {57, 60, 64}};
    throw std::logic_error("unknown chord " + std::string(name));
}

// One chord or two (first and second half) per bar, e.g. "C" or "Dm G".
std::vector<Chord> parseChords(const std::vector<std::string_view>& bars) {
    std::vector<Chord> halves;
    for (std::string_view bar : bars) {
        size_t space = bar.find(' ');
        if (space == std::string_view::npos) {
            halves.push_back(chordNamed(bar));
            halves.push_back(chordNamed(bar));
        } else {
            halves.push_back(chordNamed(bar.substr(0, space)));
            halves.push_back(chordNamed(bar.substr(space + 1)));
        }
    }
    return halves;
}

// ---- Mixing ----

// A stereo mix whose notes may run past the end: a looping mix wraps them round to the
// start (so the seam is continuous), a one-shot mix just grows.
class Mix {
public:
    Mix(size_t frames, bool loops) : out(frames), wrap(loops) {}
    void add(size_t frame, float left, float right) {
        if (wrap) frame %= out.frames();
        if (frame >= out.frames()) {
            out.left.resize(frame + 1, 0.0f);
            out.right.resize(frame + 1, 0.0f);
        }
        out.left[frame] += left;
        out.right[frame] += right;
    }
    size_t frames() const { return out.frames(); }
    Stereo out;
    bool wrap;
};

enum class Wave { Pulse, Saw, Triangle, Sine };

struct Instrument {
    Wave wave = Wave::Pulse;
    double width = 0.5;      // pulse width
    Envelope env;
    double cutoff = 6000;    // low-pass, Hz
    double detune = 0.0;     // second voice, semitones (0 = single voice)
    double vibrato = 0.0;    // depth in semitones, after a short delay
    double gain = 0.2;
    double pan = 0.0;        // -1 left .. 1 right
};

float waveOf(Oscillator& osc, Wave wave, double hz, double width) {
    switch (wave) {
        case Wave::Pulse: return osc.pulse(hz, width);
        case Wave::Saw: return osc.saw(hz);
        case Wave::Triangle: return osc.triangle(hz);
        case Wave::Sine: return osc.sine(hz);
    }
    return 0.0f;
}

void panGains(double pan, float& left, float& right) {
    double angle = (pan + 1.0) * 0.25 * 3.14159265358979;
    left = static_cast<float>(std::cos(angle) * 1.41421356);
    right = static_cast<float>(std::sin(angle) * 1.41421356);
}

void playNote(Mix& mix, size_t frame, double gate, double midi, double velocity, const Instrument& in) {
    Oscillator a(0.0), b(0.25);
    LowPass tone(in.cutoff);
    float left, right;
    panGains(in.pan, left, right);
    const auto frames = static_cast<size_t>(in.env.length(gate) * SAMPLE_RATE) + 1;
    for (size_t i = 0; i < frames; ++i) {
        double t = static_cast<double>(i) / SAMPLE_RATE;
        double bend = in.vibrato * std::sin(6.2831853 * 5.5 * t) * std::clamp((t - 0.12) / 0.15, 0.0, 1.0);
        double hz = noteHz(midi + bend);
        double v = waveOf(a, in.wave, hz, in.width);
        if (in.detune != 0.0) v = 0.5 * (v + waveOf(b, in.wave, noteHz(midi + bend + in.detune), in.width));
        auto s = static_cast<float>(tone.process(static_cast<float>(v)) * in.env.at(t, gate) * velocity * in.gain);
        mix.add(frame + i, s * left, s * right);
    }
}

// ---- Drums ----

void kick(Mix& mix, size_t frame, double velocity) {
    Oscillator body;
    const auto frames = static_cast<size_t>(0.22 * SAMPLE_RATE);
    for (size_t i = 0; i < frames; ++i) {
        double t = static_cast<double>(i) / SAMPLE_RATE;
        double hz = 48.0 + 110.0 * std::exp(-t / 0.03);
        double env = std::min(1.0, t / 0.001) * std::exp(-t / 0.09) * (1.0 - t / 0.22);
        auto s = static_cast<float>(body.sine(hz) * env * velocity * 0.7);
        mix.add(frame + i, s, s);
    }
}

void snare(Mix& mix, size_t frame, double velocity, uint32_t seed) {
    Noise noise(seed);
    Oscillator tone;
    HighPass crisp(1200);
    const auto frames = static_cast<size_t>(0.16 * SAMPLE_RATE);
    for (size_t i = 0; i < frames; ++i) {
        double t = static_cast<double>(i) / SAMPLE_RATE;
        double fade = std::min(1.0, t / 0.001) * (1.0 - t / 0.16);
        double s = crisp.process(noise.next()) * std::exp(-t / 0.05) + 0.5 * tone.sine(190.0 - 40.0 * t / 0.16) * std::exp(-t / 0.03);
        auto v = static_cast<float>(s * fade * velocity * 0.4);
        mix.add(frame + i, v * 0.95f, v * 1.05f);
    }
}

void hat(Mix& mix, size_t frame, double velocity, double decay, uint32_t seed) {
    Noise noise(seed);
    HighPass thin(6000);
    const double length = decay * 4.0;
    const auto frames = static_cast<size_t>(length * SAMPLE_RATE);
    for (size_t i = 0; i < frames; ++i) {
        double t = static_cast<double>(i) / SAMPLE_RATE;
        double env = std::min(1.0, t / 0.0008) * std::exp(-t / decay) * (1.0 - t / length);
        auto v = static_cast<float>(thin.process(noise.next()) * env * velocity * 0.2);
        mix.add(frame + i, v * 1.1f, v * 0.9f);
    }
}

void crash(Mix& mix, size_t frame, double velocity, uint32_t seed) {
    Noise noise(seed);
    HighPass thin(3500);
    LowPass soft(9000);
    const double length = 1.4;
    const auto frames = static_cast<size_t>(length * SAMPLE_RATE);
    for (size_t i = 0; i < frames; ++i) {
        double t = static_cast<double>(i) / SAMPLE_RATE;
        double env = std::min(1.0, t / 0.002) * std::exp(-t / 0.35) * (1.0 - t / length);
        auto v = static_cast<float>(soft.process(thin.process(noise.next())) * env * velocity * 0.14);
        mix.add(frame + i, v, v);
    }
}

// Feedback echo of one part, sent to the given side; on a looping mix the repeats wrap too.
void echo(Mix& mix, const Mix& dry, size_t delay, float feedback, float wet, double pan) {
    const size_t n = dry.frames();
    Mono line(n, 0.0f);  // line[i] = dry[i - delay] + feedback * line[i - delay]
    const int laps = mix.wrap ? 2 : 1;  // the second lap settles the wrapped repeats
    for (int lap = 0; lap < laps; ++lap)
        for (size_t i = 0; i < n; ++i) {
            if (!mix.wrap && i < delay) continue;
            size_t j = (i + n - delay % n) % n;
            float mono = 0.5f * (dry.out.left[j] + dry.out.right[j]);
            line[i] = mono + feedback * line[j];
        }
    float left, right;
    panGains(pan, left, right);
    for (size_t i = 0; i < n; ++i) mix.add(i, line[i] * wet * left, line[i] * wet * right);
}

void addInto(Mix& mix, const Mix& part) {
    for (size_t i = 0; i < part.frames(); ++i) mix.add(i, part.out.left[i], part.out.right[i]);
}

size_t stepFrame(int step) { return static_cast<size_t>(step) * STEP_FRAMES; }

// ---- The game music ----

const std::vector<std::string_view> GAME_CHORDS = {
    // A
    "C", "Am", "F", "G", "C", "Am", "Dm G", "C",
    // B
    "F", "G", "Em", "Am", "Dm", "G", "C F", "G7",
    // A again, turning back to the top
    "C", "Am", "F", "G", "C", "Am", "F G", "G7",
};

const std::vector<std::string_view> GAME_MELODY = {
    "c5:2 e5:2 g5:3 a5:1 g5:2 e5:2 c5:2 d5:2",
    "e5:3 d5:1 c5:2 a4:2 c5:4 r:2 e5:2",
    "f5:2 a5:2 c6:3 a5:1 g5:2 f5:2 a5:2 g5:2",
    "g5:6 d5:2 b4:2 d5:2 g5:2 f5:2",
    "c5:2 e5:2 g5:3 a5:1 g5:2 e5:2 c5:2 d5:2",
    "e5:3 d5:1 c5:2 a4:2 c5:2 e5:2 a5:4",
    "f5:2 e5:2 d5:2 f5:2 b5:3 a5:1 g5:2 d5:2",
    "c6:6 g5:2 e5:2 c5:2 r:4",

    "a5:2 r:1 a5:1 a5:2 c6:2 a5:2 g5:2 f5:4",
    "g5:2 r:1 g5:1 g5:2 b5:2 d6:4 b5:4",
    "e5:2 g5:2 b5:2 g5:2 e6:4 d6:2 b5:2",
    "c6:6 b5:1 a5:1 e5:4 r:4",
    "d5:2 f5:2 a5:2 f5:2 d6:4 c6:2 a5:2",
    "b5:6 a5:1 g5:1 d5:4 g5:4",
    "e5:2 g5:2 c6:2 e6:2 f6:4 e6:2 c6:2",
    "d6:4 b5:2 g5:2 f5:2 d5:2 b4:2 d5:2",

    "c5:2 e5:2 g5:3 a5:1 g5:2 e5:2 c5:2 d5:2",
    "e5:3 d5:1 c5:2 a4:2 c5:4 r:2 e5:2",
    "f5:2 a5:2 c6:3 a5:1 g5:2 f5:2 a5:2 g5:2",
    "g5:6 d5:2 b4:2 d5:2 g5:2 f5:2",
    "c5:2 e5:2 g5:3 a5:1 g5:2 e5:2 c5:2 d5:2",
    "e5:3 d5:1 c5:2 a4:2 c5:2 e5:2 a5:4",
    "a5:2 c6:2 a5:2 f5:2 g5:2 b5:2 d6:2 b5:2",
    "g5:2 f5:2 e5:2 d5:2 c5:2 b4:2 a4:2 b4:2",
};

constexpr int SECTION_BARS = 8;

// The C-major note a diatonic third below, for the harmony line.
int thirdBelow(int midi) {
    static const int major[7] = {0, 2, 4, 5, 7, 9, 11};
    int octave = midi / 12, pc = midi % 12;
    int degree = 0;
    while (degree < 6 && major[degree + 1] <= pc) ++degree;
    int target = degree - 2;
    if (target < 0) target += 7, --octave;
    return octave * 12 + major[target];
}

Instrument leadInstrument() {
    Instrument in;
    in.wave = Wave::Pulse;
    in.width = 0.25;
    in.env = {0.006, 0.18, 0.65, 0.05};
    in.cutoff = 5200;
    in.vibrato = 0.18;
    in.gain = 0.24;
    in.pan = -0.1;
    return in;
}

void addMelody(Mix& lead, Mix& harmony, const std::vector<Note>& notes) {
    const Instrument in = leadInstrument();
    Instrument soft = in;
    soft.wave = Wave::Triangle;
    soft.gain = 0.22;
    soft.pan = 0.35;
    soft.vibrato = 0.1;
    for (const Note& n : notes) {
        double gate = (n.length - 0.35) * STEP_SECONDS;
        playNote(lead, stepFrame(n.step), gate, n.midi, 1.0, in);
        if (n.step >= 2 * SECTION_BARS * STEPS_PER_BAR)
            playNote(harmony, stepFrame(n.step), gate, thirdBelow(n.midi), 1.0, soft);
    }
}

// Bouncing octave bass in A, a busier root-fifth-octave line in B.
void addBass(Mix& mix, const std::vector<Chord>& halves, int bars) {
    Instrument in;
    in.wave = Wave::Pulse;
    in.width = 0.5;
    in.env = {0.003, 0.12, 0.55, 0.03};
    in.cutoff = 900;
    in.gain = 0.28;
    struct Hit { int step, length, offset; };
    const Hit octaves[] = {{0, 2, 0}, {2, 2, 12}, {4, 2, 0}, {6, 2, 12}, {8, 2, 0}, {10, 2, 12}, {12, 2, 0}, {14, 2, 12}};
    const Hit walking[] = {{0, 3, 0}, {3, 3, 0}, {6, 2, 12}, {8, 2, 0}, {10, 2, 7}, {12, 2, 12}, {14, 2, 7}};
    for (int bar = 0; bar < bars; ++bar) {
        bool b = bar / SECTION_BARS == 1;
        auto play = [&](const Hit& h) {
            const Chord& chord = halves.at(static_cast<size_t>(bar * 2 + h.step / 8));
            int step = bar * STEPS_PER_BAR + h.step;
            playNote(mix, stepFrame(step), (h.length - 0.6) * STEP_SECONDS, chord.root + h.offset, 1.0, in);
        };
        if (b) for (const Hit& h : walking) play(h);
        else for (const Hit& h : octaves) play(h);
    }
}

// Off-beat chord stabs.
void addChords(Mix& mix, const std::vector<Chord>& halves, int bars) {
    Instrument in;
    in.wave = Wave::Saw;
    in.detune = 0.1;
    in.env = {0.004, 0.09, 0.35, 0.06};
    in.cutoff = 2400;
    in.gain = 0.22;
    for (int bar = 0; bar < bars; ++bar)
        for (int step : {2, 6, 10, 14}) {
            const Chord& chord = halves.at(static_cast<size_t>(bar * 2 + step / 8));
            for (size_t k = 0; k < chord.tones.size(); ++k) {
                in.pan = -0.4 + 0.8 * static_cast<double>(k) / static_cast<double>(chord.tones.size());
                playNote(mix, stepFrame(bar * STEPS_PER_BAR + step), 1.1 * STEP_SECONDS, chord.tones[k], 1.0, in);
            }
        }
}

// Sixteenth-note arpeggio of the chord an octave up, from the second section on.
void addArpeggio(Mix& mix, const std::vector<Chord>& halves, int bars) {
    Instrument in;
    in.wave = Wave::Pulse;
    in.width = 0.125;
    in.env = {0.002, 0.06, 0.3, 0.03};
    in.cutoff = 4200;
    in.gain = 0.16;
    in.pan = 0.55;
    for (int bar = SECTION_BARS; bar < bars; ++bar)
        for (int step = 0; step < STEPS_PER_BAR; ++step) {
            const Chord& chord = halves.at(static_cast<size_t>(bar * 2 + step / 8));
            const size_t count = chord.tones.size();
            size_t k = static_cast<size_t>(step) % (2 * count - 2);
            if (k >= count) k = 2 * count - 2 - k;  // up and down
            double accent = step % 4 == 0 ? 1.0 : 0.7;
            playNote(mix, stepFrame(bar * STEPS_PER_BAR + step), 0.6 * STEP_SECONDS, chord.tones[k] + 12, accent, in);
        }
}

void addDrums(Mix& mix, int bars) {
    uint32_t seed = 1;
    for (int bar = 0; bar < bars; ++bar) {
        const int section = bar / SECTION_BARS;
        const bool lastOfSection = bar % SECTION_BARS == SECTION_BARS - 1;
        const int at = bar * STEPS_PER_BAR;
        if (bar % SECTION_BARS == 0) crash(mix, stepFrame(at), 1.0, seed++);
        for (int s : {0, 8, 10}) kick(mix, stepFrame(at + s), s == 10 ? 0.75 : 1.0);
        if (section == 1 && bar % 2 == 1) kick(mix, stepFrame(at + 7), 0.6);
        if (lastOfSection) {
            snare(mix, stepFrame(at + 4), 0.9, seed++);
            for (int s = 10; s < 16; ++s) snare(mix, stepFrame(at + s), 0.45 + 0.09 * (s - 10), seed++);
        } else {
            snare(mix, stepFrame(at + 4), 0.9, seed++);
            snare(mix, stepFrame(at + 12), 1.0, seed++);
        }
        for (int s = 0; s < STEPS_PER_BAR; ++s) {
            bool eighth = s % 2 == 0;
            if (section != 1 && !eighth) continue;
            double velocity = s % 4 == 2 ? 1.0 : (eighth ? 0.6 : 0.35);
            bool open = section == 2 && s == 14;
            hat(mix, stepFrame(at + s), velocity, open ? 0.09 : 0.022, seed++);
        }
    }
}

// ---- The results jingle ----

const std::vector<std::string_view> JINGLE_CHORDS = {"C", "F G", "C", "C"};
const std::vector<std::string_view> JINGLE_MELODY = {
    "g4:1 c5:1 e5:1 g5:1 c6:4 g5:2 c6:2 e6:4",
    "f5:2 a5:2 c6:4 g5:2 b5:2 d6:4",
    "c6:16",
    "r:16",
};

}  // namespace

Stereo makeGameMusic() {
    const int bars = static_cast<int>(GAME_MELODY.size());
    const size_t frames = BAR_FRAMES * static_cast<size_t>(bars);
    const std::vector<Chord> halves = parseChords(GAME_CHORDS);
    if (halves.size() != 2 * GAME_MELODY.size()) throw std::logic_error("chords and melody differ in length");

    Mix mix(frames, true), lead(frames, true), harmony(frames, true), arp(frames, true);
    addMelody(lead, harmony, parseBars(GAME_MELODY));
    addArpeggio(arp, halves, bars);
    addBass(mix, halves, bars);
    addChords(mix, halves, bars);
    addDrums(mix, bars);
    addInto(mix, lead);
    addInto(mix, harmony);
    addInto(mix, arp);
    echo(mix, lead, 3 * STEP_FRAMES, 0.3f, 0.22f, 0.7);
    echo(mix, arp, 3 * STEP_FRAMES, 0.25f, 0.35f, -0.7);
    normalize(mix.out, 0.8f);
    return mix.out;
}

Stereo makeResultsJingle() {
    const std::vector<Chord> halves = parseChords(JINGLE_CHORDS);
    const size_t frames = BAR_FRAMES * 3 + BAR_FRAMES / 2;  // the last chord rings into the half bar
    Mix mix(frames, false), lead(frames, false);

    Instrument in = leadInstrument();
    in.env.release = 0.4;
    for (const Note& n : parseBars(JINGLE_MELODY)) {
        double gate = n.length >= STEPS_PER_BAR ? 1.2 : (n.length - 0.3) * STEP_SECONDS;
        playNote(lead, stepFrame(n.step), gate, n.midi, 1.0, in);
    }
    // Bass and chords: punchy hits, then one long final chord.
    Instrument bass;
    bass.env = {0.003, 0.12, 0.6, 0.4};
    bass.cutoff = 900;
    bass.gain = 0.34;
    Instrument pad;
    pad.wave = Wave::Saw;
    pad.detune = 0.12;
    pad.env = {0.004, 0.3, 0.5, 0.5};
    pad.cutoff = 2600;
    pad.gain = 0.2;
    const int hits[] = {0, 4, 8, 12, 16, 20, 24, 28, 32};
    for (int step : hits) {
        const Chord& chord = halves.at(static_cast<size_t>(step / 8));
        bool last = step == 32;
        double gate = last ? 1.3 : 2.5 * STEP_SECONDS;
        playNote(mix, stepFrame(step), gate, chord.root, 1.0, bass);
        playNote(mix, stepFrame(step), gate, chord.root + 12, 0.6, bass);
        for (size_t k = 0; k < chord.tones.size(); ++k) {
            pad.pan = -0.5 + static_cast<double>(k) / static_cast<double>(chord.tones.size());
            playNote(mix, stepFrame(step), gate, chord.tones[k], last ? 1.3 : 1.0, pad);
        }
    }
    uint32_t seed = 99;
    for (int s = 0; s < 16; ++s) snare(mix, stepFrame(s), 0.25 + 0.04 * s, seed++);
    for (int s : {16, 20, 24, 26, 28, 30}) kick(mix, stepFrame(s), 1.0);
    for (int s : {20, 28, 29, 30, 31}) snare(mix, stepFrame(s), 0.9, seed++);
    kick(mix, stepFrame(32), 1.0);
    crash(mix, stepFrame(32), 1.3, seed++);
    crash(mix, stepFrame(0), 0.8, seed++);

    addInto(mix, lead);
    echo(mix, lead, 3 * STEP_FRAMES, 0.3f, 0.2f, 0.6);
    fadeEdges(mix.out.left);
    fadeEdges(mix.out.right);
    normalize(mix.out, 0.8f);
    return mix.out;
}

}  // namespace resgen
