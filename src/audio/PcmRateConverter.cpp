#include "audio/PcmRateConverter.h"

#include "audio/AudioErrors.h"
#include "audio/AudioOutput.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace audio {

namespace {

float inputSample(const std::byte* at, bool eightBit) {
    if (eightBit)
        return static_cast<float>((std::to_integer<int>(at[0]) - 128) * 256);
    const auto raw = static_cast<std::uint16_t>(std::to_integer<unsigned>(at[0]) |
                                                (std::to_integer<unsigned>(at[1]) << 8));
    return static_cast<float>(static_cast<std::int16_t>(raw));
}

void putSample(std::byte* at, float value) {
    // Truncated toward zero; NaN (never expected) becomes silence.
    const float limited = std::isnan(value) ? 0.0f : std::clamp(value, -32767.0f, 32767.0f);
    const auto v = static_cast<std::uint16_t>(static_cast<std::int16_t>(limited));
    at[0] = static_cast<std::byte>(v & 0xFF);
    at[1] = static_cast<std::byte>(v >> 8);
}

} // namespace

PcmRateConverter::PcmRateConverter(const AudioOutput& output, int channels, bool eightBit,
                                   double ratio, std::size_t maxBlockFrames)
    : m_ratio(ratio), m_eightBit(eightBit), m_maxFrames(maxBlockFrames) {
    if (channels < 1 || !(ratio > 0.0))
        throw AudioError(ErrorCode::InvalidArgument, "Rate conversion needs channels and a ratio");
    for (int c = 0; c < channels; ++c)
        m_channels.push_back(output.openRateConverter(true, ratio, ratio));
    m_input.assign(static_cast<std::size_t>(channels), std::vector<float>(maxBlockFrames));
    m_output.resize(static_cast<std::size_t>(static_cast<double>(maxBlockFrames) * ratio) + 1000);
    m_produced.resize(static_cast<std::size_t>(channels));
}

std::size_t PcmRateConverter::convert(std::span<const std::byte> block, bool last,
                                      std::span<std::byte> out) {
    const std::size_t channels = m_channels.size();
    const std::size_t inBytes = m_eightBit ? 1 : 2;
    const std::size_t frames = std::min(block.size() / frameBytes(), m_maxFrames);
    // Every channel is taken in first: writing a channel's output must not
    // overwrite input of another channel that shares the bytes.
    for (std::size_t i = 0; i < frames; ++i)
        for (std::size_t c = 0; c < channels; ++c)
            m_input[c][i] = inputSample(block.data() + (i * channels + c) * inBytes, m_eightBit);

    const std::size_t outFrames = std::min(m_output.size(), out.size() / (2 * channels));
    std::size_t longest = 0;
    std::vector<std::size_t>& produced = m_produced;
    for (std::size_t c = 0; c < channels; ++c) {
        const auto r = m_channels[c].process(m_ratio, std::span(m_input[c]).first(frames), last,
                                             std::span(m_output).first(outFrames));
        produced[c] = r.produced;
        longest = std::max(longest, r.produced);
        for (std::size_t i = 0; i < r.produced; ++i)
            putSample(out.data() + (i * channels + c) * 2, m_output[i]);
    }
    for (std::size_t c = 0; c < channels; ++c)
        for (std::size_t i = produced[c]; i < longest; ++i)
            putSample(out.data() + (i * channels + c) * 2, 0.0f);
    return longest * 2 * channels;
}

} // namespace audio
