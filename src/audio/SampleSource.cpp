#include "audio/SampleSource.h"

#include <array>

namespace audio {

std::size_t SampleSource::read(std::span<std::byte> out) {
    const StreamFormat f = format();
    const std::size_t frameBytes = static_cast<std::size_t>(f.frameBytes());
    if (frameBytes == 0)
        return 0;
    std::array<float, 4096> scratch{};
    const std::size_t chunkFrames = scratch.size() / static_cast<std::size_t>(f.channels);
    std::size_t delivered = 0;
    while (delivered + frameBytes <= out.size() && hasData()) {
        const std::size_t wanted = std::min(chunkFrames, (out.size() - delivered) / frameBytes);
        const std::size_t got = readFrames(
            std::span<float>(scratch.data(), wanted * static_cast<std::size_t>(f.channels)));
        if (got == 0)
            break;
        std::byte* dst = out.data() + delivered;
        const std::size_t samples = got * static_cast<std::size_t>(f.channels);
        if (f.eightBit) {
            for (std::size_t i = 0; i < samples; ++i)
                dst[i] = static_cast<std::byte>(sampleToU8(scratch[i]));
        } else {
            for (std::size_t i = 0; i < samples; ++i) {
                const auto v = static_cast<std::uint16_t>(sampleToS16(scratch[i]));
                dst[2 * i] = static_cast<std::byte>(v & 0xFF);
                dst[2 * i + 1] = static_cast<std::byte>(v >> 8);
            }
        }
        delivered += got * frameBytes;
    }
    return delivered;
}

} // namespace audio
