#include "audio/WaveImage.h"

#include "audio/AudioErrors.h"

#include <cstring>
#include <string>

namespace audio {

namespace {

void putTag(std::byte* at, const char (&tag)[5]) {
    std::memcpy(at, tag, 4);
}

void putU32(std::byte* at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<std::byte>((v >> (8 * i)) & 0xFF);
}

void putU16(std::byte* at, std::uint16_t v) {
    at[0] = static_cast<std::byte>(v & 0xFF);
    at[1] = static_cast<std::byte>(v >> 8);
}

std::uint32_t getU32(const std::byte* at) {
    std::uint32_t v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | std::to_integer<std::uint32_t>(at[i]);
    return v;
}

std::uint16_t getU16(const std::byte* at) {
    return static_cast<std::uint16_t>(std::to_integer<unsigned>(at[0]) |
                                      (std::to_integer<unsigned>(at[1]) << 8));
}

bool hasTag(const std::byte* at, const char (&tag)[5]) {
    return std::memcmp(at, tag, 4) == 0;
}

[[noreturn]] void bad(const std::string& why) {
    throw AudioError(ErrorCode::BadWaveImage, "Bad WAVE image: " + why);
}

} // namespace

void writeWaveHeader(std::span<std::byte> header, int channels, int rate, int bitsPerSample,
                     std::uint32_t dataLength) {
    if (header.size() < WaveHeaderSize)
        throw AudioError(ErrorCode::InvalidArgument, "WAVE header needs 44 bytes");
    const auto blockAlign = static_cast<std::uint16_t>(channels * bitsPerSample / 8);
    std::byte* h = header.data();
    putTag(h + 0, "RIFF");
    putU32(h + 4, dataLength + 36);
    putTag(h + 8, "WAVE");
    putTag(h + 12, "fmt ");
    putU32(h + 16, 16);
    putU16(h + 20, 1);
    putU16(h + 22, static_cast<std::uint16_t>(channels));
    putU32(h + 24, static_cast<std::uint32_t>(rate));
    putU32(h + 28, static_cast<std::uint32_t>(blockAlign) * static_cast<std::uint32_t>(rate));
    putU16(h + 32, blockAlign);
    putU16(h + 34, static_cast<std::uint16_t>(bitsPerSample));
    putTag(h + 36, "data");
    putU32(h + 40, dataLength);
}

PcmView parseWaveImage(std::span<const std::byte> image) {
    const std::byte* p = image.data();
    const std::size_t size = image.size();
    if (size < 12 || !hasTag(p, "RIFF") || !hasTag(p + 8, "WAVE"))
        bad("no RIFF/WAVE signature");
    PcmView view;
    bool haveFormat = false;
    std::size_t at = 12;
    while (at + 8 <= size) {
        const std::byte* chunk = p + at;
        const std::size_t length = getU32(chunk + 4);
        const std::size_t body = at + 8;
        if (hasTag(chunk, "fmt ")) {
            if (length < 16 || body + 16 > size)
                bad("short fmt chunk");
            if (getU16(p + body) != 1)
                bad("not PCM");
            view.channels = getU16(p + body + 2);
            view.rate = static_cast<int>(getU32(p + body + 4));
            view.bitsPerSample = getU16(p + body + 14);
            if (view.channels < 1 || view.rate < 1 ||
                (view.bitsPerSample != 8 && view.bitsPerSample != 16))
                bad("unsupported format");
            haveFormat = true;
        } else if (hasTag(chunk, "data")) {
            if (!haveFormat)
                bad("data before fmt");
            const std::size_t available = std::min(length, size - body);
            const std::size_t frameBytes =
                static_cast<std::size_t>(view.channels) * (view.bitsPerSample / 8);
            view.data = p + body;
            view.frames = static_cast<std::int64_t>(available / frameBytes);
            return view;
        }
        at = body + length + (length & 1); // chunks are padded to even length
    }
    bad("no data chunk");
}

} // namespace audio
