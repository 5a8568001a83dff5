// The audio engine's run-time state of one drumset sample, hung on the item's
// SoundState slot: the open decoding stream and the tempo (pitch) stream over
// it, the handles of its effects, and the rendered Image with its Voices.
//
// The streams and effect handles belong to the user interface thread. The
// image and the voices live in a VoicePool, which the playback thread uses
// as well.
#pragma once

#include "audio/DecodeStream.h"
#include "audio/PitchStream.h"
#include "audio/PreviewStream.h"
#include "audio/VoicePool.h"
#include "drumset/DrumsetItem.h"

#include <array>
#include <memory>
#include <variant>

namespace audio {

// What OpenSampleStream builds over the decoding stream.
enum class TempoMode { None, DecodeOnly, Playable };

// The tempo stream: none, decode only (rendering) or playable (previews).
using TempoStreamSlot =
    std::variant<std::monostate, std::unique_ptr<PitchStream>, std::unique_ptr<PreviewStream>>;

class SampleSoundState final : public TDrumsetItemAttachment {
public:
    SampleSoundState() = default;
    ~SampleSoundState() override;

    PitchStream* renderTempoStream() const;
    PreviewStream* previewTempoStream() const;

    // Held while the sample is rendered or previewed.
    std::shared_ptr<audio::DecodeStream> DecodeStream;
    TempoStreamSlot TempoStream;
    // Handles on DecodeStream; 0 when the effect is not on it.
    fx::EffectId ReverbEffect;
    fx::EffectId DistortionEffect;
    fx::EffectId GargleEffect;
    fx::EffectId CompressorEffect;
    std::array<fx::EffectId, EQBandCount> EQBandEffects{};

    // The rendered sample and its voices.
    SharedWaveImage Image() const { return m_pool.image(); }
    std::size_t ImageSize() const { return m_pool.imageSize(); }
    std::vector<std::shared_ptr<Voice>> Voices() const { return m_pool.voices(); }
    VoicePool& pool() { return m_pool; }
    const VoicePool& pool() const { return m_pool; }

private:
    VoicePool m_pool;
};

// The item's state, or none when the engine has not touched the item. Safe
// from any control thread.
SampleSoundState* findSoundState(const TDrumsetItem& item);
// The item's state, made when missing (user interface thread).
SampleSoundState& soundStateFor(TDrumsetItem& item);

} // namespace audio
