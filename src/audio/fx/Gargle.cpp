#include "audio/fx/Gargle.h"

#include <algorithm>
#include <cmath>

namespace audio::fx {

Gargle::Gargle(int rate, int channels) : m_rate(rate), m_channels(channels) {
    configure(GargleParameters{});
}

void Gargle::configure(const GargleParameters& p) {
    m_step = static_cast<double>(std::clamp<std::uint32_t>(p.rateHz, 1, 1000)) / m_rate;
    m_wave = p.waveShape == GargleWave::Square ? GargleWave::Square : GargleWave::Triangle;
}

void Gargle::process(float* samples, std::size_t frames) {
    const std::size_t channels = static_cast<std::size_t>(m_channels);
    for (std::size_t f = 0; f < frames; ++f) {
        const float level = m_wave == GargleWave::Square
                                ? (m_phase < 0.5 ? 1.0f : 0.0f)
                                : static_cast<float>(std::fabs(1.0 - 2.0 * m_phase));
        for (std::size_t c = 0; c < channels; ++c)
            samples[f * channels + c] *= level;
        m_phase += m_step;
        if (m_phase >= 1.0)
            m_phase -= 1.0;
    }
}

} // namespace audio::fx
