#include "audio/SilentOutput.h"

#include "audio/AudioErrors.h"
#include "audio/AudioFormat.h"
#include "audio/Mixer.h"

#include <algorithm>
#include <sndfile.h>

namespace audio {

static_assert(SilentOutput::MaxBlockFrames < Mixer::ScheduleLatencyFrames,
              "a block must fit inside the command latency");

void SilentOutput::FileCloser::operator()(sf_private_tag* file) const {
    sf_close(file);
}

SilentOutput::SilentOutput(std::shared_ptr<Mixer> mixer, std::shared_ptr<const Clock> clock,
                           Pacing pacing, std::size_t blockFrames)
    : m_mixer(std::move(mixer)), m_clock(std::move(clock)), m_pacing(pacing),
      m_blockFrames(std::clamp<std::size_t>(blockFrames, 1, MaxBlockFrames)),
      m_block(2 * m_blockFrames) {}

SilentOutput::~SilentOutput() {
    stop();
}

ClockTime SilentOutput::blockTime(std::int64_t block) const {
    const std::int64_t frames = block * static_cast<std::int64_t>(m_blockFrames);
    return m_startTime + ClockTime{frames * 1'000'000 / MixRate};
}

void SilentOutput::start() {
    if (m_running.exchange(true))
        return;
    m_startTime = m_clock->now();
    m_blocks = 0;
    m_mixer->beginRendering();
    if (m_pacing == Pacing::RealTime)
        m_thread = std::thread([this] { run(); });
}

void SilentOutput::stop() {
    if (!m_running.exchange(false))
        return;
    if (m_thread.joinable())
        m_thread.join();
    m_mixer->endRendering();
}

std::size_t SilentOutput::pump() {
    std::lock_guard lock(m_pumpMutex);
    if (!m_running.load(std::memory_order_acquire))
        return 0;
    const ClockTime now = m_clock->now();
    std::size_t count = 0;
    while (blockTime(m_blocks) <= now) {
        m_mixer->render(m_block.data(), m_blockFrames, blockTime(m_blocks));
        if (m_capture)
            sf_writef_float(m_capture.get(), m_block.data(),
                            static_cast<sf_count_t>(m_blockFrames));
        ++m_blocks;
        ++count;
        m_mixedFrames.fetch_add(static_cast<std::int64_t>(m_blockFrames),
                                std::memory_order_release);
    }
    return count;
}

void SilentOutput::run() {
    using namespace std::chrono_literals;
    while (m_running.load(std::memory_order_acquire)) {
        pump();
        ClockTime due;
        {
            std::lock_guard lock(m_pumpMutex);
            due = blockTime(m_blocks);
        }
        const ClockTime wait = due - m_clock->now();
        std::this_thread::sleep_for(std::clamp<ClockTime>(wait, 100us, 2000us));
    }
}

void SilentOutput::startCapture(const std::filesystem::path& path) {
    SF_INFO info{};
    info.samplerate = MixRate;
    info.channels = MixChannels;
    info.format = SF_FORMAT_WAV | SF_FORMAT_FLOAT;
    std::unique_ptr<sf_private_tag, FileCloser> file(sf_open(path.c_str(), SFM_WRITE, &info));
    if (!file)
        throw AudioError(ErrorCode::CaptureFailed,
                         "Cannot write \"" + path.string() + "\": " + sf_strerror(nullptr));
    std::lock_guard lock(m_pumpMutex);
    m_capture = std::move(file);
}

void SilentOutput::stopCapture() {
    std::unique_ptr<sf_private_tag, FileCloser> file;
    std::lock_guard lock(m_pumpMutex);
    file = std::move(m_capture);
}

} // namespace audio
