// Second-order IIR filters from the RBJ audio-EQ cookbook, with one state per
// channel of an interleaved signal.
#pragma once

#include <cstddef>
#include <vector>

namespace audio::fx {

struct BiquadCoefficients {
    double b0 = 1.0, b1 = 0.0, b2 = 0.0, a1 = 0.0, a2 = 0.0; // normalised by a0

    // Peaking filter: gainDb at centreHz, half that gain (in dB) at the band's
    // edges, octaves wide.
    static BiquadCoefficients peaking(double rate, double centreHz, double octaves, double gainDb);
    static BiquadCoefficients lowpass(double rate, double cutoffHz, double q);
    // Band-pass with 0 dB at its centre.
    static BiquadCoefficients bandpass(double rate, double centreHz, double q);
};

class Biquad {
public:
    explicit Biquad(int channels = 1) : m_state(static_cast<std::size_t>(channels)) {}

    void setCoefficients(const BiquadCoefficients& c) { m_c = c; }
    void reset();
    // Filters every channel of an interleaved block in place.
    void process(float* samples, std::size_t frames);
    // Filters one sample of one channel.
    float processOne(float x, std::size_t channel) {
        State& s = m_state[channel];
        const double y = m_c.b0 * x + s.z1;
        s.z1 = m_c.b1 * x - m_c.a1 * y + s.z2;
        s.z2 = m_c.b2 * x - m_c.a2 * y;
        return static_cast<float>(y);
    }

private:
    struct State {
        double z1 = 0.0, z2 = 0.0; // transposed direct form II
    };
    BiquadCoefficients m_c;
    std::vector<State> m_state;
};

} // namespace audio::fx
