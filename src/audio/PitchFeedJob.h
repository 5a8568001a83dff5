// The feeder's work for one preview: reads the decoding stream, shifts it in
// real time, converts it to stereo at the mix rate and writes it to the
// preview's ring. A restart begins a new ring with a fresh shifter.
#pragma once

#include "audio/DecodeStream.h"
#include "audio/FeedSource.h"
#include "audio/PitchShifting.h"
#include "audio/StereoResampler.h"
#include "audio/StreamFeeder.h"

#include <atomic>
#include <memory>
#include <mutex>
#include <vector>

namespace audio {

class PitchFeedJob final : public FeedJob {
public:
    // Ring size: 93 ms at the mix rate, which bounds how late a pitch or
    // effect change is heard.
    static constexpr std::size_t RingFrames = 4096;
    // The feeder tops the ring up once this much room is free.
    static constexpr std::size_t Quantum = 512;

    explicit PitchFeedJob(std::shared_ptr<DecodeStream> source);

    // Rewinds the source and gives a new, empty ring that the job fills from
    // the source's start.
    std::shared_ptr<FeedSource> restart();
    std::shared_ptr<FeedSource> currentFeed();
    void setPitch(double semitones) { m_semitones.store(semitones, std::memory_order_relaxed); }
    double pitch() const { return m_semitones.load(std::memory_order_relaxed); }
    // True when the ring is nearly full or the sound is complete.
    bool buffered();
    // True when the ring holds enough to start without a gap.
    bool primed();

    bool feed() override;

private:
    void applyPitch();
    void shiftInput();
    void collectOutput(std::size_t frames);

    std::mutex m_mutex;
    std::shared_ptr<DecodeStream> m_source;
    StreamFormat m_format;
    std::unique_ptr<Stretcher> m_stretcher;
    std::shared_ptr<FeedSource> m_feed;
    std::atomic<double> m_semitones{0.0};
    double m_appliedScale = 1.0;
    bool m_started = false;
    bool m_inputDone = false;
    bool m_tailDone = false;
    std::size_t m_padLeft = 0;  // silence still to feed the shifter
    std::size_t m_skipLeft = 0; // shifter output still to drop
    StereoResampler m_resampler;
    std::vector<float> m_input;                  // interleaved
    std::vector<std::vector<float>> m_planarIn;  // per channel
    std::vector<std::vector<float>> m_planarOut; // per channel
    std::vector<float> m_stereo;                 // shifter output as stereo
    std::vector<float> m_staged;                 // at the mix rate, not yet in the ring
    std::size_t m_stagedDone = 0;                // frames of m_staged already written
};

} // namespace audio
