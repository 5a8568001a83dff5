// Distortion: a low-pass before the shaper (so high partials do not fold
// back), a tanh waveshaper whose drive grows with the edge from 0 dB to
// 40 dB, a band-pass post-EQ (Q = centre / bandwidth) and the output gain.
#pragma once

#include "audio/fx/Biquad.h"
#include "audio/fx/Effect.h"

namespace audio::fx {

class Distortion final : public EffectOf<DistortionParameters, EffectKind::Distortion> {
public:
    Distortion(int rate, int channels);

    void reset() override;
    void process(float* samples, std::size_t frames) override;

protected:
    void configure(const DistortionParameters& p) override;

private:
    int m_rate;
    int m_channels;
    Biquad m_preLowpass;
    Biquad m_postEq;
    float m_drive = 1.0f;
    float m_shaperNorm = 1.0f; // makes a full-scale input come out at full scale
    float m_gain = 1.0f;
};

} // namespace audio::fx
