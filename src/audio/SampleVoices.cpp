// The voice operations of the sample engine: pools over rendered images,
// starting, fading and stopping voices.
#include "audio/SampleVoices.h"

#include <algorithm>

namespace audio {

SampleEngine::SampleEngine(AudioOutput& output, BusyCursor busyCursor)
    : m_output(output), m_busyCursor(std::move(busyCursor)) {}

void SampleEngine::CreateVoices(TDrumsetItem& sample, int32_t count) {
    // Looked up, never made here: the playback thread calls this.
    SampleSoundState* state = findSoundState(sample);
    if (state == nullptr)
        throw SampleError(LoadFailedMessage, ErrorCode::BadWaveImage);
    state->pool().createVoices(m_output, static_cast<std::size_t>(std::max(count, 0)));
}

VoiceHandle SampleEngine::StartVoice(TDrumsetItem& sample, int32_t volume, int32_t panning,
                                     std::optional<ClockTime> at) {
    SampleSoundState* state = findSoundState(sample);
    if (state == nullptr)
        throw SampleError(PlayFailedMessage, ErrorCode::InvalidArgument);
    return state->pool().startVoice(std::clamp(volume, 0, 100), std::clamp(panning, -100, 100), at);
}

void SampleEngine::StopAllSound() {
    m_output.stopAllSound();
}

void FadeOutVoice(const VoiceHandle& voice, std::chrono::milliseconds duration,
                  std::optional<ClockTime> at) {
    if (const std::shared_ptr<Voice> v = voice.lock())
        v->fadeOutAndStop(std::max(duration, std::chrono::milliseconds(0)), at);
}

void FreeVoices(TDrumsetItem& sample) {
    if (SampleSoundState* state = findSoundState(sample))
        state->pool().freeVoices();
}

bool isSampleInitialized(const TDrumsetItem& sample) {
    const SampleSoundState* state = findSoundState(sample);
    return state != nullptr && state->pool().hasImage();
}

} // namespace audio
