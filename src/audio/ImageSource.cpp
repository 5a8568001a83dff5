#include "audio/ImageSource.h"

#include "audio/AudioErrors.h"
#include "audio/AudioFormat.h"

#include <algorithm>

namespace audio {

namespace {

constexpr std::uint64_t One = std::uint64_t{1} << 32;

float readS16(const std::byte* p) {
    const auto v = static_cast<std::int16_t>(std::to_integer<std::uint16_t>(p[0]) |
                                             (std::to_integer<std::uint16_t>(p[1]) << 8));
    return sampleFromS16(v);
}

// 4-point, 3rd-order Hermite (Catmull-Rom) between y1 and y2.
float hermite(float y0, float y1, float y2, float y3, float t) {
    const float c1 = 0.5f * (y2 - y0);
    const float c2 = y0 - 2.5f * y1 + 2.0f * y2 - 0.5f * y3;
    const float c3 = 0.5f * (y3 - y0) + 1.5f * (y1 - y2);
    return ((c3 * t + c2) * t + c1) * t + y1;
}

float fraction(std::uint64_t position) {
    return static_cast<float>(static_cast<std::int64_t>(position & (One - 1))) *
           (1.0f / 4294967296.0f);
}

} // namespace

ImageSource::ImageSource(SharedWaveImage image)
    : m_image(std::move(image)), m_pcm(m_image ? parseWaveImage(*m_image) : PcmView{}),
      m_step((static_cast<std::uint64_t>(m_pcm.rate) << 32) / MixRate) {
    if (!m_image)
        throw AudioError(ErrorCode::BadWaveImage, "No WAVE image");
}

float ImageSource::sampleAt(std::int64_t frame, int channel) const {
    if (frame < 0 || frame >= m_pcm.frames)
        return 0.0f;
    const std::int64_t index = frame * m_pcm.channels + channel;
    if (m_pcm.bitsPerSample == 8)
        return sampleFromU8(std::to_integer<std::uint8_t>(m_pcm.data[index]));
    return readS16(m_pcm.data + 2 * index);
}

MixSource::Pulled ImageSource::pull(SourceCursor& cursor, float* stereo, std::size_t frames) {
    return m_step == One ? pullDirect(cursor, stereo, frames)
                         : pullInterpolated(cursor, stereo, frames);
}

MixSource::Pulled ImageSource::pullDirect(SourceCursor& cursor, float* stereo,
                                          std::size_t frames) const {
    const auto at = static_cast<std::int64_t>(cursor.position >> 32);
    const std::int64_t left = std::max<std::int64_t>(m_pcm.frames - at, 0);
    const auto n = static_cast<std::size_t>(std::min<std::int64_t>(left, frames));
    const int ch = m_pcm.channels;
    const int right = ch > 1 ? 1 : 0;
    if (m_pcm.bitsPerSample == 16) {
        const std::byte* p = m_pcm.data + 2 * at * ch;
        const std::ptrdiff_t stride = 2 * ch;
        for (std::size_t i = 0; i < n; ++i, p += stride) {
            stereo[2 * i] = readS16(p);
            stereo[2 * i + 1] = readS16(p + 2 * right);
        }
    } else {
        const std::byte* p = m_pcm.data + at * ch;
        for (std::size_t i = 0; i < n; ++i, p += ch) {
            stereo[2 * i] = sampleFromU8(std::to_integer<std::uint8_t>(p[0]));
            stereo[2 * i + 1] = sampleFromU8(std::to_integer<std::uint8_t>(p[right]));
        }
    }
    cursor.position += static_cast<std::uint64_t>(n) << 32;
    return {n, at + static_cast<std::int64_t>(n) >= m_pcm.frames};
}

MixSource::Pulled ImageSource::pullInterpolated(SourceCursor& cursor, float* stereo,
                                                std::size_t frames) const {
    const int right = m_pcm.channels > 1 ? 1 : 0;
    std::size_t n = 0;
    while (n < frames) {
        const auto i = static_cast<std::int64_t>(cursor.position >> 32);
        if (i >= m_pcm.frames)
            break;
        if (i >= 1 && i + 2 < m_pcm.frames) {
            // Away from the image's edges no tap needs a bounds check.
            n += m_pcm.bitsPerSample == 16
                     ? interpolateInside<true>(cursor, stereo + 2 * n, frames - n)
                     : interpolateInside<false>(cursor, stereo + 2 * n, frames - n);
            continue;
        }
        const float t = fraction(cursor.position);
        stereo[2 * n] =
            hermite(sampleAt(i - 1, 0), sampleAt(i, 0), sampleAt(i + 1, 0), sampleAt(i + 2, 0), t);
        stereo[2 * n + 1] = hermite(sampleAt(i - 1, right), sampleAt(i, right),
                                    sampleAt(i + 1, right), sampleAt(i + 2, right), t);
        cursor.position += m_step;
        ++n;
    }
    return {n, static_cast<std::int64_t>(cursor.position >> 32) >= m_pcm.frames};
}

template <bool Sixteen>
std::size_t ImageSource::interpolateInside(SourceCursor& cursor, float* stereo,
                                           std::size_t frames) const {
    const std::int64_t channels = m_pcm.channels;
    const std::int64_t right = channels > 1 ? 1 : 0;
    const std::int64_t last = m_pcm.frames - 3; // the last i with all four taps inside
    const std::byte* data = m_pcm.data;
    const std::uint64_t step = m_step;
    const auto fetch = [&](std::int64_t at) {
        if constexpr (Sixteen)
            return readS16(data + 2 * at);
        else
            return sampleFromU8(std::to_integer<std::uint8_t>(data[at]));
    };
    std::uint64_t position = cursor.position;
    std::size_t n = 0;
    for (; n < frames; ++n) {
        const auto i = static_cast<std::int64_t>(position >> 32);
        if (i > last)
            break;
        const float t = fraction(position);
        const std::int64_t at = (i - 1) * channels;
        stereo[2 * n] = hermite(fetch(at), fetch(at + channels), fetch(at + 2 * channels),
                                fetch(at + 3 * channels), t);
        stereo[2 * n + 1] =
            hermite(fetch(at + right), fetch(at + channels + right),
                    fetch(at + 2 * channels + right), fetch(at + 3 * channels + right), t);
        position += step;
    }
    cursor.position = position;
    return n;
}

} // namespace audio
