// Feed-forward compressor: a stereo-linked peak detector (the loudest channel
// counts) with one-pole attack and release, a hard knee at the threshold,
// the gain applied after compression, and the predelay as a look-ahead: the
// audio path is delayed by it while the detector hears the undelayed signal.
#pragma once

#include "audio/fx/Effect.h"

#include <vector>

namespace audio::fx {

class Compressor final : public EffectOf<CompressorParameters, EffectKind::Compressor> {
public:
    Compressor(int rate, int channels);

    void reset() override;
    void process(float* samples, std::size_t frames) override;

protected:
    void configure(const CompressorParameters& p) override;

private:
    int m_rate;
    int m_channels;
    double m_attackCoeff = 0.0;
    double m_releaseCoeff = 0.0;
    double m_thresholdDb = 0.0;
    double m_thresholdLinear = 1.0;
    double m_slope = 0.0; // 1 - 1 / ratio
    double m_gainDb = 0.0;
    double m_envelope = 0.0;
    std::size_t m_delayFrames = 0;
    std::vector<float> m_delay; // interleaved ring of m_delayFrames + 1 frames
    std::size_t m_delayPos = 0;
};

} // namespace audio::fx
