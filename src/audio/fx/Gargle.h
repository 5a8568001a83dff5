// Gargle: multiplies the signal by a unipolar wave (0..1) at the rate: a
// triangle, or a square that is fully on for the first half of each period.
// Both start at full level so a sample's attack is kept.
#pragma once

#include "audio/fx/Effect.h"

namespace audio::fx {

class Gargle final : public EffectOf<GargleParameters, EffectKind::Gargle> {
public:
    Gargle(int rate, int channels);

    void reset() override { m_phase = 0.0; }
    void process(float* samples, std::size_t frames) override;

protected:
    void configure(const GargleParameters& p) override;

private:
    int m_rate;
    int m_channels;
    double m_step = 0.0;  // phase advance per frame, in periods
    double m_phase = 0.0; // 0..1
    GargleWave m_wave = GargleWave::Triangle;
};

} // namespace audio::fx
