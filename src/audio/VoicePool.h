// A sample's rendered image and its pool of voices over it.
//
// The user interface thread and the playback thread may start voices of one
// sample at the same time, so the pool has a mutex of its own. Only those
// control threads take it, for the few mixer commands of a start; the audio
// callback never does: it hears of voices only through the mixer's
// lock-free command queue and answers through atomics.
#pragma once

#include "audio/Clock.h"
#include "audio/Voice.h"
#include "audio/WaveImage.h"

#include <chrono>
#include <cstddef>
#include <memory>
#include <mutex>
#include <optional>
#include <vector>

namespace audio {

class AudioOutput;

// Names a started voice. It does not keep the voice: a fade for a voice
// whose pool was freed meanwhile does nothing.
using VoiceHandle = std::weak_ptr<Voice>;

class VoicePool {
public:
    VoicePool() = default;
    ~VoicePool();
    VoicePool(const VoicePool&) = delete;
    VoicePool& operator=(const VoicePool&) = delete;

    // Replaces the image (none releases it); the voices go with the old one.
    void setImage(SharedWaveImage image);
    SharedWaveImage image() const;
    bool hasImage() const;
    // Header and data bytes; 0 without an image.
    std::size_t imageSize() const;

    // Adds voices until the pool holds count. An image at a rate other than
    // the mix rate is converted to it once, for all voices, when libresample
    // is there (else the mixer interpolates). Throws SampleError.
    void createVoices(AudioOutput& output, std::size_t count);
    // The first voice that is not playing, else the first of the pool, which
    // moves to the end. Throws SampleError.
    VoiceHandle startVoice(int volume, int panning, std::optional<ClockTime> at);
    // Stops and releases every voice.
    void freeVoices();

    // The voices in pool order.
    std::vector<std::shared_ptr<Voice>> voices() const;
    // What the voices play: the image, or its copy at the mix rate.
    SharedWaveImage playbackImage() const;

private:
    void freeVoicesLocked();

    mutable std::mutex m_mutex;
    SharedWaveImage m_image;
    SharedWaveImage m_playbackImage;
    std::vector<std::shared_ptr<Voice>> m_voices;
};

// The image at the mix rate through libresample (16-bit, same channels); the
// image itself when it is at the mix rate or cannot be converted.
SharedWaveImage imageAtMixRate(const SharedWaveImage& image, const AudioOutput& output);

} // namespace audio
