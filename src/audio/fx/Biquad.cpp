#include "audio/fx/Biquad.h"

#include <cmath>
#include <numbers>

namespace audio::fx {

namespace {

BiquadCoefficients normalised(double b0, double b1, double b2, double a0, double a1, double a2) {
    return {b0 / a0, b1 / a0, b2 / a0, a1 / a0, a2 / a0};
}

} // namespace

BiquadCoefficients BiquadCoefficients::peaking(double rate, double centreHz, double octaves,
                                               double gainDb) {
    const double a = std::pow(10.0, gainDb / 40.0);
    const double w0 = 2.0 * std::numbers::pi * centreHz / rate;
    const double sinW0 = std::sin(w0);
    const double alpha = sinW0 * std::sinh(std::numbers::ln2 / 2.0 * octaves * w0 / sinW0);
    const double cosW0 = std::cos(w0);
    return normalised(1.0 + alpha * a, -2.0 * cosW0, 1.0 - alpha * a, 1.0 + alpha / a, -2.0 * cosW0,
                      1.0 - alpha / a);
}

BiquadCoefficients BiquadCoefficients::lowpass(double rate, double cutoffHz, double q) {
    const double w0 = 2.0 * std::numbers::pi * cutoffHz / rate;
    const double alpha = std::sin(w0) / (2.0 * q);
    const double cosW0 = std::cos(w0);
    return normalised((1.0 - cosW0) / 2.0, 1.0 - cosW0, (1.0 - cosW0) / 2.0, 1.0 + alpha,
                      -2.0 * cosW0, 1.0 - alpha);
}

BiquadCoefficients BiquadCoefficients::bandpass(double rate, double centreHz, double q) {
    const double w0 = 2.0 * std::numbers::pi * centreHz / rate;
    const double alpha = std::sin(w0) / (2.0 * q);
    const double cosW0 = std::cos(w0);
    return normalised(alpha, 0.0, -alpha, 1.0 + alpha, -2.0 * cosW0, 1.0 - alpha);
}

void Biquad::reset() {
    for (State& s : m_state)
        s = State{};
}

void Biquad::process(float* samples, std::size_t frames) {
    const std::size_t channels = m_state.size();
    for (std::size_t f = 0; f < frames; ++f)
        for (std::size_t c = 0; c < channels; ++c) {
            float& x = samples[f * channels + c];
            x = processOne(x, c);
        }
}

} // namespace audio::fx
