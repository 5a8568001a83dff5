// A decoding stream over a sample file (through libsndfile): WAV, AIFF,
// FLAC, Ogg Vorbis, MP3 and whatever else the library reads. Its data passes
// the gain stage and then the effect chain before it is delivered.
//
// The methods lock an internal mutex, so a preview may read the stream on the
// feeder thread while the user interface changes its gain and effects.
#pragma once

#include "audio/SampleSource.h"
#include "audio/fx/EffectChain.h"

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <mutex>
#include <optional>

struct sf_private_tag;

namespace audio {

class DecodeStream final : public SampleSource {
public:
    // Throws AudioError(FileOpenFailed) or AudioError(UnsupportedFormat).
    static std::shared_ptr<DecodeStream> openFile(const std::filesystem::path& path);
    ~DecodeStream() override;

    DecodeStream(const DecodeStream&) = delete;
    DecodeStream& operator=(const DecodeStream&) = delete;

    // 8-bit for 8-bit sources (signed or unsigned), 16-bit for all others.
    StreamFormat format() const override { return m_format; }
    // Frames the decoder actually delivers (MP3 lengths are counted by
    // decoding, since the reported figure is an estimate).
    std::int64_t lengthFrames() const { return m_lengthFrames; }
    std::int64_t lengthBytes() const { return m_lengthFrames * m_format.frameBytes(); }
    // Playing time of a number of bytes of this stream's data.
    double secondsOf(std::int64_t bytes) const;

    std::size_t readFrames(std::span<float> out) override;
    bool hasData() const override { return m_hasData.load(std::memory_order_acquire); }
    // Back to the first frame; effect state is cleared.
    void rewind();

    // The gain stage: a factor applied before the effects (1 = unity).
    void setGain(double factor);
    void removeGain();
    bool hasGain() const;

    // Effects run in slot order, slot 0 first, after the gain stage; a new
    // effect starts with its kind's starting parameters.
    fx::EffectId addEffect(fx::EffectKind kind, int slot);
    // False when the stream has no such effect.
    bool removeEffect(fx::EffectId id);
    // Throws AudioError(UnknownEffect) or AudioError(EffectMismatch).
    void configureEffect(fx::EffectId id, const fx::EffectParameters& parameters);
    std::size_t effectCount() const;

private:
    struct FileCloser {
        void operator()(sf_private_tag* file) const;
    };
    using FileHandle = std::unique_ptr<sf_private_tag, FileCloser>;

    DecodeStream(FileHandle file, std::filesystem::path path, StreamFormat format,
                 std::int64_t lengthFrames);
    void seekToStart();

    mutable std::mutex m_mutex;
    FileHandle m_file;
    std::filesystem::path m_path;
    StreamFormat m_format;
    std::int64_t m_lengthFrames = 0;
    std::int64_t m_position = 0;
    std::atomic<bool> m_hasData{true};
    std::optional<float> m_gain;
    fx::EffectChain m_effects;
};

} // namespace audio
