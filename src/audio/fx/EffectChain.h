// The effects of one stream, run in slot order (slot 0 first; effects that
// share a slot run in the order they were added).
#pragma once

#include "audio/fx/Effect.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace audio::fx {

// Names one effect on one stream; 0 is never given out.
struct EffectId {
    std::uint32_t value = 0;

    explicit operator bool() const { return value != 0; }
    friend bool operator==(const EffectId&, const EffectId&) = default;
};

class EffectChain {
public:
    EffectChain(int rate, int channels) : m_rate(rate), m_channels(channels) {}

    // Adds an effect of the kind with its starting parameters.
    EffectId add(EffectKind kind, int slot);
    // False when the chain holds no such effect.
    bool remove(EffectId id);
    // Throws AudioError(UnknownEffect) or AudioError(EffectMismatch).
    void setParameters(EffectId id, const EffectParameters& parameters);
    void reset();
    void process(float* samples, std::size_t frames);

    bool empty() const { return m_entries.empty(); }
    std::size_t size() const { return m_entries.size(); }

private:
    struct Entry {
        EffectId id;
        int slot = 0;
        std::unique_ptr<Effect> effect;
    };

    int m_rate;
    int m_channels;
    std::uint32_t m_nextId = 1;
    std::vector<Entry> m_entries; // sorted by slot, stable
};

} // namespace audio::fx
