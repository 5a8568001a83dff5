#include "audio/PitchStream.h"

#include "audio/AudioErrors.h"
#include "audio/PitchShifting.h"

#include <algorithm>
#include <cstring>
#include <exception>

namespace audio {

namespace {

class QuietLogger final : public Stretcher::Logger {
public:
    void log(const char*) override {}
    void log(const char*, double) override {}
    void log(const char*, double, double) override {}
};

// Frames handed to the stretcher per call.
constexpr std::size_t BlockFrames = 4096;

} // namespace

std::unique_ptr<Stretcher> makeStretcher(int rate, int channels, Stretcher::Options options,
                                         double pitchScale) {
    return std::make_unique<Stretcher>(static_cast<std::size_t>(rate),
                                       static_cast<std::size_t>(channels),
                                       std::make_shared<QuietLogger>(), options, 1.0, pitchScale);
}

PitchStream::PitchStream(std::shared_ptr<DecodeStream> source) : m_source(std::move(source)) {
    if (!m_source)
        throw AudioError(ErrorCode::InvalidArgument, "A pitch stream needs a decoding stream");
}

PitchStream::~PitchStream() = default;

bool PitchStream::hasData() const {
    return m_rendered ? m_readFrame * static_cast<std::size_t>(format().channels) < m_output.size()
                      : m_source->hasData();
}

std::size_t PitchStream::readFrames(std::span<float> out) {
    if (!m_rendered)
        render();
    const auto channels = static_cast<std::size_t>(format().channels);
    const std::size_t total = m_output.size() / channels;
    const std::size_t frames = std::min(out.size() / channels, total - m_readFrame);
    std::memcpy(out.data(), m_output.data() + m_readFrame * channels,
                frames * channels * sizeof(float));
    m_readFrame += frames;
    return frames;
}

void PitchStream::render() {
    m_rendered = true;
    const StreamFormat f = format();
    const auto channels = static_cast<std::size_t>(f.channels);

    // The whole input, one array per channel, for the study and process passes.
    std::vector<std::vector<float>> input(channels);
    std::vector<float> block(BlockFrames * channels);
    while (m_source->hasData()) {
        const std::size_t got = m_source->readFrames(block);
        if (got == 0)
            break;
        for (std::size_t i = 0; i < got; ++i)
            for (std::size_t c = 0; c < channels; ++c)
                input[c].push_back(block[i * channels + c]);
    }
    const std::size_t frames = input[0].size();
    if (frames == 0)
        return;

    try {
        auto stretcher =
            makeStretcher(f.rate, f.channels, OfflinePitchOptions, pitchScaleFor(m_semitones));
        stretcher->setExpectedInputDuration(frames);
        stretcher->setMaxProcessSize(BlockFrames);
        std::vector<const float*> in(channels);
        auto point = [&](std::size_t at) {
            for (std::size_t c = 0; c < channels; ++c)
                in[c] = input[c].data() + at;
        };
        for (std::size_t at = 0; at < frames; at += BlockFrames) {
            point(at);
            const std::size_t n = std::min(BlockFrames, frames - at);
            stretcher->study(in.data(), n, at + n == frames);
        }
        std::vector<std::vector<float>> outBlock(channels, std::vector<float>(BlockFrames));
        std::vector<float*> outPtr(channels);
        for (std::size_t c = 0; c < channels; ++c)
            outPtr[c] = outBlock[c].data();
        m_output.reserve(frames * channels);
        auto drain = [&] {
            int available = 0;
            while ((available = stretcher->available()) > 0) {
                const std::size_t n = stretcher->retrieve(
                    outPtr.data(), std::min<std::size_t>(BlockFrames, available));
                for (std::size_t i = 0; i < n; ++i)
                    for (std::size_t c = 0; c < channels; ++c)
                        m_output.push_back(outBlock[c][i]);
            }
            return available;
        };
        for (std::size_t at = 0; at < frames; at += BlockFrames) {
            point(at);
            const std::size_t n = std::min(BlockFrames, frames - at);
            stretcher->process(in.data(), n, at + n == frames);
            drain();
        }
        drain();
    } catch (const std::exception& e) {
        throw AudioError(ErrorCode::PitchFailed, std::string("Pitch shifting failed: ") + e.what());
    }
}

} // namespace audio
