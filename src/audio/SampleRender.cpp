// InitializeSample: a sample rendered once into its in-memory WAVE image,
// with its volume gain, its effects and its pitch, and converted to a target
// rate when asked.
#include "audio/PcmRateConverter.h"
#include "audio/SampleVoices.h"

#include <algorithm>

namespace audio {

namespace {

// A pitched sample may come out a little longer than its source.
constexpr std::int64_t PitchSlackBytes = 8000;
// Room for the converters' filter tails, per channel.
constexpr std::size_t TailBytesPerChannel = 1000;

// Releases the rendering streams however rendering ends: the item keeps only
// its image.
class StreamsReleaser {
public:
    explicit StreamsReleaser(TDrumsetItem& sample) : m_sample(sample) {}
    ~StreamsReleaser() { CloseSampleStream(m_sample); }
    StreamsReleaser(const StreamsReleaser&) = delete;
    StreamsReleaser& operator=(const StreamsReleaser&) = delete;

private:
    TDrumsetItem& m_sample;
};

// Reads the source into data while it delivers; returns the bytes read.
std::size_t readAll(SampleSource& source, std::span<std::byte> data) {
    std::size_t delivered = 0;
    while (source.hasData() && delivered < data.size()) {
        const std::size_t got = source.read(data.subspan(delivered));
        if (got == 0) // no whole frame fits, or the source ended
            break;
        delivered += got;
    }
    return delivered;
}

// Reads blocks into data at the write position and converts each in place;
// returns the bytes written.
std::size_t readConverted(SampleSource& source, PcmRateConverter& converter, std::int64_t expected,
                          std::span<std::byte> data) {
    std::size_t written = 0;
    std::int64_t read = 0;
    bool flushed = false;
    while (source.hasData() && written < data.size()) {
        const std::size_t room = std::min(data.size() - written, converter.maxBlockBytes());
        const std::size_t got = source.read(data.subspan(written, room));
        if (got == 0) // our sources deliver at once: nothing now is nothing left
            break;
        read += static_cast<std::int64_t>(got);
        // A pitched source ends short of the expected length; its end must
        // flush the filters as well, or the last few ms are lost.
        const bool last = read >= expected || !source.hasData();
        written += converter.convert(data.subspan(written, got), last, data.subspan(written));
        flushed = last;
    }
    if (!flushed)
        written += converter.convert({}, true, data.subspan(written));
    return written;
}

} // namespace

void SampleEngine::InitializeSample(TDrumsetItem& sample, int32_t targetRate) {
    SampleSoundState& state = soundStateFor(sample);
    state.pool().setImage(nullptr);
    if (targetRate < 0)
        throw SampleError(LoadFailedMessage, ErrorCode::InvalidArgument);

    const bool pitched = sample.Pitch != 0;
    OpenSampleStream(sample, pitched ? TempoMode::DecodeOnly : TempoMode::None, true);
    StreamsReleaser releaser(sample);
    DecodeStream& decode = *state.DecodeStream;
    SetVolumeGain(decode, sample.Volume);
    ApplyEffects(sample);
    if (pitched)
        SetPitch(state.TempoStream, sample.Pitch);

    const StreamFormat format = decode.format();
    const bool resample = targetRate != 0 && (targetRate != format.rate || format.eightBit);
    const double ratio = static_cast<double>(targetRate) / format.rate;
    SampleSource& source =
        pitched ? static_cast<SampleSource&>(*state.renderTempoStream()) : decode;
    const std::int64_t expected = decode.lengthBytes() + (pitched ? PitchSlackBytes : 0);

    const auto channels = static_cast<std::size_t>(format.channels);
    const std::size_t outputSize =
        resample ? static_cast<std::size_t>(static_cast<double>(expected) * ratio *
                                            (format.eightBit ? 2.0 : 1.0)) +
                       channels * TailBytesPerChannel
                 : static_cast<std::size_t>(expected);
    auto image = std::make_shared<WaveImage>(
        WaveHeaderSize + std::max(static_cast<std::size_t>(expected), outputSize));
    const std::span<std::byte> data = std::span(*image).subspan(WaveHeaderSize);

    std::size_t dataLength = 0;
    try {
        if (resample) {
            const std::size_t framesTotal =
                static_cast<std::size_t>(expected) / channels / (format.eightBit ? 1 : 2);
            PcmRateConverter converter(m_output, format.channels, format.eightBit, ratio,
                                       framesTotal);
            dataLength = readConverted(source, converter, expected, data);
        } else {
            dataLength = readAll(source, data);
        }
    } catch (const AudioError& e) {
        throw SampleError(LoadFailedMessage, e);
    }

    // The image holds only what was delivered.
    image->resize(WaveHeaderSize + dataLength);
    image->shrink_to_fit();
    const int bits = resample || !format.eightBit ? 16 : 8;
    writeWaveHeader(*image, format.channels, resample ? targetRate : format.rate, bits,
                    static_cast<std::uint32_t>(dataLength));
    state.pool().setImage(std::move(image));
}

} // namespace audio
