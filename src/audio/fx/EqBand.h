// One band of the parametric equaliser: an RBJ peaking biquad whose width in
// octaves is the bandwidth in semitones / 12. A band whose centre lies at or
// above 0.45 of the rate (near or past Nyquist) passes the signal unchanged.
#pragma once

#include "audio/fx/Biquad.h"
#include "audio/fx/Effect.h"

namespace audio::fx {

class EqBand final : public EffectOf<EqBandParameters, EffectKind::EqBand> {
public:
    EqBand(int rate, int channels);

    void reset() override { m_filter.reset(); }
    void process(float* samples, std::size_t frames) override;

protected:
    void configure(const EqBandParameters& p) override;

private:
    int m_rate;
    bool m_bypass = true;
    Biquad m_filter;
};

} // namespace audio::fx
