// Building blocks of the generated sounds: oscillators, envelopes, filters and noise.
#pragma once

#include <cstdint>

#include "audio.h"

namespace resgen {

double noteHz(double midiNote);

// A free-running oscillator; each call advances it by one sample at the given frequency.
// Square and saw are band-limited (PolyBLEP) so high notes do not alias into hiss.
class Oscillator {
public:
    explicit Oscillator(double startPhase = 0.0) : phase(startPhase) {}
    float sine(double hz);
    float triangle(double hz);
    float saw(double hz);
    float pulse(double hz, double width = 0.5);

private:
    double advance(double hz);
    double phase;
};

// Deterministic white noise in -1..1 (xorshift), so every run renders the same bytes.
class Noise {
public:
    explicit Noise(uint32_t seed) : state(seed ? seed : 1u) {}
    float next();

private:
    uint32_t state;
};

// Attack, decay to a sustain level, and a linear release to exactly zero after the gate.
struct Envelope {
    double attack = 0.005, decay = 0.1, sustain = 0.7, release = 0.02;
    // Level at time t (seconds) of a note held for gate seconds.
    double at(double t, double gate) const;
    // Seconds until the level is zero for good.
    double length(double gate) const { return gate + release; }
};

// One-pole low-pass; gentle, used to take the edge off bright waves.
class LowPass {
public:
    explicit LowPass(double hz) { setCutoff(hz); }
    void setCutoff(double hz);
    float process(float x);

private:
    double a = 0.0, z = 0.0;
};

// One-pole high-pass.
class HighPass {
public:
    explicit HighPass(double hz) : low(hz) {}
    float process(float x) { return x - low.process(x); }

private:
    LowPass low;
};

// Resonant low-pass (state-variable); cutoff may change every sample.
class ResonantLowPass {
public:
    explicit ResonantLowPass(double resonance) : damping(1.0 / resonance) {}
    float process(float x, double cutoffHz);

private:
    double damping, low = 0.0, band = 0.0;
};

// Ramps the first 2.5 ms in and the last 20 ms out, so a sample starts and ends at rest.
void fadeEdges(Mono& samples);

// Renders seconds of mono audio from voice(t), t in seconds, with fadeEdges applied.
template <typename Voice>
Mono renderMono(double seconds, Voice voice) {
    Mono out(static_cast<size_t>(seconds * SAMPLE_RATE));
    for (size_t i = 0; i < out.size(); ++i) out[i] = voice(static_cast<double>(i) / SAMPLE_RATE);
    fadeEdges(out);
    return out;
}

}  // namespace resgen
