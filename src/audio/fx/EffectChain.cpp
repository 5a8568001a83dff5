#include "audio/fx/EffectChain.h"

#include "audio/AudioErrors.h"
#include "audio/fx/DenormalGuard.h"

#include <algorithm>
#include <string>

namespace audio::fx {

EffectId EffectChain::add(EffectKind kind, int slot) {
    Entry entry{EffectId{m_nextId++}, slot, makeEffect(kind, m_rate, m_channels)};
    const auto at = std::upper_bound(m_entries.begin(), m_entries.end(), slot,
                                     [](int s, const Entry& e) { return s < e.slot; });
    const EffectId id = entry.id;
    m_entries.insert(at, std::move(entry));
    return id;
}

bool EffectChain::remove(EffectId id) {
    const auto it = std::find_if(m_entries.begin(), m_entries.end(),
                                 [id](const Entry& e) { return e.id == id; });
    if (it == m_entries.end())
        return false;
    m_entries.erase(it);
    return true;
}

void EffectChain::setParameters(EffectId id, const EffectParameters& parameters) {
    const auto it = std::find_if(m_entries.begin(), m_entries.end(),
                                 [id](const Entry& e) { return e.id == id; });
    if (it == m_entries.end())
        throw AudioError(ErrorCode::UnknownEffect,
                         "No effect " + std::to_string(id.value) + " on this stream");
    it->effect->setParameters(parameters);
}

void EffectChain::reset() {
    for (Entry& e : m_entries)
        e.effect->reset();
}

void EffectChain::process(float* samples, std::size_t frames) {
    if (m_entries.empty())
        return;
    DenormalGuard guard;
    for (Entry& e : m_entries)
        e.effect->process(samples, frames);
}

} // namespace audio::fx
