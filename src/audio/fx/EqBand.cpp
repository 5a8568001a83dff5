#include "audio/fx/EqBand.h"

#include <algorithm>

namespace audio::fx {

EqBand::EqBand(int rate, int channels) : m_rate(rate), m_filter(channels) {
    configure(EqBandParameters{});
}

void EqBand::configure(const EqBandParameters& p) {
    const double centre = std::max(1.0, static_cast<double>(p.centerHz));
    const double semitones = std::clamp(static_cast<double>(p.bandwidthSemitones), 1.0, 36.0);
    const double gain = std::clamp(static_cast<double>(p.gainDb), -15.0, 15.0);
    m_bypass = gain == 0.0 || centre >= 0.45 * m_rate;
    if (!m_bypass)
        m_filter.setCoefficients(
            BiquadCoefficients::peaking(m_rate, centre, semitones / 12.0, gain));
}

void EqBand::process(float* samples, std::size_t frames) {
    if (!m_bypass)
        m_filter.process(samples, frames);
}

} // namespace audio::fx
