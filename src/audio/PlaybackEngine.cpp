#include "audio/PlaybackEngine.h"

#include "audio/SampleVoices.h"

namespace audio {

bool SampleEnginePlayback::isInitialized(const TDrumsetItem& sample) const {
    return isSampleInitialized(sample);
}

void SampleEnginePlayback::initializeSample(TDrumsetItem& sample, int32_t targetRate) {
    m_engine.InitializeSample(sample, targetRate);
}

void SampleEnginePlayback::createVoices(TDrumsetItem& sample, int32_t count) {
    m_engine.CreateVoices(sample, count);
}

PlayedVoice SampleEnginePlayback::startVoice(TDrumsetItem& sample, int32_t volume, int32_t panning,
                                             std::optional<ClockTime> at) {
    return PlayedVoice{m_engine.StartVoice(sample, volume, panning, at), 0};
}

void SampleEnginePlayback::fadeOutVoice(const PlayedVoice& voice, std::chrono::milliseconds length,
                                        std::optional<ClockTime> at) {
    FadeOutVoice(voice.handle, length, at);
}

void SampleEnginePlayback::stopAllSound() {
    m_engine.StopAllSound();
}

} // namespace audio
