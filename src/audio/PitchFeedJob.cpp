#include "audio/PitchFeedJob.h"

#include "audio/AudioErrors.h"

#include <algorithm>
#include <exception>

namespace audio {

namespace {

// Most frames handed to the shifter per call.
constexpr std::size_t BlockFrames = 1024;

} // namespace

PitchFeedJob::PitchFeedJob(std::shared_ptr<DecodeStream> source)
    : m_source(std::move(source)), m_format(m_source->format()),
      m_resampler(static_cast<double>(m_format.rate) / MixRate) {
    const auto channels = static_cast<std::size_t>(m_format.channels);
    try {
        m_stretcher = makeStretcher(m_format.rate, m_format.channels, RealTimePitchOptions, 1.0);
        m_stretcher->setMaxProcessSize(BlockFrames);
    } catch (const std::exception& e) {
        throw AudioError(ErrorCode::PitchFailed, std::string("Pitch shifter: ") + e.what());
    }
    m_input.resize(BlockFrames * channels);
    m_planarIn.assign(channels, std::vector<float>(BlockFrames));
    m_planarOut.assign(channels, std::vector<float>(BlockFrames));
    // Until the first play the ring stays empty and finished.
    m_feed = std::make_shared<FeedSource>(RingFrames);
    m_feed->finish();
}

std::shared_ptr<FeedSource> PitchFeedJob::restart() {
    std::lock_guard lock(m_mutex);
    // Rewound under the lock: a rewind before it would let the feeder hand
    // the file's first frames to the feed being replaced, and the new play
    // would start that far into the sample.
    m_source->rewind();
    m_feed = std::make_shared<FeedSource>(RingFrames);
    m_stretcher->reset();
    applyPitch();
    m_padLeft = m_stretcher->getPreferredStartPad();
    m_skipLeft = m_stretcher->getStartDelay();
    m_inputDone = false;
    m_tailDone = false;
    m_resampler.reset();
    m_staged.clear();
    m_stagedDone = 0;
    m_started = true;
    return m_feed;
}

std::shared_ptr<FeedSource> PitchFeedJob::currentFeed() {
    std::lock_guard lock(m_mutex);
    return m_feed;
}

bool PitchFeedJob::buffered() {
    std::lock_guard lock(m_mutex);
    return !m_started || m_feed->finished() || m_feed->ring().writable() < Quantum;
}

bool PitchFeedJob::primed() {
    std::lock_guard lock(m_mutex);
    return !m_started || m_feed->finished() || m_feed->ring().readable() >= Quantum;
}

void PitchFeedJob::applyPitch() {
    const double scale = pitchScaleFor(m_semitones.load(std::memory_order_relaxed));
    if (scale != m_appliedScale) {
        m_stretcher->setPitchScale(scale);
        m_appliedScale = scale;
    }
}

void PitchFeedJob::collectOutput(std::size_t frames) {
    const std::size_t channels = m_planarOut.size();
    std::vector<float*> out(channels);
    for (std::size_t c = 0; c < channels; ++c)
        out[c] = m_planarOut[c].data();
    const std::size_t got = m_stretcher->retrieve(out.data(), std::min(frames, BlockFrames));
    const std::size_t skip = std::min(got, m_skipLeft);
    m_skipLeft -= skip;
    m_stereo.clear();
    const std::size_t right = channels > 1 ? 1 : 0;
    for (std::size_t i = skip; i < got; ++i) {
        m_stereo.push_back(m_planarOut[0][i]);
        m_stereo.push_back(m_planarOut[right][i]);
    }
    m_resampler.push(m_stereo.data(), m_stereo.size() / 2, m_staged);
}

void PitchFeedJob::shiftInput() {
    applyPitch();
    const std::size_t channels = m_planarIn.size();
    std::vector<const float*> in(channels);
    for (std::size_t c = 0; c < channels; ++c)
        in[c] = m_planarIn[c].data();
    if (m_padLeft > 0) {
        const std::size_t n = std::min(m_padLeft, BlockFrames);
        for (auto& plane : m_planarIn)
            std::fill(plane.begin(), plane.begin() + static_cast<std::ptrdiff_t>(n), 0.0f);
        m_stretcher->process(in.data(), n, false);
        m_padLeft -= n;
        return;
    }
    const std::size_t wanted =
        std::clamp<std::size_t>(m_stretcher->getSamplesRequired(), 1, BlockFrames);
    const std::size_t got =
        m_source->readFrames(std::span<float>(m_input.data(), wanted * channels));
    for (std::size_t i = 0; i < got; ++i)
        for (std::size_t c = 0; c < channels; ++c)
            m_planarIn[c][i] = m_input[i * channels + c];
    m_inputDone = got == 0 || !m_source->hasData();
    m_stretcher->process(in.data(), got, m_inputDone);
}

bool PitchFeedJob::feed() {
    std::lock_guard lock(m_mutex);
    if (!m_started || m_feed->finished())
        return false;
    FrameRing& ring = m_feed->ring();
    bool worked = false;
    for (;;) {
        const std::size_t staged = m_staged.size() / 2;
        if (m_stagedDone < staged) {
            const std::size_t n =
                ring.write(m_staged.data() + 2 * m_stagedDone, staged - m_stagedDone);
            m_stagedDone += n;
            worked = worked || n > 0;
            if (m_stagedDone < staged)
                return worked;
        }
        m_staged.clear();
        m_stagedDone = 0;
        if (ring.writable() < Quantum)
            return worked;
        worked = true;
        const int available = m_stretcher->available();
        if (available > 0) {
            collectOutput(static_cast<std::size_t>(available));
        } else if (available < 0 || m_inputDone) {
            if (!m_tailDone) {
                m_resampler.flush(m_staged);
                m_tailDone = true;
                continue;
            }
            m_feed->finish();
            return true;
        } else {
            shiftInput();
        }
    }
}

} // namespace audio
