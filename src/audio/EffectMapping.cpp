#include "audio/EffectMapping.h"

namespace audio {

fx::ReverbParameters reverbParameters(const TReverbParams& p) {
    return {p.fInGain, p.fReverbMix, p.fReverbTime, p.fHighFreqRTRatio};
}

fx::DistortionParameters distortionParameters(const TDistortionParams& p) {
    return {p.fGain, p.fEdge, p.fPostEQCenterFrequency, p.fPostEQBandwidth, p.fPreLowpassCutoff};
}

fx::GargleParameters gargleParameters(const TGargleParams& p) {
    // Any value other than the square wave's plays the triangle, the default.
    const fx::GargleWave wave =
        p.dwWaveShape == GargleSquareWave ? fx::GargleWave::Square : fx::GargleWave::Triangle;
    return {p.dwRateHz, wave};
}

fx::CompressorParameters compressorParameters(const TCompressorParams& p) {
    return {p.fGain, p.fAttack, p.fRelease, p.fThreshold, p.fRatio, p.fPredelay};
}

fx::EqBandParameters eqBandParameters(const TEQBand& band) {
    return {band.fCenter, band.fBandwidth, band.fGain};
}

fx::ReverbParameters reverbParametersOf(const TDrumsetItem& item) {
    return reverbParameters(item.ReverbParams.value_or(TReverbParams{}));
}

fx::DistortionParameters distortionParametersOf(const TDrumsetItem& item) {
    return distortionParameters(item.DistortionParams.value_or(TDistortionParams{}));
}

fx::GargleParameters gargleParametersOf(const TDrumsetItem& item) {
    return gargleParameters(item.GargleParams.value_or(TGargleParams{}));
}

fx::CompressorParameters compressorParametersOf(const TDrumsetItem& item) {
    return compressorParameters(item.CompressorParams.value_or(TCompressorParams{}));
}

std::array<fx::EqBandParameters, EQBandCount> eqBandParametersOf(const TDrumsetItem& item) {
    const TEQBands bands = item.EQBands.value_or(flatEQBands());
    std::array<fx::EqBandParameters, EQBandCount> out{};
    for (std::size_t i = 0; i < EQBandCount; ++i)
        out[i] = eqBandParameters(bands[i]);
    return out;
}

} // namespace audio
