#include "audio/fx/Reverb.h"

#include <algorithm>
#include <cmath>

namespace audio::fx {

namespace {

// Freeverb's delay lengths at 44100 Hz; each further channel is spread by
// a few frames so that stereo tails decorrelate.
constexpr std::array<int, 8> CombTuning = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
constexpr std::array<int, 4> AllpassTuning = {556, 441, 341, 225};
constexpr int StereoSpread = 23;
constexpr float AllpassFeedback = 0.5f;
// Scales the comb input so a one-second tail is about as loud as the dry signal.
constexpr float CombInputScale = 0.1f;

std::size_t scaled(int frames, int rate) {
    return static_cast<std::size_t>(std::max(1L, std::lround(frames * rate / 44100.0)));
}

float dbToLinear(double db) {
    return static_cast<float>(std::pow(10.0, db / 20.0));
}

} // namespace

Reverb::Reverb(int rate, int channels)
    : m_rate(rate), m_channels(channels), m_networks(static_cast<std::size_t>(channels)) {
    for (std::size_t c = 0; c < m_networks.size(); ++c) {
        const int spread = StereoSpread * static_cast<int>(c);
        for (std::size_t i = 0; i < CombCount; ++i)
            m_networks[c].combs[i].buffer.assign(scaled(CombTuning[i] + spread, rate), 0.0f);
        for (std::size_t i = 0; i < AllpassCount; ++i)
            m_networks[c].allpasses[i].buffer.assign(scaled(AllpassTuning[i] + spread, rate), 0.0f);
    }
    configure(ReverbParameters{});
}

void Reverb::configure(const ReverbParameters& p) {
    m_inGain = dbToLinear(std::clamp(p.inGainDb, -96.0f, 0.0f));
    m_wetLevel = dbToLinear(std::clamp(p.reverbMixDb, -96.0f, 0.0f));
    const double timeFrames = std::clamp(p.reverbTimeMs, 1.0f, 3000.0f) * m_rate / 1000.0;
    const double ratio = std::clamp(p.highFreqRtRatio, 0.001f, 0.999f);
    for (Network& network : m_networks)
        for (Comb& comb : network.combs) {
            const double delay = static_cast<double>(comb.buffer.size());
            // -60 dB after timeFrames: g^(timeFrames / delay) = 10^-3.
            const double g = std::pow(10.0, -3.0 * delay / timeFrames);
            // Loop gain at Nyquist relative to DC, for the shorter high-frequency time.
            const double r = std::pow(10.0, -3.0 * delay / timeFrames * (1.0 / ratio - 1.0));
            comb.feedback = static_cast<float>(g);
            comb.damp = static_cast<float>((1.0 - r) / (1.0 + r));
        }
}

void Reverb::reset() {
    for (Network& network : m_networks) {
        for (Comb& comb : network.combs) {
            std::fill(comb.buffer.begin(), comb.buffer.end(), 0.0f);
            comb.pos = 0;
            comb.store = 0.0f;
        }
        for (Allpass& allpass : network.allpasses) {
            std::fill(allpass.buffer.begin(), allpass.buffer.end(), 0.0f);
            allpass.pos = 0;
        }
    }
}

void Reverb::process(float* samples, std::size_t frames) {
    const std::size_t channels = static_cast<std::size_t>(m_channels);
    for (std::size_t c = 0; c < channels; ++c) {
        Network& network = m_networks[c];
        for (std::size_t f = 0; f < frames; ++f) {
            float& sample = samples[f * channels + c];
            const float dry = sample * m_inGain;
            const float input = dry * CombInputScale;
            float wet = 0.0f;
            for (Comb& comb : network.combs) {
                const float out = comb.buffer[comb.pos];
                comb.store = out * (1.0f - comb.damp) + comb.store * comb.damp;
                comb.buffer[comb.pos] = input + comb.store * comb.feedback;
                if (++comb.pos == comb.buffer.size())
                    comb.pos = 0;
                wet += out;
            }
            for (Allpass& allpass : network.allpasses) {
                const float delayed = allpass.buffer[allpass.pos];
                allpass.buffer[allpass.pos] = wet + delayed * AllpassFeedback;
                wet = delayed - wet;
                if (++allpass.pos == allpass.buffer.size())
                    allpass.pos = 0;
            }
            sample = dry + wet * m_wetLevel;
        }
    }
}

} // namespace audio::fx
