// Construction of the effects by kind, and the records' starting values.
#include "audio/AudioErrors.h"
#include "audio/fx/Compressor.h"
#include "audio/fx/Distortion.h"
#include "audio/fx/EqBand.h"
#include "audio/fx/Gargle.h"
#include "audio/fx/Reverb.h"

namespace audio::fx {

EffectKind kindOf(const EffectParameters& parameters) {
    struct Visitor {
        EffectKind operator()(const CompressorParameters&) const { return EffectKind::Compressor; }
        EffectKind operator()(const DistortionParameters&) const { return EffectKind::Distortion; }
        EffectKind operator()(const GargleParameters&) const { return EffectKind::Gargle; }
        EffectKind operator()(const EqBandParameters&) const { return EffectKind::EqBand; }
        EffectKind operator()(const ReverbParameters&) const { return EffectKind::Reverb; }
    };
    return std::visit(Visitor{}, parameters);
}

EffectParameters defaultParameters(EffectKind kind) {
    switch (kind) {
    case EffectKind::Compressor:
        return CompressorParameters{};
    case EffectKind::Distortion:
        return DistortionParameters{};
    case EffectKind::Gargle:
        return GargleParameters{};
    case EffectKind::EqBand:
        return EqBandParameters{};
    case EffectKind::Reverb:
        return ReverbParameters{};
    }
    throw AudioError(ErrorCode::InvalidArgument, "Unknown effect kind");
}

std::unique_ptr<Effect> makeEffect(EffectKind kind, int rate, int channels) {
    switch (kind) {
    case EffectKind::Compressor:
        return std::make_unique<Compressor>(rate, channels);
    case EffectKind::Distortion:
        return std::make_unique<Distortion>(rate, channels);
    case EffectKind::Gargle:
        return std::make_unique<Gargle>(rate, channels);
    case EffectKind::EqBand:
        return std::make_unique<EqBand>(rate, channels);
    case EffectKind::Reverb:
        return std::make_unique<Reverb>(rate, channels);
    }
    throw AudioError(ErrorCode::InvalidArgument, "Unknown effect kind");
}

void throwEffectMismatch() {
    throw AudioError(ErrorCode::EffectMismatch, "Parameters of another kind of effect");
}

} // namespace audio::fx
