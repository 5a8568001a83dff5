// Reverb after Freeverb: per channel eight parallel damped comb filters and
// four series all-passes. Each comb's feedback makes it lose 60 dB in the
// reverb time; a one-pole low-pass in its loop makes it lose 60 dB at Nyquist
// in reverb time x high-frequency ratio. Output = dry x input gain + the
// reverberated signal at the mix level (dB).
#pragma once

#include "audio/fx/Effect.h"

#include <array>
#include <vector>

namespace audio::fx {

class Reverb final : public EffectOf<ReverbParameters, EffectKind::Reverb> {
public:
    Reverb(int rate, int channels);

    void reset() override;
    void process(float* samples, std::size_t frames) override;

protected:
    void configure(const ReverbParameters& p) override;

private:
    static constexpr std::size_t CombCount = 8;
    static constexpr std::size_t AllpassCount = 4;

    struct Comb {
        std::vector<float> buffer;
        std::size_t pos = 0;
        float feedback = 0.0f;
        float damp = 0.0f; // low-pass pole
        float store = 0.0f;
    };
    struct Allpass {
        std::vector<float> buffer;
        std::size_t pos = 0;
    };
    struct Network {
        std::array<Comb, CombCount> combs;
        std::array<Allpass, AllpassCount> allpasses;
    };

    int m_rate;
    int m_channels;
    std::vector<Network> m_networks; // one per channel
    float m_inGain = 1.0f;
    float m_wetLevel = 1.0f;
};

} // namespace audio::fx
