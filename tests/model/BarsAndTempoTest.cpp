#include "ModelFixture.h"

#include <random>

namespace {

int32_t barLength(const TDRComp& song, int bar) {
    return song.Bar(bar + 1).StartMs - song.Bar(bar).StartMs;
}

} // namespace

TEST(BarsAndTempo, NewSongHasElevenBarsAtTempo120) {
    TDRComp song;
    EXPECT_EQ(song.LastBar, 10);
    EXPECT_EQ(song.InitialTempo->Tempo, 120);
    for (int i = 0; i <= 10; ++i) {
        EXPECT_EQ(song.Bar(i).StartMs, 2000 * i);
        EXPECT_EQ(song.Bar(i).StartTempo, song.InitialTempo.get());
    }
    expectInvariants(song);
}

TEST(BarsAndTempo, SegmentsAreTruncatedSeparately) {
    TDRComp song;
    song.InitialTempo->Tempo = 7;
    song.RecomputeBarTimes(0);
    song.RefreshHitsFrom(0);
    EXPECT_EQ(barLength(song, 2), 240000 / 7);

    song.AddTempo(makeTempo(7, 2, 500), true);
    EXPECT_EQ(barLength(song, 2), 2 * (120000 / 7));
    EXPECT_EQ(barLength(song, 2), 240000 / 7 - 1);
    EXPECT_EQ(barLength(song, 3), 240000 / 7);
    expectInvariants(song);
}

TEST(BarsAndTempo, ChangeInsideBarTimesItsSecondHalf) {
    TDRComp song;
    TDRTempo* change = song.AddTempo(makeTempo(60, 1, 500), true);
    EXPECT_EQ(change->TimeMs, 2000 + 1000);
    EXPECT_EQ(barLength(song, 1), 3000);
    EXPECT_EQ(song.Bar(2).StartTempo, change);
    EXPECT_EQ(barLength(song, 2), 4000);

    struct Case {
        int bar, tick, ms;
    };
    const Case cases[] = {
        {1, 0, 2000},   {1, 499, 2998}, {1, 500, 3000}, // a change exactly at the tick applies
        {1, 501, 3004}, {1, 999, 4996}, {2, 0, 5000},   {2, 250, 6000},
    };
    for (const Case& c : cases)
        EXPECT_EQ(song.PositionToMs(c.bar, c.tick), c.ms) << c.bar << ":" << c.tick;

    // A time equal to the change's time is converted with the tempo before it.
    EXPECT_EQ(song.MsToPosition(3000, 0), (TDRPosition{1, 500}));
    EXPECT_EQ(song.MsToPosition(3004, 1), (TDRPosition{1, 501}));
    EXPECT_EQ(song.MsToPosition(5000, 0), (TDRPosition{2, 0}));
    EXPECT_EQ(song.MsToPosition(4999, 0), (TDRPosition{1, 999}));

    std::unique_ptr<TDRTempo> back = song.RemoveTempo(change, true);
    ASSERT_EQ(back.get(), change);
    EXPECT_TRUE(song.Bar(1).TempoChanges.empty());
    EXPECT_EQ(song.Bar(5).StartMs, 10000);
    expectInvariants(song);
}

TEST(BarsAndTempo, ConversionsGrowTheSong) {
    TDRComp song;
    EXPECT_EQ(song.PositionToMs(15, 0), 30000);
    EXPECT_EQ(song.LastBar, 25);

    TDRComp other;
    // Bar 10 starts at 20000; 45001 lies in bar 22, so the song grows by 10
    // bars twice.
    EXPECT_EQ(other.MsToPosition(45001, 0), (TDRPosition{22, 500}));
    EXPECT_EQ(other.LastBar, 30);
    EXPECT_EQ(other.MsToPosition(20000, 3), (TDRPosition{10, 0}));
    expectInvariants(other);
}

TEST(BarsAndTempo, TempoAtIgnoresAChangeAtTheTickItself) {
    TDRComp song;
    TDRTempo* atZero = song.AddTempo(makeTempo(90, 4, 0), true);
    TDRTempo* later = song.AddTempo(makeTempo(150, 4, 600), true);
    EXPECT_EQ(song.TempoAt(4, 0), song.InitialTempo.get());
    EXPECT_EQ(song.TempoAt(4, 1), atZero);
    EXPECT_EQ(song.TempoAt(4, 600), atZero);
    EXPECT_EQ(song.TempoAt(4, 601), later);
    EXPECT_EQ(song.TempoAt(5, 0), later);
    EXPECT_EQ(song.PositionToMs(4, 0), song.Bar(4).StartMs);
    // Past the end: the last bar's start tempo, changes inside it unseen.
    song.AddTempo(makeTempo(77, song.LastBar, 10), true);
    EXPECT_EQ(song.TempoAt(song.LastBar + 5, 0), song.Bar(song.LastBar).StartTempo);
}

TEST(BarsAndTempo, AddTempoPastTheEndGrowsAndKeepsTickOrder) {
    TDRComp song;
    song.AddTempo(makeTempo(100, 20, 700), false);
    EXPECT_EQ(song.LastBar, 30);
    song.AddTempo(makeTempo(110, 20, 100), false);
    song.AddTempo(makeTempo(105, 20, 400), false);
    song.RecomputeBarTimes(20);
    song.RefreshHitsFrom(20);
    const auto& changes = song.Bar(20).TempoChanges;
    ASSERT_EQ(changes.size(), 3u);
    EXPECT_EQ(changes[0]->Tick, 100);
    EXPECT_EQ(changes[1]->Tick, 400);
    EXPECT_EQ(changes[2]->Tick, 700);
    expectInvariants(song);
}

TEST(BarsAndTempo, PositionArithmetic) {
    struct Case {
        TDRPosition a, b, difference, sum;
    };
    const Case cases[] = {
        {{3, 200}, {2, 900}, {0, 300}, {6, 100}},
        {{2, 900}, {3, 200}, {-1, 700}, {6, 100}},
        {{5, 0}, {5, 0}, {0, 0}, {10, 0}},
        {{0, 999}, {0, 1}, {0, 998}, {1, 0}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SubtractPositions(c.a, c.b), c.difference);
        EXPECT_EQ(AddPositions(c.a, c.b), c.sum);
    }
    EXPECT_EQ(AddPositions({2, 900}, {0, 300}), (TDRPosition{3, 200}));
}

TEST(BarsAndTempo, BisectionMatchesTheBarScanOnARandomTempoMap) {
    std::mt19937 rng(1234);
    TDRComp song;
    song.InitialTempo->Tempo = 97;
    song.RecomputeBarTimes(0);
    const int tempos[] = {1, 7, 13, 60, 120, 333, 999, 10000};
    for (int i = 0; i < 120; ++i) {
        int bar = static_cast<int>(rng() % 60);
        int tick = static_cast<int>(rng() % 1000);
        song.AddTempo(makeTempo(tempos[rng() % 8], bar, tick), false);
    }
    // A bar of zero duration: tempo 10000 with a change every 10 ticks
    // leaves every segment shorter than a millisecond.
    for (int tick = 0; tick < 1000; tick += 10)
        song.AddTempo(makeTempo(10000, 70, tick), false);
    song.AddTempo(makeTempo(120, 72, 0), false);
    song.RecomputeBarTimes(0);
    song.RefreshHitsFrom(0);
    ASSERT_EQ(song.Bar(71).StartMs, song.Bar(70).StartMs);
    expectInvariants(song);

    const int32_t end = song.Bar(song.LastBar).StartMs;
    for (int i = 0; i < 3000; ++i) {
        const auto ms = static_cast<int32_t>(rng() % static_cast<uint32_t>(end));
        // Any bar that starts no later than the time may begin the scan.
        const int32_t barOfMs = linearMsToPosition(song, ms, 0).Bar;
        const auto fromBar = static_cast<int32_t>(rng() % static_cast<uint32_t>(barOfMs + 1));
        TDRPosition expected = linearMsToPosition(song, ms, fromBar);
        TDRPosition got = song.MsToPosition(ms, fromBar);
        ASSERT_EQ(got, expected) << "ms " << ms;
        EXPECT_GE(got.Tick, 0);
        EXPECT_LE(got.Tick, 999);
        EXPECT_LE(song.PositionToMs(got.Bar, got.Tick), ms);
    }
}

TEST(BarsAndTempo, ClearSongKeepsTheCutOffMap) {
    TDRComp song;
    buildCutOffMap(song);
    setCutOff(song, 0, 0, {groupItem(0)});
    song.InitialTempo->Tempo = 80;
    song.AddTempo(makeTempo(60, 3, 0), true);
    song.AddHit(makeHit(0, 1, 40, 0, 500));
    song.ClearSong();

    EXPECT_EQ(song.LastBar, 10);
    EXPECT_EQ(song.InitialTempo->Tempo, 120);
    EXPECT_EQ(song.Bar(10).StartMs, 20000);
    EXPECT_EQ(countHits(song), 0);
    EXPECT_TRUE(song.UndoList.empty());
    ASSERT_EQ(song.CutOffMap.size(), 3u);
    EXPECT_TRUE(song.CutsOff(0, 0, 0, 2));
    expectInvariants(song);
}
