// Each drum is a pitched body with a pitch and amplitude envelope, noise for
// the snares and skins, and sums of inharmonic square partials (the classic
// analogue cymbal recipe) for the metal.
#include "Instruments.h"

#include <cmath>

namespace kitgen {

namespace {

double square(double phase) {
    return std::sin(phase) >= 0 ? 1.0 : -1.0;
}

// Six inharmonic square partials, high-passed: the metallic core of cymbals.
Signal metal(double seconds, double baseHz, double highPassHz, double tau, uint64_t seed,
             double noiseMix) {
    static constexpr double ratios[] = {1.0, 1.4836, 1.8, 2.5455, 2.6303, 3.8965};
    Signal s(framesFor(seconds));
    Noise noise(seed);
    double phases[6] = {0.3, 1.1, 2.0, 0.7, 2.9, 1.6};
    for (size_t i = 0; i < s.size(); ++i) {
        double v = 0;
        for (int k = 0; k < 6; ++k) {
            phases[k] += 2 * Pi * baseHz * ratios[k] / SampleRate;
            v += square(phases[k]);
        }
        const double t = static_cast<double>(i) / SampleRate;
        s[i] = (v / 6.0 + noiseMix * noise.next()) * decay(t, tau);
    }
    Biquad hp1 = Biquad::highPass(highPassHz, 0.7);
    Biquad hp2 = Biquad::highPass(highPassHz, 0.7);
    hp1.apply(s);
    hp2.apply(s);
    return s;
}

} // namespace

Signal bassDrum(double strength) {
    Signal s(framesFor(0.6));
    Noise noise(11);
    Biquad clickFilter = Biquad::lowPass(2500 + 3500 * strength, 0.7);
    double phase = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / SampleRate;
        const double hz = 48 + 110 * strength * std::exp(-t / 0.03);
        phase += 2 * Pi * hz / SampleRate;
        const double body = std::sin(phase) * decay(t, 0.16 + 0.12 * strength);
        const double click = clickFilter.process(noise.next()) * decay(t, 0.004) * strength;
        s[i] = std::tanh(1.6 * body + 0.8 * click);
    }
    normalize(s, 0.95 * strength);
    return s;
}

Signal snare(double strength) {
    Signal s(framesFor(0.45));
    Noise noise(23);
    Biquad bright = Biquad::bandPass(3500 + 2500 * strength, 0.6);
    Biquad low = Biquad::highPass(900, 0.7);
    double p1 = 0, p2 = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / SampleRate;
        p1 += 2 * Pi * (185 + 30 * std::exp(-t / 0.01)) / SampleRate;
        p2 += 2 * Pi * 330 / SampleRate;
        const double body = (0.7 * std::sin(p1) + 0.35 * std::sin(p2)) * decay(t, 0.06);
        const double wires =
            low.process(bright.process(noise.next())) * decay(t, 0.09 + 0.08 * strength);
        s[i] = 0.8 * body + 2.2 * wires * (0.6 + 0.4 * strength);
    }
    normalize(s, 0.9 * strength);
    return s;
}

Signal sideStick(double strength) {
    Signal s(framesFor(0.15));
    Noise noise(31);
    Biquad knock = Biquad::bandPass(1700, 4);
    double p = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / SampleRate;
        p += 2 * Pi * 820 / SampleRate;
        s[i] =
            0.6 * std::sin(p) * decay(t, 0.018) + knock.process(noise.next()) * decay(t, 0.012) * 3;
    }
    normalize(s, 0.8 * strength);
    return s;
}

Signal handClap(double strength) {
    Signal s(framesFor(0.35));
    Noise noise(41);
    Biquad band = Biquad::bandPass(1150, 1.4);
    static constexpr double bursts[] = {0.0, 0.011, 0.022, 0.034};
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / SampleRate;
        double env = 0;
        for (double b : bursts)
            if (t >= b)
                env = std::max(env, decay(t - b, 0.0045));
        if (t >= bursts[3])
            env = std::max(env, 0.6 * decay(t - bursts[3], 0.09));
        s[i] = band.process(noise.next()) * env;
    }
    normalize(s, 0.85 * strength);
    return s;
}

Signal hiHat(double strength, double decaySeconds, uint64_t seed) {
    Signal s = metal(decaySeconds * 6 + 0.05, 300 + 40 * strength, 6500, decaySeconds, seed, 0.6);
    Biquad soften = Biquad::lowPass(9000 + 6000 * strength, 0.7);
    soften.apply(s);
    normalize(s, 0.7 * strength);
    return s;
}

Signal tom(double strength, double pitchHz, uint64_t seed) {
    Signal s(framesFor(0.9));
    Noise noise(seed);
    Biquad skin = Biquad::bandPass(pitchHz * 4, 1.0);
    double phase = 0;
    const double tau = 0.22 + 60.0 / pitchHz * 0.12;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / SampleRate;
        const double hz = pitchHz * (1 + 0.6 * strength * std::exp(-t / 0.05));
        phase += 2 * Pi * hz / SampleRate;
        const double body = std::sin(phase) * decay(t, tau);
        const double stick = skin.process(noise.next()) * decay(t, 0.01);
        s[i] = std::tanh(1.3 * body + 0.5 * stick);
    }
    normalize(s, 0.9 * strength);
    return s;
}

Signal crash(double strength) {
    Signal s = metal(2.6, 340, 3500, 0.75, 53, 1.4);
    normalize(s, 0.75 * strength);
    return s;
}

Signal ride(double strength) {
    Signal s = metal(2.8, 520, 4500, 0.9, 61, 0.4);
    Noise noise(67);
    Biquad ping = Biquad::bandPass(5200, 6);
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / SampleRate;
        s[i] = 0.5 * s[i] + ping.process(noise.next()) * decay(t, 0.02) * 2.0;
    }
    normalize(s, 0.6 * strength);
    return s;
}

Signal rideBell(double strength) {
    Signal s(framesFor(2.2));
    static constexpr double partials[] = {1.0, 2.01, 2.68, 3.94, 5.33};
    double phases[5] = {};
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / SampleRate;
        double v = 0;
        for (int k = 0; k < 5; ++k) {
            phases[k] += 2 * Pi * 720 * partials[k] / SampleRate;
            v += std::sin(phases[k]) * decay(t, 0.9 / (1 + 0.5 * k));
        }
        s[i] = v;
    }
    Signal shimmer = metal(2.2, 520, 5000, 0.6, 71, 0.3);
    for (size_t i = 0; i < s.size(); ++i)
        s[i] += 0.6 * shimmer[i];
    normalize(s, 0.6 * strength);
    return s;
}

} // namespace kitgen
