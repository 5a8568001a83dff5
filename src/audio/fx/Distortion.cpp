#include "audio/fx/Distortion.h"

#include <algorithm>
#include <cmath>

namespace audio::fx {

namespace {

double bandLimited(double hz, int rate) {
    return std::clamp(hz, 20.0, 0.45 * rate);
}

} // namespace

Distortion::Distortion(int rate, int channels)
    : m_rate(rate), m_channels(channels), m_preLowpass(channels), m_postEq(channels) {
    configure(DistortionParameters{});
}

void Distortion::configure(const DistortionParameters& p) {
    const double cutoff = bandLimited(std::clamp(p.preLowpassCutoffHz, 100.0f, 8000.0f), m_rate);
    m_preLowpass.setCoefficients(BiquadCoefficients::lowpass(m_rate, cutoff, 0.7071));
    const double centre = bandLimited(std::clamp(p.postEqCenterHz, 100.0f, 8000.0f), m_rate);
    const double bandwidth = std::clamp(p.postEqBandwidthHz, 100.0f, 8000.0f);
    m_postEq.setCoefficients(BiquadCoefficients::bandpass(m_rate, centre, centre / bandwidth));
    const double edge = std::clamp(p.edgePercent, 0.0f, 100.0f) / 100.0;
    m_drive = static_cast<float>(std::pow(10.0, 2.0 * edge));
    m_shaperNorm = 1.0f / std::tanh(m_drive);
    m_gain = static_cast<float>(std::pow(10.0, std::clamp(p.gainDb, -60.0f, 0.0f) / 20.0));
}

void Distortion::reset() {
    m_preLowpass.reset();
    m_postEq.reset();
}

void Distortion::process(float* samples, std::size_t frames) {
    m_preLowpass.process(samples, frames);
    const std::size_t total = frames * static_cast<std::size_t>(m_channels);
    for (std::size_t i = 0; i < total; ++i)
        samples[i] = std::tanh(m_drive * samples[i]) * m_shaperNorm;
    m_postEq.process(samples, frames);
    for (std::size_t i = 0; i < total; ++i)
        samples[i] *= m_gain;
}

} // namespace audio::fx
