// Speed of the song model on a large song: 10,000 bars with 16 hits each,
// open hi-hats cut off by closed ones.
#include "model/SongModel.h"

#include <array>
#include <benchmark/benchmark.h>
#include <memory>
#include <random>
#include <sys/resource.h>

namespace {

constexpr int kBars = 10000;

const TDrumsetItem* item(int n) {
    static std::array<char, 64> storage{};
    return reinterpret_cast<const TDrumsetItem*>(&storage.at(static_cast<size_t>(n)));
}

// Rows: 0 hi-hat (closed, open, pedal), 1 kick, 2 snare, 3 toms (two).
void buildCutOffMap(TDRComp& song) {
    const int samples[] = {3, 1, 1, 2};
    for (int g = 0; g < 4; ++g) {
        TDRKomGroup kg;
        kg.Group = item(g);
        for (int s = 0; s < samples[g]; ++s)
            kg.Samples.push_back({item(10 + 10 * g + s), {}});
        song.CutOffMap.push_back(kg);
    }
    song.CutOffMap[0].Samples[0].CutOff = {item(0)};       // closed hi-hat silences hi-hats
    song.CutOffMap[3].Samples[0].CutOff = {item(10 + 31)}; // tom 0 silences tom 1
}

struct PatternHit {
    int group, sample, tick, lengthMs;
};

constexpr PatternHit kPattern[] = {
    {0, 0, 0, 150},   {0, 1, 125, 800}, {0, 0, 250, 150}, {0, 1, 375, 800},
    {0, 0, 500, 150}, {0, 1, 625, 800}, {0, 0, 750, 150}, {0, 1, 875, 800},
    {1, 0, 0, 400},   {1, 0, 500, 400}, {2, 0, 250, 300}, {2, 0, 750, 300},
    {0, 2, 125, 100}, {0, 2, 625, 100}, {3, 1, 900, 600}, {3, 0, 950, 600},
};

void fillSong(TDRComp& song) {
    buildCutOffMap(song);
    for (int bar = 0; bar < kBars; ++bar) {
        for (const PatternHit& p : kPattern) {
            auto h = std::make_unique<TDRHit>();
            h->Group = p.group;
            h->Sample = p.sample;
            h->StartBar = bar;
            h->StartTick = p.tick;
            h->LengthMs = p.lengthMs;
            song.AddHit(std::move(h));
        }
    }
}

TDRComp& sharedSong() {
    static TDRComp* song = [] {
        auto* s = new TDRComp;
        fillSong(*s);
        return s;
    }();
    return *song;
}

void BM_BuildWithAddHit(benchmark::State& state) {
    for (auto _ : state) {
        auto song = std::make_unique<TDRComp>();
        fillSong(*song);
        benchmark::DoNotOptimize(song->LastBar);
        state.PauseTiming();
        song.reset();
        state.ResumeTiming();
    }
    state.counters["hits"] = kBars * 16;
}
BENCHMARK(BM_BuildWithAddHit)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_TempoChangeAtBar100(benchmark::State& state) {
    TDRComp& song = sharedSong();
    for (auto _ : state) {
        auto change = std::make_unique<TDRTempo>();
        change->Tempo = 97;
        change->Bar = 100;
        change->Tick = 500;
        TDRTempo* added = song.AddTempo(std::move(change), true);
        state.PauseTiming();
        song.RemoveTempo(added, true);
        state.ResumeTiming();
    }
}
BENCHMARK(BM_TempoChangeAtBar100)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_FindHitAt(benchmark::State& state) {
    TDRComp& song = sharedSong();
    std::mt19937 rng(7);
    for (auto _ : state) {
        const int bar = static_cast<int>(rng() % kBars);
        const int tick = static_cast<int>(rng() % 1000);
        benchmark::DoNotOptimize(song.FindHitAt(0, 1, bar, tick));
    }
}
BENCHMARK(BM_FindHitAt);

void BM_MsToPositionFromBarZero(benchmark::State& state) {
    TDRComp& song = sharedSong();
    const int32_t ms = song.Bar(9000).StartMs + 1234;
    for (auto _ : state)
        benchmark::DoNotOptimize(song.MsToPosition(ms, 0));
}
BENCHMARK(BM_MsToPositionFromBarZero);

void BM_DeleteHalfTheBarsThenUndo(benchmark::State& state) {
    TDRComp& song = sharedSong();
    for (auto _ : state) {
        song.DeleteBars(2000, 5000, true);
        song.Undo();
    }
}
BENCHMARK(BM_DeleteHalfTheBarsThenUndo)->Unit(benchmark::kMillisecond)->Iterations(3);

void BM_PeakMemory(benchmark::State& state) {
    sharedSong();
    for (auto _ : state) {
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_rss_MiB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}
BENCHMARK(BM_PeakMemory)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
