// The six sound effects of the game, synthesised from scratch.
#include <algorithm>
#include <cmath>
#include <iterator>

#include "resources.h"
#include "synth.h"

namespace resgen {

namespace {

// Effects peak a little below full scale; the mixer adds them over the music.
constexpr float EFFECT_PEAK = 0.72f;

double lerp(double a, double b, double t) { return a + (b - a) * t; }

}  // namespace

// "select": a quick two-step blip for hovering a menu row or picking a card.
Mono makeSelectSound() {
    Oscillator osc;
    LowPass soften(5000);
    Envelope env{0.002, 0.05, 0.35, 0.015};
    Mono out = renderMono(0.09, [&](double t) {
        double hz = t < 0.03 ? noteHz(84) : noteHz(91);  // C6 then G6
        return soften.process(osc.pulse(hz, 0.25)) * static_cast<float>(env.at(t, 0.07));
    });
    normalize(out, EFFECT_PEAK * 0.8f);
    return out;
}

// "get": a bright two-note bell chime for a taken pair.
Mono makeGetSound() {
    struct Bell {
        double start, midi;
        Oscillator a{0.0}, b{0.3}, c{0.6}, sq{0.1};
    };
    Bell bells[2] = {{0.0, 88}, {0.07, 95}};  // E6, B6
    Mono out = renderMono(0.6, [&](double t) {
        double sum = 0.0;
        for (Bell& bell : bells) {
            double u = t - bell.start;
            double hz = noteHz(bell.midi);
            float a = bell.a.sine(hz), b = bell.b.sine(hz * 2.0), c = bell.c.sine(hz * 3.01);
            float sq = bell.sq.pulse(hz, 0.5);
            if (u < 0.0) continue;
            double attack = std::min(1.0, u / 0.003);
            double body = attack * std::exp(-u / 0.16);
            double sparkle = attack * std::exp(-u / 0.04);
            sum += body * (a + 0.35 * b) + sparkle * (0.25 * c + 0.12 * sq);
        }
        return static_cast<float>(sum);
    });
    normalize(out, EFFECT_PEAK);
    return out;
}

// "cancel" and "door": a soft "puwa", a falling tone whose filter opens and closes.
Mono makeCancelSound() {
    Oscillator osc, sub;
    ResonantLowPass wah(3.0);
    constexpr double length = 0.34;
    Mono out = renderMono(length, [&](double t) {
        double x = t / length;
        double hz = lerp(560.0, 300.0, std::sqrt(x));
        double cutoff = 300.0 + 1900.0 * std::sin(3.14159265 * std::min(1.0, x * 1.4));
        float wave = 0.6f * osc.saw(hz) + 0.5f * sub.triangle(hz * 0.5);
        double env = std::min(1.0, t / 0.02) * (1.0 - x) * (1.0 - x);
        return wah.process(wave, cutoff) * static_cast<float>(env);
    });
    normalize(out, EFFECT_PEAK * 0.85f);
    return out;
}

// "miss": a harsh, falling, detuned buzz.
Mono makeMissSound() {
    Oscillator a, b, low;
    Noise noise(0x5eed01u);
    LowPass tame(3200);
    Envelope env{0.003, 0.15, 0.6, 0.09};
    constexpr double gate = 0.3;
    Mono out = renderMono(gate + 0.1, [&](double t) {
        double drop = 1.0 - 0.25 * std::min(1.0, t / gate);
        double hz = 110.0 * drop;
        double buzz = a.saw(hz) + b.saw(hz * 1.06) + 0.8 * low.pulse(hz * 0.5, 0.3);
        buzz += 0.6 * noise.next() * std::exp(-t / 0.03);
        double driven = std::tanh(2.5 * buzz);
        return tame.process(static_cast<float>(driven)) * static_cast<float>(env.at(t, gate));
    });
    normalize(out, EFFECT_PEAK);
    return out;
}

// "destroy": a noise burst over a low thump, darkening as it dies away.
Mono makeDestroySound() {
    Noise noise(0xb00f5u);
    Oscillator thump;
    LowPass dark(8000);
    float held = 0.0f;
    int holdLeft = 0;
    constexpr double length = 0.7;
    Mono out = renderMono(length, [&](double t) {
        double x = t / length;
        dark.setCutoff(lerp(7000.0, 250.0, std::sqrt(x)));
        // Sample-and-hold crackle that coarsens over time.
        if (holdLeft-- <= 0) {
            held = noise.next();
            holdLeft = static_cast<int>(1 + 10 * x);
        }
        double burst = dark.process(held) * std::exp(-t / 0.18);
        double boom = thump.sine(lerp(130.0, 38.0, std::min(1.0, t / 0.25))) * std::exp(-t / 0.12);
        double env = std::min(1.0, t / 0.002) * (1.0 - x);
        return static_cast<float>((1.2 * burst + 0.9 * boom) * env);
    });
    normalize(out, EFFECT_PEAK);
    return out;
}

// "powerup": a rising C-major arpeggio into a shimmering top note, with a soft echo.
Mono makePowerUpSound() {
    const int notes[] = {72, 76, 79, 84, 88, 91, 96};  // C5 .. C7
    constexpr double step = 0.055;
    constexpr double length = 0.85;
    Mono dry(static_cast<size_t>(length * SAMPLE_RATE), 0.0f);
    Oscillator osc;
    LowPass soften(6500);
    for (size_t i = 0; i < dry.size(); ++i) {
        double t = static_cast<double>(i) / SAMPLE_RATE;
        size_t k = std::min(static_cast<size_t>(t / step), std::size(notes) - 1);
        double u = t - static_cast<double>(k) * step;
        bool last = k + 1 == std::size(notes);
        double vibrato = last ? 0.25 * std::sin(6.283 * 7.0 * u) * std::min(1.0, u / 0.1) : 0.0;
        double hz = noteHz(notes[k] + vibrato);
        double width = last ? 0.5 - 0.2 * std::min(1.0, u / 0.3) : 0.25;
        double env = last ? std::exp(-u / 0.18) : 0.75 + 0.25 * std::exp(-u / 0.02);
        dry[i] = soften.process(osc.pulse(hz, width)) * static_cast<float>(env);
    }
    const auto delay = static_cast<size_t>(0.09 * SAMPLE_RATE);
    Mono out(dry);
    for (size_t i = delay; i < out.size(); ++i) out[i] += 0.35f * dry[i - delay];
    fadeEdges(out);
    normalize(out, EFFECT_PEAK);
    return out;
}

}  // namespace resgen
