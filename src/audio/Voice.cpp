#include "audio/Voice.h"

#include "audio/AudioOutput.h"

namespace audio {

Voice::Voice(AudioOutput& output, SharedWaveImage image)
    : Voice(output.mixer(), std::move(image)) {}

Voice::Voice(std::shared_ptr<Mixer> mixer, SharedWaveImage image)
    : Voice(std::move(mixer), std::make_shared<ImageSource>(std::move(image))) {}

Voice::Voice(std::shared_ptr<Mixer> mixer, std::shared_ptr<ImageSource> source)
    : PlayableStream(std::move(mixer), source), m_source(std::move(source)) {}

} // namespace audio
