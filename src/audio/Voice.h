// A voice: a playable stream over an in-memory WAVE image. Voices share the
// image; it lives as long as any voice (or its owner) holds it, so releasing
// a sample's image while its voices sound is safe.
#pragma once

#include "audio/ImageSource.h"
#include "audio/PlayableStream.h"

namespace audio {

class AudioOutput;

class Voice final : public PlayableStream {
public:
    // Throws AudioError(BadWaveImage) or AudioError(NoFreeChannel).
    Voice(AudioOutput& output, SharedWaveImage image);
    Voice(std::shared_ptr<Mixer> mixer, SharedWaveImage image);

    const PcmView& pcm() const { return m_source->pcm(); }
    const SharedWaveImage& image() const { return m_source->image(); }

private:
    Voice(std::shared_ptr<Mixer> mixer, std::shared_ptr<ImageSource> source);

    std::shared_ptr<ImageSource> m_source;
};

} // namespace audio
