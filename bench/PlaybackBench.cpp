// Playback in real time through the scheduler, the sample voices and the
// "Silent output" with capture: a 16-bar song of sixteenth notes at 140 BPM.
// Prints the largest deviation of an onset from its ideal frame (relative to
// the first onset, whose offset is the constant latency) and the process
// CPU time per second of playback.
#include "audio/AudioOutput.h"
#include "audio/Playback.h"
#include "audio/SampleVoices.h"
#include "audio/SilentOutput.h"
#include "editor/SongEditor.h"

#include <cmath>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <sndfile.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int Rate = 44100;

double processCpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

double wallSeconds() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// A 30 ms click: one full sample, then silence.
void writeClick(const std::filesystem::path& path) {
    SF_INFO info{};
    info.samplerate = Rate;
    info.channels = 1;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
    std::vector<short> samples(Rate * 30 / 1000, 0);
    samples[0] = 16000;
    sf_write_short(f, samples.data(), static_cast<sf_count_t>(samples.size()));
    sf_close(f);
}

std::vector<long> onsets(const std::filesystem::path& path) {
    SF_INFO info{};
    SNDFILE* f = sf_open(path.c_str(), SFM_READ, &info);
    std::vector<float> frames(static_cast<size_t>(info.frames * info.channels));
    sf_readf_float(f, frames.data(), info.frames);
    sf_close(f);
    std::vector<long> found;
    bool low = true;
    for (long i = 0; i < info.frames; ++i) {
        const float v = std::fabs(frames[static_cast<size_t>(i * info.channels)]);
        if (low && v > 0.1f)
            found.push_back(i);
        low = v <= 0.1f;
    }
    return found;
}

} // namespace

int main() {
    const auto dir = std::filesystem::temp_directory_path() /
                     ("tavorine-playback-bench-" + std::to_string(getpid()));
    std::filesystem::create_directories(dir);
    writeClick(dir / "click.wav");

    TSongEditor editor;
    TDrumsetItem sample;
    sample.Caption = "click";
    sample.DirectoryName = dir.string();
    sample.FileName = "click.wav";
    auto track = std::make_unique<TDRPlTrack>();
    auto row = std::make_unique<TDRPlSample>();
    row->Length = 30;
    row->SampleData = &sample;
    track->Samples.push_back(std::move(row));
    editor.Plocha.Tracks.push_back(std::move(track));
    editor.Song.InitialTempo->Tempo = 140;
    editor.Song.RecomputeBarTimes(0);
    std::vector<int32_t> ideal;
    for (int32_t bar = 0; bar < 16; ++bar)
        for (int32_t n = 0; n < 16; ++n) {
            auto h = std::make_unique<TDRHit>();
            h->StartBar = bar;
            h->StartTick = n * 1000 / 16;
            h->LengthMs = 30;
            ideal.push_back(editor.Song.AddHit(std::move(h))->StartMs);
        }

    audio::AudioOutput::Options options;
    options.clock = audio::systemClock();
    audio::AudioOutput output(options);
    output.start(static_cast<int>(output.outputDeviceNames().size())); // the silent output
    output.silentOutput()->startCapture(dir / "capture.wav");
    audio::SampleEngine engine(output);
    audio::SampleEnginePlayback voices(engine);
    double cpu = 0;
    double wall = 0;
    {
        audio::Playback playback(editor, voices,
                                 std::make_shared<audio::OutputPlaybackClock>(options.clock));
        playback.InitializeAllSamples();
        playback.EndBar = 15;
        const double cpu0 = processCpuSeconds();
        const double wall0 = wallSeconds();
        playback.Play();
        playback.WaitForRunEnd();
        cpu = processCpuSeconds() - cpu0;
        wall = wallSeconds() - wall0;
    }
    output.silentOutput()->stopCapture();
    output.stop();

    const std::vector<long> found = onsets(dir / "capture.wav");
    long worst = -1;
    size_t worstHit = 0;
    size_t offFrame = 0; // onsets more than one frame off
    if (found.size() == ideal.size()) {
        worst = 0;
        for (size_t i = 0; i < found.size(); ++i) {
            const long want = static_cast<long>(ideal[i]) * Rate / 1000 -
                              static_cast<long>(ideal[0]) * Rate / 1000 + found[0];
            const long off = std::labs(found[i] - want);
            offFrame += off > 1 ? 1 : 0;
            if (off > worst) {
                worst = off;
                worstHit = i;
            }
        }
    }
    std::printf("hits %zu, onsets found %zu\n", ideal.size(), found.size());
    std::printf("largest onset deviation: %ld frames (hit %zu); %zu onsets more than 1 frame off\n",
                worst, worstHit, offFrame);
    std::printf("process CPU per second of playback: %.2f %% of one core (%.3f s over %.2f s)\n",
                100.0 * cpu / wall, cpu, wall);
    std::filesystem::remove_all(dir);
    return found.size() == ideal.size() ? 0 : 1;
}
