// The drumset's effect records (drumset/Effects.h) as the layer's effect
// parameters. An item whose effect is on but has no record yet renders with
// the record's starting values.
#pragma once

#include "audio/fx/EffectParameters.h"
#include "drumset/DrumsetItem.h"

#include <array>

namespace audio {

fx::ReverbParameters reverbParameters(const TReverbParams& p);
fx::DistortionParameters distortionParameters(const TDistortionParams& p);
fx::GargleParameters gargleParameters(const TGargleParams& p);
fx::CompressorParameters compressorParameters(const TCompressorParams& p);
fx::EqBandParameters eqBandParameters(const TEQBand& band);

// The item's records, or the starting values where it has none.
fx::ReverbParameters reverbParametersOf(const TDrumsetItem& item);
fx::DistortionParameters distortionParametersOf(const TDrumsetItem& item);
fx::GargleParameters gargleParametersOf(const TDrumsetItem& item);
fx::CompressorParameters compressorParametersOf(const TDrumsetItem& item);
std::array<fx::EqBandParameters, EQBandCount> eqBandParametersOf(const TDrumsetItem& item);

} // namespace audio
