// Shared helpers for the song model tests: a song with a small cut-off map,
// hit factories and a checker for the model's structural invariants.
#pragma once

#include "model/SongModel.h"

#include <array>
#include <gtest/gtest.h>
#include <initializer_list>
#include <memory>

// Stand-ins for drumset items: the model only compares their addresses.
inline const TDrumsetItem* fakeItem(int n) {
    static std::array<char, 64> storage{};
    return reinterpret_cast<const TDrumsetItem*>(&storage.at(static_cast<size_t>(n)));
}

// Rows used by the tests:
//   group 0 "hi-hat": sample 0 closed, sample 1 open, sample 2 pedal
//   group 1 "snare":  sample 0
//   group 2 "toms":   sample 0, sample 1
// Items: groups are 0..2, samples are 10 + 10 * group + sample.
inline const TDrumsetItem* groupItem(int g) {
    return fakeItem(g);
}
inline const TDrumsetItem* sampleItem(int g, int s) {
    return fakeItem(10 + 10 * g + s);
}

inline void buildCutOffMap(TDRComp& song) {
    song.ClearCutOffMap();
    const int sampleCounts[] = {3, 1, 2};
    for (int g = 0; g < 3; ++g) {
        TDRKomGroup kg;
        kg.Group = groupItem(g);
        for (int s = 0; s < sampleCounts[g]; ++s)
            kg.Samples.push_back({sampleItem(g, s), {}});
        song.CutOffMap.push_back(kg);
    }
}

inline void setCutOff(TDRComp& song, int g, int s,
                      std::initializer_list<const TDrumsetItem*> refs) {
    song.CutOffMap.at(static_cast<size_t>(g)).Samples.at(static_cast<size_t>(s)).CutOff = refs;
}

inline std::unique_ptr<TDRHit> makeHit(int group, int sample, int bar, int tick, int lengthMs,
                                       int fixedLength = -1) {
    auto h = std::make_unique<TDRHit>();
    h->Group = group;
    h->Sample = sample;
    h->StartBar = bar;
    h->StartTick = tick;
    h->LengthMs = lengthMs;
    h->FixedLength = fixedLength;
    return h;
}

inline std::unique_ptr<TDRTempo> makeTempo(int tempo, int bar, int tick) {
    auto t = std::make_unique<TDRTempo>();
    t->Tempo = tempo;
    t->Bar = bar;
    t->Tick = tick;
    return t;
}

inline int countHits(const TDRComp& song) {
    int n = 0;
    for (const auto& b : song.Bars)
        n += static_cast<int>(b->StartingHits.size());
    return n;
}

// MsToPosition computed by a plain scan over the bars, never growing the song.
TDRPosition linearMsToPosition(const TDRComp& song, int32_t ms, int32_t fromBar);

// Checks bar timing, list membership and order, hit timing and cut links.
void expectInvariants(TDRComp& song);

class SongTest : public ::testing::Test {
protected:
    void SetUp() override { buildCutOffMap(song); }

    TDRHit* add(int group, int sample, int bar, int tick, int lengthMs, int fixedLength = -1) {
        song.NewAction();
        return song.AddHit(makeHit(group, sample, bar, tick, lengthMs, fixedLength));
    }

    TDRComp song;
};
