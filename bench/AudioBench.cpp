// Cost of the audio layer: mixing voices per 256-frame block (and how many
// voices one core mixes in real time), the effect chain on a 2 s stereo
// sample, the offline work of rendering (pitch, rate conversion), rendering
// a whole drumset sample, and other Rubber Band settings for the pitch.
#include "audio/AudioOutput.h"
#include "audio/PitchShifting.h"
#include "audio/PitchStream.h"
#include "audio/SampleVoices.h"
#include "audio/Voice.h"
#include "audio/fx/EffectChain.h"
#include "drumset/DrumsetItem.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <numbers>
#include <random>
#include <sndfile.h>
#include <vector>

namespace {

constexpr std::size_t Block = 256;
constexpr double BlockSeconds = static_cast<double>(Block) / audio::MixRate;

// A WAVE image of noise; long enough for the restarts below.
audio::SharedWaveImage noiseImage(int rate, int channels, double seconds) {
    const auto samples = static_cast<std::size_t>(seconds * rate) * channels;
    auto image = std::make_shared<audio::WaveImage>(audio::WaveHeaderSize + 2 * samples);
    audio::writeWaveHeader(*image, channels, rate, 16, static_cast<std::uint32_t>(2 * samples));
    std::mt19937 random(7);
    std::uniform_int_distribution<int> value(-8000, 8000);
    for (std::size_t i = 0; i < samples; ++i) {
        const auto v = static_cast<std::uint16_t>(static_cast<std::int16_t>(value(random)));
        (*image)[audio::WaveHeaderSize + 2 * i] = static_cast<std::byte>(v & 0xFF);
        (*image)[audio::WaveHeaderSize + 2 * i + 1] = static_cast<std::byte>(v >> 8);
    }
    return image;
}

// Mixes blocks with N voices playing; args: voices, image rate, channels.
void BM_MixVoices(benchmark::State& state) {
    const auto voices = static_cast<std::size_t>(state.range(0));
    const int rate = static_cast<int>(state.range(1));
    const int channels = static_cast<int>(state.range(2));
    audio::Mixer::Config config;
    config.channels = voices + 16;
    auto clock = std::make_shared<audio::ManualClock>();
    auto mixer = std::make_shared<audio::Mixer>(clock, config);
    mixer->beginRendering();
    const auto image = noiseImage(rate, channels, 12.0);
    std::vector<std::unique_ptr<audio::Voice>> pool;
    for (std::size_t i = 0; i < voices; ++i)
        pool.push_back(std::make_unique<audio::Voice>(mixer, image));
    std::vector<float> out(2 * Block);
    const auto restart = [&] {
        for (auto& v : pool)
            v->play(true, clock->now() - audio::Mixer::ScheduleLatency);
        mixer->render(out.data(), Block, clock->now());
    };
    restart();
    std::size_t blocks = 0;
    for (auto _ : state) {
        mixer->render(out.data(), Block, clock->now());
        benchmark::DoNotOptimize(out.data());
        clock->advance(audio::ClockTime{5805});
        if (++blocks % 1500 == 0) { // before the 12 s image ends
            state.PauseTiming();
            restart();
            state.ResumeTiming();
        }
    }
    mixer->endRendering();
    state.counters["ns_per_voice_block"] =
        benchmark::Counter(static_cast<double>(voices) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["realtime_voices"] = benchmark::Counter(
        BlockSeconds * static_cast<double>(voices) * static_cast<double>(state.iterations()),
        benchmark::Counter::kIsRate);
}
BENCHMARK(BM_MixVoices)
    ->ArgNames({"voices", "rate", "ch"})
    ->Args({1, 44100, 2})
    ->Args({64, 44100, 2})
    ->Args({512, 44100, 2})
    ->Args({1024, 44100, 2})
    ->Args({1024, 44100, 1})
    ->Args({512, 22050, 2})
    ->Args({512, 48000, 1})
    ->Unit(benchmark::kMicrosecond);

std::vector<float> stereoNoise(double seconds, int rate) {
    std::vector<float> x(static_cast<std::size_t>(seconds * rate) * 2);
    std::mt19937 random(3);
    std::uniform_real_distribution<float> value(-0.5f, 0.5f);
    for (float& v : x)
        v = value(random);
    return x;
}

void addFullChain(audio::fx::EffectChain& chain) {
    using audio::fx::EffectKind;
    chain.add(EffectKind::Distortion, 0);
    chain.add(EffectKind::Gargle, 1);
    chain.add(EffectKind::Compressor, 2);
    constexpr float Centres[] = {100, 200, 400, 800, 1600, 3200, 6400, 12800};
    for (float centre : Centres) {
        const auto band = chain.add(EffectKind::EqBand, 3);
        chain.setParameters(band, audio::fx::EqBandParameters{centre, 12, 6});
    }
    chain.add(EffectKind::Reverb, 4);
}

// The five effects (eight equaliser bands) on a 2 s stereo sample.
void BM_EffectChainTwoSeconds(benchmark::State& state) {
    const std::vector<float> source = stereoNoise(2.0, 44100);
    std::vector<float> work(source.size());
    for (auto _ : state) {
        state.PauseTiming();
        audio::fx::EffectChain chain(44100, 2);
        addFullChain(chain);
        work = source;
        state.ResumeTiming();
        chain.process(work.data(), work.size() / 2);
        benchmark::DoNotOptimize(work.data());
    }
}
BENCHMARK(BM_EffectChainTwoSeconds)->Unit(benchmark::kMillisecond);

// Each effect alone on the same 2 s stereo sample.
void BM_EffectTwoSeconds(benchmark::State& state) {
    const auto kind = static_cast<audio::fx::EffectKind>(state.range(0));
    const std::vector<float> source = stereoNoise(2.0, 44100);
    std::vector<float> work(source.size());
    auto effect = audio::fx::makeEffect(kind, 44100, 2);
    if (kind == audio::fx::EffectKind::EqBand) // a flat band would be skipped
        effect->setParameters(audio::fx::EqBandParameters{1000, 12, 6});
    for (auto _ : state) {
        state.PauseTiming();
        work = source;
        effect->reset();
        state.ResumeTiming();
        effect->process(work.data(), work.size() / 2);
        benchmark::DoNotOptimize(work.data());
    }
}
BENCHMARK(BM_EffectTwoSeconds)
    ->ArgName("kind") // 0 compressor, 1 distortion, 2 gargle, 3 eq band, 4 reverb
    ->DenseRange(0, 4)
    ->Unit(benchmark::kMillisecond);

// Offline pitch shifting (+7 semitones) of a 2 s stereo file, decoding included.
void BM_OfflinePitchTwoSeconds(benchmark::State& state) {
    const auto path = std::filesystem::temp_directory_path() / "tavorine-audio-bench.wav";
    const std::vector<float> source = stereoNoise(2.0, 44100);
    SF_INFO info{};
    info.samplerate = 44100;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    sf_writef_float(file, source.data(), static_cast<sf_count_t>(source.size() / 2));
    sf_close(file);
    std::vector<float> out(8192);
    for (auto _ : state) {
        audio::PitchStream pitch(audio::DecodeStream::openFile(path));
        pitch.setPitch(7);
        while (pitch.readFrames(out) > 0) {
        }
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_OfflinePitchTwoSeconds)->Unit(benchmark::kMillisecond);

// libresample from 22050 to 44100 Hz, 2 s of one channel.
void BM_RateConversionTwoSeconds(benchmark::State& state) {
    audio::AudioOutput::Options options;
    options.useSoundCards = false;
    audio::AudioOutput output(options);
    if (!output.canConvertRates()) {
        state.SkipWithError("libresample is not available");
        return;
    }
    std::vector<float> in(44100);
    for (std::size_t i = 0; i < in.size(); ++i)
        in[i] = 0.5f * static_cast<float>(std::sin(2 * std::numbers::pi * 440 * i / 22050.0));
    std::vector<float> out(2 * in.size() + 1000);
    for (auto _ : state) {
        auto converter = output.openRateConverter(true, 2.0, 2.0);
        benchmark::DoNotOptimize(converter.process(2.0, in, true, out));
    }
}
BENCHMARK(BM_RateConversionTwoSeconds)->Unit(benchmark::kMillisecond);

void writeStereoFile(const std::filesystem::path& path, const std::vector<float>& samples) {
    SF_INFO info{};
    info.samplerate = 44100;
    info.channels = 2;
    info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
    SNDFILE* file = sf_open(path.c_str(), SFM_WRITE, &info);
    sf_writef_float(file, samples.data(), static_cast<sf_count_t>(samples.size() / 2));
    sf_close(file);
}

// InitializeSample of a 2 s stereo 44.1 kHz sample, decoding included; args:
// pitch in semitones, all five effects on (1) or none (0), target rate.
void BM_InitializeSampleTwoSeconds(benchmark::State& state) {
    const auto path = std::filesystem::temp_directory_path() / "tavorine-render-bench.wav";
    writeStereoFile(path, stereoNoise(2.0, 44100));
    TDrumsetItem item;
    item.DirectoryName = path.parent_path().string();
    item.FileName = path.filename().string();
    item.Pitch = static_cast<int32_t>(state.range(0));
    const bool effects = state.range(1) != 0;
    item.DistortionActive = item.GargleActive = item.CompressorActive = item.ReverbActive =
        item.EQActive = effects;
    TEQBands bands = flatEQBands();
    for (TEQBand& band : bands)
        band.fGain = 6.0f; // flat bands would cost nothing
    item.EQBands = bands;
    audio::AudioOutput::Options options;
    options.useSoundCards = false;
    audio::AudioOutput output(options); // rendering needs no running device
    audio::SampleEngine engine(output);
    for (auto _ : state)
        engine.InitializeSample(item, static_cast<int32_t>(state.range(2)));
    std::filesystem::remove(path);
}
BENCHMARK(BM_InitializeSampleTwoSeconds)
    ->ArgNames({"pitch", "fx", "rate"})
    ->Args({3, 1, 0})
    ->Args({0, 1, 0})
    ->Args({3, 0, 0})
    ->Args({0, 0, 0})
    ->Args({3, 1, 48000})
    ->Unit(benchmark::kMillisecond);

// Rubber Band settings for the offline pitch: the layer's and faster ones.
struct PitchSetting {
    const char* name;
    audio::Stretcher::Options options;
};
const PitchSetting PitchSettings[] = {
    {"layer: R3 finer, crisp", audio::OfflinePitchOptions},
    {"R3 finer, short window", audio::OfflinePitchOptions | audio::Stretcher::OptionWindowShort},
    {"R3 finer, short window, pitch high speed",
     (audio::OfflinePitchOptions & ~audio::Stretcher::OptionPitchHighQuality) |
         audio::Stretcher::OptionWindowShort | audio::Stretcher::OptionPitchHighSpeed},
    {"R3 finer, pitch high speed",
     (audio::OfflinePitchOptions & ~audio::Stretcher::OptionPitchHighQuality) |
         audio::Stretcher::OptionPitchHighSpeed},
    {"R2 faster, crisp", (audio::OfflinePitchOptions & ~audio::Stretcher::OptionEngineFiner) |
                             audio::Stretcher::OptionEngineFaster},
    {"R2 faster, crisp, short window",
     (audio::OfflinePitchOptions & ~audio::Stretcher::OptionEngineFiner) |
         audio::Stretcher::OptionEngineFaster | audio::Stretcher::OptionWindowShort},
};

// Shifts interleaved input offline as the layer's pitch stream does (study,
// then process), with the given options.
std::vector<float> shiftOffline(const std::vector<float>& input, int channels,
                                audio::Stretcher::Options options, double semitones) {
    const auto ch = static_cast<std::size_t>(channels);
    const std::size_t frames = input.size() / ch;
    std::vector<std::vector<float>> planar(ch, std::vector<float>(frames));
    for (std::size_t i = 0; i < frames; ++i)
        for (std::size_t c = 0; c < ch; ++c)
            planar[c][i] = input[i * ch + c];
    auto stretcher =
        audio::makeStretcher(44100, channels, options, audio::pitchScaleFor(semitones));
    constexpr std::size_t BlockFrames = 4096;
    stretcher->setExpectedInputDuration(frames);
    stretcher->setMaxProcessSize(BlockFrames);
    std::vector<const float*> in(ch);
    for (int pass = 0; pass < 2; ++pass) {
        for (std::size_t at = 0; at < frames; at += BlockFrames) {
            for (std::size_t c = 0; c < ch; ++c)
                in[c] = planar[c].data() + at;
            const std::size_t n = std::min(BlockFrames, frames - at);
            if (pass == 0)
                stretcher->study(in.data(), n, at + n == frames);
            else
                stretcher->process(in.data(), n, at + n == frames);
        }
    }
    std::vector<float> out;
    std::vector<std::vector<float>> block(ch, std::vector<float>(BlockFrames));
    std::vector<float*> outPtr(ch);
    for (std::size_t c = 0; c < ch; ++c)
        outPtr[c] = block[c].data();
    while (stretcher->available() > 0) {
        const std::size_t n = stretcher->retrieve(
            outPtr.data(), std::min<std::size_t>(BlockFrames, stretcher->available()));
        for (std::size_t i = 0; i < n; ++i)
            for (std::size_t c = 0; c < ch; ++c)
                out.push_back(block[c][i]);
    }
    return out;
}

// The largest move, in ms, of a noise burst's onset (first sample above
// 0.05) over twelve positions of the burst in a mono sample.
double worstOnsetShiftMs(audio::Stretcher::Options options, double semitones) {
    double worst = 0.0;
    for (int k = 0; k < 12; ++k) {
        const auto at = static_cast<std::size_t>((0.2 + 0.0093 * k) * 44100);
        std::vector<float> x(at + 8820, 0.0f);
        std::mt19937 random(12345);
        std::uniform_real_distribution<float> uniform(-0.5f, 0.5f);
        for (std::size_t i = at; i < x.size(); ++i)
            x[i] = uniform(random);
        const std::vector<float> y = shiftOffline(x, 1, options, semitones);
        const auto onset = static_cast<std::size_t>(
            std::find_if(y.begin(), y.end(), [](float v) { return std::fabs(v) > 0.05f; }) -
            y.begin());
        const double shift =
            (static_cast<double>(onset) - static_cast<double>(at)) * 1000.0 / 44100;
        worst = std::max(worst, std::fabs(shift));
    }
    return worst;
}

// Offline pitch +3 on 2 s stereo with each setting; counters give the worst
// onset move at +3 and +12.
void BM_PitchSettingsTwoSeconds(benchmark::State& state) {
    const PitchSetting& setting = PitchSettings[state.range(0)];
    state.SetLabel(setting.name);
    const std::vector<float> source = stereoNoise(2.0, 44100);
    for (auto _ : state)
        benchmark::DoNotOptimize(shiftOffline(source, 2, setting.options, 3.0).data());
    state.counters["onset_ms_plus3"] = worstOnsetShiftMs(setting.options, 3.0);
    state.counters["onset_ms_plus12"] = worstOnsetShiftMs(setting.options, 12.0);
}
BENCHMARK(BM_PitchSettingsTwoSeconds)
    ->ArgName("setting")
    ->DenseRange(0, std::size(PitchSettings) - 1)
    ->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
