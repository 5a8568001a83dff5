#include "SignalTools.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <numbers>
#include <random>
#include <sndfile.h>
#include <stdexcept>

namespace audiotest {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "tavorine-audio-XXXXXX");
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("mkdtemp failed");
    m_path = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::vector<float> Sound::channel(int c) const {
    std::vector<float> out(frames());
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i] = samples[i * static_cast<std::size_t>(channels) + static_cast<std::size_t>(c)];
    return out;
}

Sound sine(double hz, double seconds, int rate, int channels, double amplitude) {
    Sound s{rate, channels, {}};
    const auto frames = static_cast<std::size_t>(seconds * rate);
    s.samples.resize(frames * static_cast<std::size_t>(channels));
    for (std::size_t i = 0; i < frames; ++i) {
        const double v = amplitude * std::sin(2.0 * std::numbers::pi * hz * i / rate);
        for (int c = 0; c < channels; ++c)
            s.samples[i * channels + c] = static_cast<float>(v);
    }
    return s;
}

Sound silenceThenNoise(double silenceSeconds, double noiseSeconds, int rate, int channels,
                       double amplitude) {
    Sound s{rate, channels, {}};
    const auto quiet = static_cast<std::size_t>(silenceSeconds * rate);
    const auto loud = static_cast<std::size_t>(noiseSeconds * rate);
    s.samples.assign((quiet + loud) * static_cast<std::size_t>(channels), 0.0f);
    std::mt19937 random(12345);
    std::uniform_real_distribution<float> uniform(-1.0f, 1.0f);
    for (std::size_t i = quiet; i < quiet + loud; ++i)
        for (int c = 0; c < channels; ++c)
            s.samples[i * channels + c] = static_cast<float>(amplitude) * uniform(random);
    return s;
}

Sound constant(double value, double seconds, int rate, int channels) {
    Sound s{rate, channels, {}};
    s.samples.assign(static_cast<std::size_t>(seconds * rate) * channels,
                     static_cast<float>(value));
    return s;
}

void writeSound(const std::filesystem::path& path, int format, const Sound& sound) {
    SF_INFO info{};
    info.samplerate = sound.rate;
    info.channels = sound.channels;
    info.format = format;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    if (file == nullptr)
        throw std::runtime_error("cannot write " + path.string() + ": " + sf_strerror(nullptr));
    sf_writef_float(file, sound.samples.data(), static_cast<sf_count_t>(sound.frames()));
    sf_close(file);
}

Sound readSound(const std::filesystem::path& path) {
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (file == nullptr)
        throw std::runtime_error("cannot read " + path.string());
    Sound s{info.samplerate, info.channels, {}};
    std::vector<float> block(4096 * static_cast<std::size_t>(info.channels));
    sf_count_t got = 0;
    while ((got = sf_readf_float(file, block.data(), 4096)) > 0)
        s.samples.insert(s.samples.end(), block.begin(), block.begin() + got * info.channels);
    sf_close(file);
    return s;
}

audio::SharedWaveImage makeImage(const Sound& sound, int bitsPerSample) {
    const std::size_t bytes = sound.samples.size() * static_cast<std::size_t>(bitsPerSample / 8);
    auto image = std::make_shared<audio::WaveImage>(audio::WaveHeaderSize + bytes);
    audio::writeWaveHeader(*image, sound.channels, sound.rate, bitsPerSample,
                           static_cast<std::uint32_t>(bytes));
    std::byte* data = image->data() + audio::WaveHeaderSize;
    for (std::size_t i = 0; i < sound.samples.size(); ++i) {
        const double v = std::clamp<double>(sound.samples[i], -1.0, 1.0);
        if (bitsPerSample == 8) {
            data[i] = static_cast<std::byte>(std::clamp<long>(std::lround(v * 128) + 128, 0, 255));
        } else {
            const auto s = static_cast<std::uint16_t>(
                static_cast<std::int16_t>(std::clamp<long>(std::lround(v * 32768), -32768, 32767)));
            data[2 * i] = static_cast<std::byte>(s & 0xFF);
            data[2 * i + 1] = static_cast<std::byte>(s >> 8);
        }
    }
    return image;
}

double peak(const std::vector<float>& x, std::size_t from, std::size_t to) {
    double p = 0.0;
    for (std::size_t i = from; i < std::min(to, x.size()); ++i)
        p = std::max(p, static_cast<double>(std::fabs(x[i])));
    return p;
}

double rms(const std::vector<float>& x, std::size_t from, std::size_t to) {
    to = std::min(to, x.size());
    if (to <= from)
        return 0.0;
    double sum = 0.0;
    for (std::size_t i = from; i < to; ++i)
        sum += static_cast<double>(x[i]) * x[i];
    return std::sqrt(sum / static_cast<double>(to - from));
}

double toDb(double linear) {
    return 20.0 * std::log10(std::max(linear, 1e-12));
}

double toneAmplitude(const std::vector<float>& x, int rate, double hz, std::size_t from,
                     std::size_t to) {
    to = std::min(to, x.size());
    const std::size_t n = to - from;
    const double w = 2.0 * std::numbers::pi * hz / rate;
    double re = 0.0, im = 0.0, windowSum = 0.0;
    for (std::size_t i = 0; i < n; ++i) {
        const double hann = 0.5 - 0.5 * std::cos(2.0 * std::numbers::pi * i / (n - 1));
        const double v = x[from + i] * hann;
        re += v * std::cos(w * i);
        im -= v * std::sin(w * i);
        windowSum += hann;
    }
    return 2.0 * std::hypot(re, im) / windowSum;
}

double zeroCrossingFrequency(const std::vector<float>& x, int rate, std::size_t from,
                             std::size_t to) {
    to = std::min(to, x.size());
    double first = -1.0, last = -1.0;
    int crossings = 0;
    for (std::size_t i = from + 1; i < to; ++i)
        if (x[i - 1] < 0.0f && x[i] >= 0.0f) {
            const double t = static_cast<double>(i - 1) + x[i - 1] / (x[i - 1] - x[i]);
            if (first < 0.0)
                first = t;
            last = t;
            ++crossings;
        }
    if (crossings < 2)
        return 0.0;
    return (crossings - 1) * rate / (last - first);
}

std::size_t firstAbove(const std::vector<float>& x, double threshold, std::size_t from) {
    for (std::size_t i = from; i < x.size(); ++i)
        if (std::fabs(x[i]) > threshold)
            return i;
    return SIZE_MAX;
}

std::filesystem::path sharedSamples() {
    const std::filesystem::path path = std::filesystem::path(TAVORINE_SHARED_TESTDATA) / "samples";
    return std::filesystem::is_directory(path) ? path : std::filesystem::path{};
}

} // namespace audiotest
