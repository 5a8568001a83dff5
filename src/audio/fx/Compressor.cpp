#include "audio/fx/Compressor.h"

#include <algorithm>
#include <cmath>

namespace audio::fx {

namespace {

// The largest look-ahead the parameters allow, in ms.
constexpr double MaxPredelayMs = 4.0;

double onePoleCoefficient(double ms, int rate) {
    const double frames = ms * rate / 1000.0;
    return std::exp(-1.0 / std::max(frames, 1e-6));
}

} // namespace

Compressor::Compressor(int rate, int channels)
    : m_rate(rate), m_channels(channels),
      m_delay(static_cast<std::size_t>((MaxPredelayMs * rate / 1000.0 + 2) * channels), 0.0f) {
    configure(CompressorParameters{});
}

void Compressor::configure(const CompressorParameters& p) {
    m_attackCoeff = onePoleCoefficient(std::clamp(p.attackMs, 0.01f, 500.0f), m_rate);
    m_releaseCoeff = onePoleCoefficient(std::clamp(p.releaseMs, 50.0f, 3000.0f), m_rate);
    m_thresholdDb = std::clamp(p.thresholdDb, -60.0f, 0.0f);
    m_thresholdLinear = std::pow(10.0, m_thresholdDb / 20.0);
    m_slope = 1.0 - 1.0 / std::clamp(p.ratio, 1.0f, 100.0f);
    m_gainDb = std::clamp(p.gainDb, -60.0f, 60.0f);
    const auto frames = static_cast<std::size_t>(
        std::lround(std::clamp(p.predelayMs, 0.0f, 4.0f) * m_rate / 1000.0));
    if (frames != m_delayFrames) {
        m_delayFrames = frames;
        reset();
    }
}

void Compressor::reset() {
    m_envelope = 0.0;
    std::fill(m_delay.begin(), m_delay.end(), 0.0f);
    m_delayPos = 0;
}

void Compressor::process(float* samples, std::size_t frames) {
    const std::size_t channels = static_cast<std::size_t>(m_channels);
    const std::size_t ring = m_delayFrames + 1;
    const double makeup = std::pow(10.0, m_gainDb / 20.0);
    for (std::size_t f = 0; f < frames; ++f) {
        float* frame = samples + f * channels;
        double peak = 0.0;
        for (std::size_t c = 0; c < channels; ++c)
            peak = std::max(peak, static_cast<double>(std::fabs(frame[c])));
        const double coeff = peak > m_envelope ? m_attackCoeff : m_releaseCoeff;
        m_envelope = coeff * m_envelope + (1.0 - coeff) * peak;

        double gain = makeup;
        if (m_envelope > m_thresholdLinear) {
            const double overDb = 20.0 * std::log10(m_envelope) - m_thresholdDb;
            gain = std::pow(10.0, (m_gainDb - overDb * m_slope) / 20.0);
        }
        float* slot = m_delay.data() + m_delayPos * channels;
        for (std::size_t c = 0; c < channels; ++c)
            slot[c] = frame[c];
        const std::size_t readPos = (m_delayPos + 1) % ring; // the oldest frame
        const float* delayed = m_delay.data() + readPos * channels;
        for (std::size_t c = 0; c < channels; ++c)
            frame[c] = static_cast<float>(delayed[c] * gain);
        m_delayPos = readPos;
    }
}

} // namespace audio::fx
