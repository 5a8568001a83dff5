// In-memory WAVE images: the rendered form of a sample that voices play.
// Writes the canonical 44-byte PCM header and reads any RIFF/WAVE PCM image
// back into a view of its samples.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

namespace audio {

using WaveImage = std::vector<std::byte>;
// Voices share the image; the last holder frees it, never the audio thread.
using SharedWaveImage = std::shared_ptr<const WaveImage>;

static constexpr std::size_t WaveHeaderSize = 44;

// Writes "RIFF", size, "WAVE", a 16-byte PCM "fmt " chunk and the "data"
// chunk header into the first 44 bytes of header. bitsPerSample is 8 or 16.
void writeWaveHeader(std::span<std::byte> header, int channels, int rate, int bitsPerSample,
                     std::uint32_t dataLength);

// The samples of a parsed image; points into the image's bytes.
struct PcmView {
    const std::byte* data = nullptr;
    std::int64_t frames = 0;
    int channels = 0;
    int bitsPerSample = 0; // 8 (unsigned) or 16 (signed)
    int rate = 0;
};

// Parses a RIFF/WAVE image with PCM 8- or 16-bit data; a data chunk longer
// than the image is cut to what is there. Throws AudioError(BadWaveImage).
PcmView parseWaveImage(std::span<const std::byte> image);

} // namespace audio
