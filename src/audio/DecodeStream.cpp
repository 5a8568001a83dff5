#include "audio/DecodeStream.h"

#include "audio/AudioErrors.h"

#include <array>
#include <sndfile.h>

namespace audio {

namespace {

bool isEightBit(int format) {
    const int sub = format & SF_FORMAT_SUBMASK;
    return sub == SF_FORMAT_PCM_U8 || sub == SF_FORMAT_PCM_S8;
}

// Decodes the rest of the file only to count its frames.
std::int64_t countFrames(SNDFILE* file, int channels) {
    std::vector<float> scratch(4096 * static_cast<std::size_t>(channels));
    std::int64_t frames = 0;
    sf_count_t got = 0;
    while ((got = sf_readf_float(file, scratch.data(), 4096)) > 0)
        frames += got;
    return frames;
}

SNDFILE* openForReading(const std::filesystem::path& path, SF_INFO& info) {
    info = SF_INFO{};
    return sf_open(path.c_str(), SFM_READ, &info);
}

} // namespace

void DecodeStream::FileCloser::operator()(sf_private_tag* file) const {
    sf_close(file);
}

std::shared_ptr<DecodeStream> DecodeStream::openFile(const std::filesystem::path& path) {
    SF_INFO info;
    FileHandle file(openForReading(path, info));
    if (!file) {
        const int error = sf_error(nullptr);
        const ErrorCode code = error == SF_ERR_UNRECOGNISED_FORMAT ||
                                       error == SF_ERR_UNSUPPORTED_ENCODING ||
                                       error == SF_ERR_MALFORMED_FILE
                                   ? ErrorCode::UnsupportedFormat
                                   : ErrorCode::FileOpenFailed;
        throw AudioError(code, "Cannot decode \"" + path.string() + "\": " + sf_strerror(nullptr));
    }
    if (info.channels < 1 || info.samplerate < 1)
        throw AudioError(ErrorCode::UnsupportedFormat,
                         "\"" + path.string() + "\" has no channels or no rate");

    std::int64_t frames = info.frames;
    const bool estimated = (info.format & SF_FORMAT_TYPEMASK) == SF_FORMAT_MPEG || frames <= 0 ||
                           frames == SF_COUNT_MAX;
    if (estimated) {
        frames = countFrames(file.get(), info.channels);
        if (sf_seek(file.get(), 0, SEEK_SET) != 0) {
            file.reset(openForReading(path, info));
            if (!file)
                throw AudioError(ErrorCode::FileOpenFailed,
                                 "Cannot reopen \"" + path.string() + "\"");
        }
    }
    const StreamFormat format{info.samplerate, info.channels, isEightBit(info.format)};
    return std::shared_ptr<DecodeStream>(new DecodeStream(std::move(file), path, format, frames));
}

DecodeStream::DecodeStream(FileHandle file, std::filesystem::path path, StreamFormat format,
                           std::int64_t lengthFrames)
    : m_file(std::move(file)), m_path(std::move(path)), m_format(format),
      m_lengthFrames(lengthFrames), m_effects(format.rate, format.channels) {
    m_hasData.store(lengthFrames > 0, std::memory_order_release);
}

DecodeStream::~DecodeStream() = default;

double DecodeStream::secondsOf(std::int64_t bytes) const {
    return static_cast<double>(bytes) /
           (static_cast<double>(m_format.rate) * m_format.frameBytes());
}

std::size_t DecodeStream::readFrames(std::span<float> out) {
    std::lock_guard lock(m_mutex);
    const auto channels = static_cast<std::size_t>(m_format.channels);
    const std::size_t wanted = out.size() / channels;
    if (wanted == 0 || !m_hasData.load(std::memory_order_relaxed))
        return 0;
    const sf_count_t got =
        sf_readf_float(m_file.get(), out.data(), static_cast<sf_count_t>(wanted));
    const auto frames = static_cast<std::size_t>(std::max<sf_count_t>(got, 0));
    m_position += static_cast<std::int64_t>(frames);
    // The decoder's own end counts, whatever length was reported.
    if (frames < wanted || m_position >= m_lengthFrames)
        m_hasData.store(false, std::memory_order_release);
    if (frames == 0)
        return 0;
    if (m_gain) {
        const float gain = *m_gain;
        for (std::size_t i = 0; i < frames * channels; ++i)
            out[i] *= gain;
    }
    m_effects.process(out.data(), frames);
    return frames;
}

void DecodeStream::seekToStart() {
    if (sf_seek(m_file.get(), 0, SEEK_SET) != 0) {
        SF_INFO info;
        FileHandle reopened(openForReading(m_path, info));
        if (!reopened)
            throw AudioError(ErrorCode::DecodeFailed, "Cannot rewind \"" + m_path.string() + "\"");
        m_file = std::move(reopened);
    }
}

void DecodeStream::rewind() {
    std::lock_guard lock(m_mutex);
    seekToStart();
    m_position = 0;
    m_effects.reset();
    m_hasData.store(m_lengthFrames > 0, std::memory_order_release);
}

void DecodeStream::setGain(double factor) {
    std::lock_guard lock(m_mutex);
    m_gain = static_cast<float>(factor);
}

void DecodeStream::removeGain() {
    std::lock_guard lock(m_mutex);
    m_gain.reset();
}

bool DecodeStream::hasGain() const {
    std::lock_guard lock(m_mutex);
    return m_gain.has_value();
}

fx::EffectId DecodeStream::addEffect(fx::EffectKind kind, int slot) {
    std::lock_guard lock(m_mutex);
    return m_effects.add(kind, slot);
}

bool DecodeStream::removeEffect(fx::EffectId id) {
    std::lock_guard lock(m_mutex);
    return m_effects.remove(id);
}

void DecodeStream::configureEffect(fx::EffectId id, const fx::EffectParameters& parameters) {
    std::lock_guard lock(m_mutex);
    m_effects.setParameters(id, parameters);
}

std::size_t DecodeStream::effectCount() const {
    std::lock_guard lock(m_mutex);
    return m_effects.size();
}

} // namespace audio
