// What the playback scheduler needs of the sample voices, as an interface so
// that scheduler tests can record the calls instead of sounding them.
#pragma once

#include "audio/Clock.h"
#include "audio/VoicePool.h"

#include <chrono>
#include <cstdint>

class TDrumsetItem;

namespace audio {

class SampleEngine;

// A started voice: the handle for the real engine, a number for fakes.
struct PlayedVoice {
    VoiceHandle handle;
    std::uint64_t id = 0;
};

class PlaybackEngine {
public:
    virtual ~PlaybackEngine() = default;
    virtual bool isInitialized(const TDrumsetItem& sample) const = 0;
    // On the editing thread only.
    virtual void initializeSample(TDrumsetItem& sample, int32_t targetRate) = 0;
    virtual void createVoices(TDrumsetItem& sample, int32_t count) = 0;
    virtual PlayedVoice startVoice(TDrumsetItem& sample, int32_t volume, int32_t panning,
                                   std::optional<ClockTime> at) = 0;
    virtual void fadeOutVoice(const PlayedVoice& voice, std::chrono::milliseconds length,
                              std::optional<ClockTime> at) = 0;
    virtual void stopAllSound() = 0;
};

// PlaybackEngine over the real sample voices.
class SampleEnginePlayback final : public PlaybackEngine {
public:
    explicit SampleEnginePlayback(SampleEngine& engine) : m_engine(engine) {}

    bool isInitialized(const TDrumsetItem& sample) const override;
    void initializeSample(TDrumsetItem& sample, int32_t targetRate) override;
    void createVoices(TDrumsetItem& sample, int32_t count) override;
    PlayedVoice startVoice(TDrumsetItem& sample, int32_t volume, int32_t panning,
                           std::optional<ClockTime> at) override;
    void fadeOutVoice(const PlayedVoice& voice, std::chrono::milliseconds length,
                      std::optional<ClockTime> at) override;
    void stopAllSound() override;

private:
    SampleEngine& m_engine;
};

} // namespace audio
