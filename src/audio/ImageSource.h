// A mixer source over an in-memory WAVE image, converted on the fly to
// stereo at the mix rate: a straight copy at 44100 Hz, 4-point Hermite
// interpolation at other rates. Mono is played on both sides; of images with
// more than two channels the first two are played.
#pragma once

#include "audio/MixSource.h"
#include "audio/WaveImage.h"

namespace audio {

class ImageSource final : public MixSource {
public:
    // Throws AudioError(BadWaveImage).
    explicit ImageSource(SharedWaveImage image);

    Pulled pull(SourceCursor& cursor, float* stereo, std::size_t frames) override;
    void restart(SourceCursor& cursor) override { cursor.position = 0; }

    const PcmView& pcm() const { return m_pcm; }
    const SharedWaveImage& image() const { return m_image; }

private:
    float sampleAt(std::int64_t frame, int channel) const;
    Pulled pullDirect(SourceCursor& cursor, float* stereo, std::size_t frames) const;
    Pulled pullInterpolated(SourceCursor& cursor, float* stereo, std::size_t frames) const;
    template <bool Sixteen>
    std::size_t interpolateInside(SourceCursor& cursor, float* stereo, std::size_t frames) const;

    SharedWaveImage m_image;
    PcmView m_pcm;
    std::uint64_t m_step; // source frames per output frame, 32.32
};

} // namespace audio
