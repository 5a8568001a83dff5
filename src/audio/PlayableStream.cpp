#include "audio/PlayableStream.h"

namespace audio {

PlayableStream::PlayableStream(std::shared_ptr<Mixer> mixer, std::shared_ptr<MixSource> source)
    : m_mixer(std::move(mixer)), m_channel(m_mixer->attach(std::move(source))) {}

PlayableStream::~PlayableStream() {
    m_mixer->detach(m_channel);
}

void PlayableStream::play(bool restart, std::optional<ClockTime> at) {
    beforePlay(restart);
    m_mixer->play(m_channel, restart, stamp(at));
}

void PlayableStream::stop(std::optional<ClockTime> at) {
    m_mixer->stop(m_channel, stamp(at));
}

void PlayableStream::rewind(std::optional<ClockTime> at) {
    m_mixer->rewind(m_channel, stamp(at));
}

void PlayableStream::setLevels(Levels levels, std::optional<ClockTime> at) {
    m_mixer->setLevels(m_channel, levels, stamp(at));
}

void PlayableStream::slideLevels(Levels target, std::chrono::milliseconds duration,
                                 std::optional<ClockTime> at) {
    m_mixer->slideLevels(m_channel, target, duration, false, stamp(at));
}

void PlayableStream::fadeOutAndStop(std::chrono::milliseconds duration,
                                    std::optional<ClockTime> at) {
    m_mixer->slideLevels(m_channel, Levels{0, std::nullopt}, duration, true, stamp(at));
}

bool PlayableStream::isPlaying() const {
    return m_mixer->isPlaying(m_channel);
}

} // namespace audio
