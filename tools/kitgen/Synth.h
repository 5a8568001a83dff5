// Small building blocks for synthesizing drum sounds: a deterministic noise
// source, one-pole and biquad filters, envelopes and a WAV writer.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace kitgen {

static constexpr double SampleRate = 44100.0;
static constexpr double Pi = 3.14159265358979323846;

using Signal = std::vector<double>;

inline size_t framesFor(double seconds) {
    return static_cast<size_t>(seconds * SampleRate);
}

// xorshift64*: the same noise on every machine for the same seed.
class Noise {
public:
    explicit Noise(uint64_t seed) : m_state(seed * 2654435761u + 0x9E3779B97F4A7C15ull) {}
    double next() {
        m_state ^= m_state >> 12;
        m_state ^= m_state << 25;
        m_state ^= m_state >> 27;
        const uint64_t r = m_state * 2685821657736338717ull;
        return static_cast<double>(r >> 11) / static_cast<double>(1ull << 53) * 2.0 - 1.0;
    }

private:
    uint64_t m_state;
};

// RBJ cookbook biquad.
class Biquad {
public:
    static Biquad lowPass(double hz, double q) { return make(hz, q, 0); }
    static Biquad highPass(double hz, double q) { return make(hz, q, 1); }
    static Biquad bandPass(double hz, double q) { return make(hz, q, 2); }

    double process(double x) {
        const double y = m_b0 * x + m_b1 * m_x1 + m_b2 * m_x2 - m_a1 * m_y1 - m_a2 * m_y2;
        m_x2 = m_x1;
        m_x1 = x;
        m_y2 = m_y1;
        m_y1 = y;
        return y;
    }
    void apply(Signal& s) {
        for (double& v : s)
            v = process(v);
    }

private:
    static Biquad make(double hz, double q, int kind) {
        const double w = 2 * Pi * hz / SampleRate;
        const double alpha = std::sin(w) / (2 * q);
        const double c = std::cos(w);
        double b0, b1, b2;
        if (kind == 0) {
            b0 = (1 - c) / 2, b1 = 1 - c, b2 = (1 - c) / 2;
        } else if (kind == 1) {
            b0 = (1 + c) / 2, b1 = -(1 + c), b2 = (1 + c) / 2;
        } else {
            b0 = alpha, b1 = 0, b2 = -alpha;
        }
        const double a0 = 1 + alpha;
        Biquad f;
        f.m_b0 = b0 / a0;
        f.m_b1 = b1 / a0;
        f.m_b2 = b2 / a0;
        f.m_a1 = -2 * c / a0;
        f.m_a2 = (1 - alpha) / a0;
        return f;
    }

    double m_b0 = 1, m_b1 = 0, m_b2 = 0, m_a1 = 0, m_a2 = 0;
    double m_x1 = 0, m_x2 = 0, m_y1 = 0, m_y2 = 0;
};

// exp(-t / tau), with a short linear attack so no sound starts with a step.
inline double decay(double t, double tau, double attack = 0.0005) {
    const double a = t < attack ? t / attack : 1.0;
    return a * std::exp(-t / tau);
}

// Scales the signal so that its peak is `peak`, fading the last 5 ms out.
void normalize(Signal& s, double peak);

// Writes a mono 16-bit PCM WAV file at 44100 Hz.
void writeWav(const std::string& path, const Signal& s);

} // namespace kitgen
