// Rate conversion of rendered PCM through libresample: one converter per
// channel, blocks of 16-bit signed or 8-bit unsigned interleaved samples in,
// 16-bit interleaved samples out. Samples are converted on the 16-bit scale
// (8-bit ones as (value - 128) x 256) and written truncated toward zero,
// limited to -32767..32767.
#pragma once

#include "audio/ResampleLibrary.h"

#include <cstddef>
#include <span>
#include <vector>

namespace audio {

class AudioOutput;

class PcmRateConverter {
public:
    // maxBlockFrames bounds the frames of one block. Throws
    // AudioError(ResamplerMissing or ResamplerFailed).
    PcmRateConverter(const AudioOutput& output, int channels, bool eightBit, double ratio,
                     std::size_t maxBlockFrames);

    // Bytes of input one block may hold.
    std::size_t maxBlockBytes() const { return m_maxFrames * frameBytes(); }

    // Converts the whole frames of block (at most maxBlockFrames) and writes
    // as much of the result as fits into out. block and out may overlap: the
    // input is taken in before anything is written. last flushes the
    // filters. Returns the bytes written: the longest channel's output; a
    // channel that produced less is filled up with silence.
    std::size_t convert(std::span<const std::byte> block, bool last, std::span<std::byte> out);

private:
    std::size_t frameBytes() const { return m_channels.size() * (m_eightBit ? 1 : 2); }

    double m_ratio;
    bool m_eightBit;
    std::size_t m_maxFrames;
    std::vector<RateConverter> m_channels;
    std::vector<std::vector<float>> m_input; // per channel
    std::vector<float> m_output;
    std::vector<std::size_t> m_produced; // per channel, of the last block
};

} // namespace audio
