#include "ModelFixture.h"

#include <random>

using BarEditingTest = SongTest;

TEST_F(BarEditingTest, InsertingMovesLaterContentAndKeepsTheTempoInEffect) {
    TDRTempo* slow = song.AddTempo(makeTempo(60, 2, 500), true);
    TDRTempo* later = song.AddTempo(makeTempo(90, 5, 0), true);
    TDRHit* h = add(1, 0, 5, 100, 100);
    const int32_t bar3Start = song.Bar(3).StartMs;

    song.InsertBars(3, 2, true);
    EXPECT_EQ(h->Start(), (TDRPosition{7, 100}));
    EXPECT_EQ(song.LastBar, 12);
    EXPECT_TRUE(song.Bar(3).StartingHits.empty());
    EXPECT_EQ(song.Bar(3).StartMs, bar3Start);
    EXPECT_EQ(song.Bar(3).StartTempo, slow);
    EXPECT_EQ(song.Bar(4).StartMs - song.Bar(3).StartMs, 4000);
    EXPECT_EQ(later->Bar, 7);
    ASSERT_EQ(song.UndoList.back().Kind, jkBarsInserted);
    EXPECT_EQ(song.UndoList.back().Bar, 3);
    EXPECT_EQ(song.UndoList.back().Count, 2);
    expectInvariants(song);

    song.Undo();
    EXPECT_EQ(h->Start(), (TDRPosition{5, 100}));
    EXPECT_EQ(later->Bar, 5);
    EXPECT_EQ(song.LastBar, 10);
    expectInvariants(song);
}

TEST_F(BarEditingTest, AHitSoundingIntoTheInsertionPointKeepsItsStart) {
    TDRHit* longHit = add(1, 0, 2, 900, 1000); // 5800 ms .. 6800 ms = bar 3 tick 400
    TDRHit* after = add(2, 0, 3, 0, 100);
    song.InsertBars(3, 1, true);
    EXPECT_EQ(longHit->Start(), (TDRPosition{2, 900}));
    EXPECT_EQ(longHit->End(), (TDRPosition{3, 400}));
    EXPECT_EQ(song.Bar(3).EndingHits, std::vector<TDRHit*>{longHit});
    EXPECT_EQ(after->Start(), (TDRPosition{4, 0}));
    expectInvariants(song);
}

TEST_F(BarEditingTest, InsertingPastTheEndFillsTheGap) {
    song.InsertBars(30, 5, true);
    EXPECT_EQ(song.LastBar, 34);
    ASSERT_EQ(song.UndoList.size(), 1u);
    EXPECT_EQ(song.UndoList[0].Bar, 11);
    EXPECT_EQ(song.UndoList[0].Count, 24);
    EXPECT_EQ(song.Bar(34).StartMs, 68000);
    song.Undo();
    EXPECT_EQ(song.LastBar, 10);
    expectInvariants(song);
}

TEST_F(BarEditingTest, DeletingABarDropsItsTempoChangeForGood) {
    song.AddTempo(makeTempo(60, 3, 0), true);
    TDRHit* inBar = add(1, 0, 3, 500, 100);
    TDRHit* later = add(2, 0, 6, 0, 100);
    song.DeleteBars(3, 1, true);
    EXPECT_EQ(later->Start(), (TDRPosition{5, 0}));
    EXPECT_EQ(later->StartMs, 10000);
    EXPECT_FALSE(inBar->InSong);
    EXPECT_EQ(song.LastBar, 9);
    expectInvariants(song);

    song.Undo();
    EXPECT_EQ(song.LastBar, 10);
    EXPECT_EQ(later->Start(), (TDRPosition{6, 0}));
    EXPECT_EQ(inBar->Start(), (TDRPosition{3, 500}));
    EXPECT_TRUE(inBar->InSong);
    EXPECT_TRUE(song.Bar(3).TempoChanges.empty());
    EXPECT_EQ(later->StartMs, 12000);
    expectInvariants(song);

    song.Redo();
    EXPECT_EQ(later->Start(), (TDRPosition{5, 0}));
    EXPECT_FALSE(inBar->InSong);
    expectInvariants(song);
}

TEST_F(BarEditingTest, ABarPastTheNewEndSurvivesWhileAHitEndsInIt) {
    song.InsertBars(11, 1, false);     // bars 0..11
    TDRHit* h = add(1, 0, 7, 0, 5000); // ends at bar 9 tick 500
    song.DeleteBars(8, 13, true);
    EXPECT_EQ(song.LastBar, 9);
    ASSERT_EQ(song.UndoList.back().Kind, jkBarsDeleted);
    EXPECT_EQ(song.UndoList.back().Bar, 10);
    EXPECT_EQ(song.UndoList.back().Count, 2);
    EXPECT_EQ(h->End(), (TDRPosition{9, 500}));
    expectInvariants(song);
    song.Undo();
    EXPECT_EQ(song.LastBar, 11);
    expectInvariants(song);
}

TEST_F(BarEditingTest, DeletingEverythingFromBarZeroLeavesOneBar) {
    add(1, 0, 0, 0, 100);
    add(1, 0, 4, 0, 100);
    song.DeleteBars(0, 50, true);
    EXPECT_EQ(song.LastBar, 0);
    EXPECT_EQ(countHits(song), 0);
    song.Undo();
    EXPECT_EQ(song.LastBar, 10);
    EXPECT_EQ(countHits(song), 2);
    expectInvariants(song);
}

TEST_F(BarEditingTest, DeletingOutsideTheSongDoesNothing) {
    add(1, 0, 2, 0, 100);
    const size_t entries = song.UndoList.size();
    struct Case {
        int at, count;
    };
    for (Case c : {Case{-1, 1}, Case{11, 1}, Case{3, 0}, Case{3, -2}}) {
        song.DeleteBars(c.at, c.count, true);
        EXPECT_EQ(song.LastBar, 10) << c.at << "," << c.count;
        EXPECT_EQ(song.UndoList.size(), entries);
    }
}

TEST_F(BarEditingTest, StiahniHitsShiftsProportionally) {
    TDRHit* atStart = add(1, 0, 0, 0, 10);
    TDRHit* middle = add(1, 0, 2, 0, 10);
    TDRHit* atEnd = add(1, 0, 4, 0, 10);
    song.StiahniHits(0, 4, 100);
    EXPECT_EQ(atStart->Start(), (TDRPosition{0, 0}));
    EXPECT_EQ(middle->Start(), (TDRPosition{1, 950}));
    EXPECT_EQ(atEnd->Start(), (TDRPosition{3, 900}));
    expectInvariants(song);

    // Pushing later: (7800 ms - 0) * -100 div 8000 truncates to -97 ticks.
    song.StiahniHits(0, 4, -100);
    EXPECT_EQ(atEnd->Start(), (TDRPosition{3, 997}));
    EXPECT_EQ(middle->Start(), (TDRPosition{1, 998}));
    // Requires startBar < endBar <= LastBar.
    song.StiahniHits(4, 4, 100);
    song.StiahniHits(2, 11, 100);
    EXPECT_EQ(atEnd->Start(), (TDRPosition{3, 997}));
    expectInvariants(song);
}

TEST_F(BarEditingTest, StiahniHitsWithLargeShiftsKeepsTheSongSound) {
    // Pulled far earlier: hits stop at the start of the song.
    TDRHit* pulled = add(1, 0, 1, 500, 10);
    song.StiahniHits(1, 2, 10000);
    EXPECT_EQ(pulled->Start(), (TDRPosition{0, 0}));
    expectInvariants(song);

    // Shifts larger than the span reverse the order within a bar; the bar
    // lists stay sorted.
    TDRHit* a = add(1, 0, 2, 100, 10);
    TDRHit* b = add(1, 0, 2, 500, 10);
    song.StiahniHits(2, 3, 3000);
    EXPECT_EQ(a->Start(), (TDRPosition{1, 800}));
    EXPECT_EQ(b->Start(), (TDRPosition{1, 0}));
    expectInvariants(song);

    // Pushed past the last bar: the song grows to hold them.
    TDRHit* pushed = add(1, 0, 9, 500, 10);
    song.StiahniHits(8, 9, -10000);
    EXPECT_GT(pushed->StartBar, 10);
    EXPECT_LE(pushed->StartBar, song.LastBar);
    expectInvariants(song);
}
