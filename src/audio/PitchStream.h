// The pitch stream for rendering: shifts a decoding stream's data by a number
// of semitones at unchanged length, with Rubber Band in offline mode. The
// whole rest of the source is processed at the first read.
#pragma once

#include "audio/DecodeStream.h"

#include <memory>
#include <vector>

namespace audio {

class PitchStream final : public SampleSource {
public:
    explicit PitchStream(std::shared_ptr<DecodeStream> source);
    ~PitchStream() override;

    // Takes effect at the first read; later changes are not heard.
    void setPitch(double semitones) { m_semitones = semitones; }
    double pitch() const { return m_semitones; }

    // The source's format: 8-bit sources stay 8-bit.
    StreamFormat format() const override { return m_source->format(); }
    // Throws AudioError(PitchFailed) when the shifter fails.
    std::size_t readFrames(std::span<float> out) override;
    bool hasData() const override;

private:
    void render();

    std::shared_ptr<DecodeStream> m_source;
    double m_semitones = 0.0;
    bool m_rendered = false;
    std::vector<float> m_output; // interleaved
    std::size_t m_readFrame = 0;
};

} // namespace audio
