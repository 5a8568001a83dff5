#include "audio/VoicePool.h"

#include "audio/AudioFormat.h"
#include "audio/AudioOutput.h"
#include "audio/PcmRateConverter.h"
#include "audio/SampleErrors.h"

#include <algorithm>

namespace audio {

VoicePool::~VoicePool() {
    freeVoicesLocked();
}

void VoicePool::setImage(SharedWaveImage image) {
    std::lock_guard lock(m_mutex);
    freeVoicesLocked();
    m_image = std::move(image);
    m_playbackImage.reset();
}

SharedWaveImage VoicePool::image() const {
    std::lock_guard lock(m_mutex);
    return m_image;
}

bool VoicePool::hasImage() const {
    std::lock_guard lock(m_mutex);
    return m_image != nullptr;
}

std::size_t VoicePool::imageSize() const {
    std::lock_guard lock(m_mutex);
    return m_image ? m_image->size() : 0;
}

void VoicePool::createVoices(AudioOutput& output, std::size_t count) {
    std::lock_guard lock(m_mutex);
    if (!m_image)
        throw SampleError(LoadFailedMessage, ErrorCode::BadWaveImage);
    try {
        if (!m_playbackImage)
            m_playbackImage = imageAtMixRate(m_image, output);
        while (m_voices.size() < count) {
            auto voice = std::make_shared<Voice>(output, m_playbackImage);
            voice->prefill();
            m_voices.push_back(std::move(voice));
        }
    } catch (const AudioError& e) {
        throw SampleError(LoadFailedMessage, e);
    }
}

VoiceHandle VoicePool::startVoice(int volume, int panning, std::optional<ClockTime> at) {
    // Held for the whole start, so two threads never pick the same voice or
    // reorder the pool under each other.
    std::lock_guard lock(m_mutex);
    if (m_voices.empty())
        throw SampleError(PlayFailedMessage, ErrorCode::InvalidArgument);
    std::shared_ptr<Voice> voice;
    const auto idle = std::find_if(m_voices.begin(), m_voices.end(),
                                   [](const auto& v) { return !v->isPlaying(); });
    if (idle != m_voices.end()) {
        voice = *idle;
    } else {
        voice = m_voices.front();
        std::rotate(m_voices.begin(), m_voices.begin() + 1, m_voices.end());
        voice->stop(at);
    }
    const Levels levels{volume, panning};
    try {
        // The zero-length slide ends a fade still running on a reused voice.
        voice->slideLevels(levels, std::chrono::milliseconds(0), at);
        voice->setLevels(levels, at);
        voice->play(true, at);
    } catch (const AudioError& e) {
        throw SampleError(PlayFailedMessage, e);
    }
    return voice;
}

void VoicePool::freeVoices() {
    std::lock_guard lock(m_mutex);
    freeVoicesLocked();
}

void VoicePool::freeVoicesLocked() {
    for (const auto& voice : m_voices)
        voice->stop();
    m_voices.clear();
}

std::vector<std::shared_ptr<Voice>> VoicePool::voices() const {
    std::lock_guard lock(m_mutex);
    return m_voices;
}

SharedWaveImage VoicePool::playbackImage() const {
    std::lock_guard lock(m_mutex);
    return m_playbackImage;
}

SharedWaveImage imageAtMixRate(const SharedWaveImage& image, const AudioOutput& output) {
    const PcmView pcm = parseWaveImage(*image);
    if (pcm.rate == MixRate || pcm.frames == 0 || !output.canConvertRates())
        return image;
    const double ratio = static_cast<double>(MixRate) / pcm.rate;
    const auto frames = static_cast<std::size_t>(pcm.frames);
    const auto channels = static_cast<std::size_t>(pcm.channels);
    try {
        PcmRateConverter converter(output, pcm.channels, pcm.bitsPerSample == 8, ratio, frames);
        const std::size_t room =
            (static_cast<std::size_t>(static_cast<double>(frames) * ratio) + 1000) * 2 * channels;
        auto converted = std::make_shared<WaveImage>(WaveHeaderSize + room);
        const std::span<const std::byte> data(
            pcm.data, frames * channels * static_cast<std::size_t>(pcm.bitsPerSample / 8));
        const std::size_t written =
            converter.convert(data, true, std::span(*converted).subspan(WaveHeaderSize));
        converted->resize(WaveHeaderSize + written);
        converted->shrink_to_fit();
        writeWaveHeader(*converted, pcm.channels, MixRate, 16, static_cast<std::uint32_t>(written));
        return converted;
    } catch (const AudioError&) {
        return image; // the mixer's interpolation still plays it at the right speed
    }
}

} // namespace audio
