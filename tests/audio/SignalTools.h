// Test helpers: synthesized signals, sound files written and read through
// libsndfile, temporary folders and measurements on sampled signals.
#pragma once

#include "audio/WaveImage.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace audiotest {

// A fresh folder under the system's temporary folder, removed afterwards.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::filesystem::path file(const std::string& name) const { return m_path / name; }

private:
    std::filesystem::path m_path;
};

struct Sound {
    int rate = 44100;
    int channels = 1;
    std::vector<float> samples; // interleaved

    std::size_t frames() const { return samples.size() / static_cast<std::size_t>(channels); }
    std::vector<float> channel(int c) const;
};

Sound sine(double hz, double seconds, int rate, int channels = 1, double amplitude = 0.5);
// Silence, then white noise (seeded) of the given length.
Sound silenceThenNoise(double silenceSeconds, double noiseSeconds, int rate, int channels = 1,
                       double amplitude = 0.5);
// A constant value: the easiest signal to read gains and envelopes from.
Sound constant(double value, double seconds, int rate, int channels = 1);

// format: libsndfile major | subtype, e.g. SF_FORMAT_WAV | SF_FORMAT_PCM_16.
void writeSound(const std::filesystem::path& path, int format, const Sound& sound);
Sound readSound(const std::filesystem::path& path);

// A WAVE image (44-byte header) holding the sound as 16-bit or 8-bit.
audio::SharedWaveImage makeImage(const Sound& sound, int bitsPerSample = 16);

double peak(const std::vector<float>& x, std::size_t from = 0, std::size_t to = SIZE_MAX);
double rms(const std::vector<float>& x, std::size_t from = 0, std::size_t to = SIZE_MAX);
double toDb(double linear);
// Amplitude of the hz component over [from, to) (Goertzel, Hann window).
double toneAmplitude(const std::vector<float>& x, int rate, double hz, std::size_t from = 0,
                     std::size_t to = SIZE_MAX);
// Frequency of a clean tone from its rising zero crossings in [from, to).
double zeroCrossingFrequency(const std::vector<float>& x, int rate, std::size_t from = 0,
                             std::size_t to = SIZE_MAX);
// First index where |x| exceeds threshold; SIZE_MAX when none.
std::size_t firstAbove(const std::vector<float>& x, double threshold, std::size_t from = 0);

// The folder of real samples shared by the project, or empty when absent.
std::filesystem::path sharedSamples();

} // namespace audiotest
