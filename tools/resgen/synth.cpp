// Oscillators, envelopes, filters and noise for the sound and music generators.
#include "synth.h"

#include <algorithm>
#include <cmath>

namespace resgen {

namespace {

constexpr double TWO_PI = 6.283185307179586;

// Smooths a waveform step at phase 0 over one sample on either side.
double polyBlep(double t, double dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

}  // namespace

double noteHz(double midiNote) { return 440.0 * std::pow(2.0, (midiNote - 69.0) / 12.0); }

double Oscillator::advance(double hz) {
    double now = phase;
    phase += hz / SAMPLE_RATE;
    phase -= std::floor(phase);
    return now;
}

float Oscillator::sine(double hz) { return static_cast<float>(std::sin(TWO_PI * advance(hz))); }

float Oscillator::triangle(double hz) {
    double p = advance(hz);
    return static_cast<float>(p < 0.5 ? 4.0 * p - 1.0 : 3.0 - 4.0 * p);
}

float Oscillator::saw(double hz) {
    double dt = hz / SAMPLE_RATE;
    double p = advance(hz);
    return static_cast<float>(2.0 * p - 1.0 - polyBlep(p, dt));
}

float Oscillator::pulse(double hz, double width) {
    double dt = hz / SAMPLE_RATE;
    double p = advance(hz);
    double v = p < width ? 1.0 : -1.0;
    v += polyBlep(p, dt);
    double q = p - width;
    q -= std::floor(q);
    v -= polyBlep(q, dt);
    return static_cast<float>(v);
}

float Noise::next() {
    state ^= state << 13;
    state ^= state >> 17;
    state ^= state << 5;
    return static_cast<float>(state / 2147483647.5 - 1.0);
}

double Envelope::at(double t, double gate) const {
    if (t < 0.0) return 0.0;
    auto held = [this](double u) {
        if (u < attack) return u / attack;
        return sustain + (1.0 - sustain) * std::exp(-(u - attack) / decay);
    };
    if (t < gate) return held(t);
    if (t >= gate + release) return 0.0;
    return held(gate) * (1.0 - (t - gate) / release);
}

void LowPass::setCutoff(double hz) {
    a = 1.0 - std::exp(-TWO_PI * std::min(hz, SAMPLE_RATE * 0.49) / SAMPLE_RATE);
}

float LowPass::process(float x) {
    z += a * (x - z);
    return static_cast<float>(z);
}

float ResonantLowPass::process(float x, double cutoffHz) {
    // Run at twice the sample rate, which keeps the filter stable at higher cutoffs.
    double f = 2.0 * std::sin(TWO_PI * 0.25 * std::min(cutoffHz, SAMPLE_RATE * 0.4) / SAMPLE_RATE);
    for (int pass = 0; pass < 2; ++pass) {
        low += f * band;
        double high = x - low - damping * band;
        band += f * high;
    }
    return static_cast<float>(low);
}

void fadeEdges(Mono& samples) {
    const size_t in = std::min(samples.size(), static_cast<size_t>(SAMPLE_RATE / 400));
    const size_t out = std::min(samples.size(), static_cast<size_t>(SAMPLE_RATE / 50));
    for (size_t i = 0; i < in; ++i) samples[i] *= static_cast<float>(i) / static_cast<float>(in);
    for (size_t i = 0; i < out; ++i)
        samples[samples.size() - 1 - i] *= static_cast<float>(i) / static_cast<float>(out);
}

}  // namespace resgen
