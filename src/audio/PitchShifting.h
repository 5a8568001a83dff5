// The Rubber Band settings the layer uses. The finer (R3) engine with crisp
// transients keeps drum attacks in place; the offline mode gives the exact
// input length back, the real-time mode allows pitch changes while playing.
#pragma once

#include <algorithm>
#include <cmath>
#include <memory>
#include <rubberband/RubberBandStretcher.h>

namespace audio {

using Stretcher = RubberBand::RubberBandStretcher;

static constexpr Stretcher::Options OfflinePitchOptions =
    Stretcher::OptionProcessOffline | Stretcher::OptionEngineFiner |
    Stretcher::OptionTransientsCrisp | Stretcher::OptionPitchHighQuality |
    Stretcher::OptionThreadingNever | Stretcher::OptionChannelsTogether;

static constexpr Stretcher::Options RealTimePitchOptions =
    Stretcher::OptionProcessRealTime | Stretcher::OptionEngineFiner |
    Stretcher::OptionTransientsCrisp | Stretcher::OptionPitchHighConsistency |
    Stretcher::OptionThreadingNever | Stretcher::OptionChannelsTogether;

// Limits accepted for a pitch shift, in semitones.
static constexpr double MaxPitchSemitones = 36.0;

inline double pitchScaleFor(double semitones) {
    return std::pow(2.0, std::clamp(semitones, -MaxPitchSemitones, MaxPitchSemitones) / 12.0);
}

// A stretcher that keeps quiet: the library's diagnostics go nowhere.
std::unique_ptr<Stretcher> makeStretcher(int rate, int channels, Stretcher::Options options,
                                         double pitchScale);

} // namespace audio
