// The playable pitch stream for previews: plays a decoding stream (with its
// gain and effects) shifted by a pitch that may change while it plays,
// through Rubber Band in real-time mode. Decoding, effects and shifting run
// on the feeder thread, which fills a ring that the mixer plays from. A play
// from the start waits (at most 0.2 s) for the first shifted audio, so that
// the attack is not preceded by a gap.
#pragma once

#include "audio/DecodeStream.h"
#include "audio/PlayableStream.h"

#include <memory>

namespace audio {

class AudioOutput;
class StreamFeeder;
class PitchFeedJob;

class PreviewStream final : public PlayableStream {
public:
    // Throws AudioError(PitchFailed) or AudioError(NoFreeChannel).
    PreviewStream(AudioOutput& output, std::shared_ptr<DecodeStream> source);
    ~PreviewStream() override;

    // Heard once the sound already shifted has played (about 0.1 s), also
    // while playing; gain and effect changes on the source likewise.
    void setPitch(double semitones);
    double pitch() const;
    // Waits (at most two seconds) until the ring is full or the sound has
    // been shifted to its end.
    void prefill() override;
    // Frames the mixer played as silence because the ring ran dry.
    std::size_t underrunFrames() const;

    const std::shared_ptr<DecodeStream>& source() const { return m_source; }

private:
    PreviewStream(std::shared_ptr<Mixer> mixer, std::shared_ptr<StreamFeeder> feeder,
                  std::shared_ptr<DecodeStream> source, std::shared_ptr<PitchFeedJob> job);
    void beforePlay(bool restart) override;

    std::shared_ptr<StreamFeeder> m_feeder;
    std::shared_ptr<DecodeStream> m_source;
    std::shared_ptr<PitchFeedJob> m_job;
};

} // namespace audio
