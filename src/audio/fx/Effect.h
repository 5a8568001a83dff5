// The common face of the effects: each processes interleaved float frames in
// place at the rate and channel count it was made for.
#pragma once

#include "audio/fx/EffectParameters.h"

#include <cstddef>
#include <memory>

namespace audio::fx {

class Effect {
public:
    virtual ~Effect() = default;

    virtual EffectKind kind() const = 0;
    // Values outside a field's range are clamped to it. Throws
    // AudioError(EffectMismatch) for a record of another kind.
    virtual void setParameters(const EffectParameters& parameters) = 0;
    // Forgets all signal history (delay lines, envelopes, filter state).
    virtual void reset() = 0;
    virtual void process(float* samples, std::size_t frames) = 0;
};

std::unique_ptr<Effect> makeEffect(EffectKind kind, int rate, int channels);

// The shared parameter handling: unpacks the record of this effect's kind.
template <class Parameters, EffectKind Kind>
class EffectOf : public Effect {
public:
    EffectKind kind() const override { return Kind; }
    void setParameters(const EffectParameters& parameters) override;

protected:
    virtual void configure(const Parameters& parameters) = 0;
};

[[noreturn]] void throwEffectMismatch();

template <class Parameters, EffectKind Kind>
void EffectOf<Parameters, Kind>::setParameters(const EffectParameters& parameters) {
    const auto* p = std::get_if<Parameters>(&parameters);
    if (p == nullptr)
        throwEffectMismatch();
    configure(*p);
}

} // namespace audio::fx
