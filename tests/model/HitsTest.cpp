#include "ModelFixture.h"

namespace {

// At tempo 240 a tick lasts 1 ms and a bar 1000 ms, so ticks read as times.
class HitsTest : public SongTest {
protected:
    void SetUp() override {
        SongTest::SetUp();
        song.InitialTempo->Tempo = 240;
        song.RecomputeBarTimes(0);
        song.RefreshHitsFrom(0);
        setCutOff(song, 0, 0, {groupItem(0)});     // closed hi-hat silences the hi-hats
        setCutOff(song, 2, 0, {sampleItem(2, 1)}); // one tom silences the other
    }
};

enum class Order { CutterAddedLater, VictimAddedLater };

} // namespace

TEST_F(HitsTest, PlacingDerivesTimesAndEnd) {
    TDRHit* h = add(1, 0, 2, 500, 1750);
    EXPECT_EQ(h->StartMs, 2500);
    EXPECT_EQ(h->StopMs, 4250);
    EXPECT_EQ(h->End(), (TDRPosition{4, 250}));
    EXPECT_EQ(song.MaxSpan, 2);
    EXPECT_EQ(song.Bar(4).EndingHits.size(), 1u);

    // A long sample far out grows the song to hold its end.
    TDRHit* far = add(1, 0, 30, 0, 5000);
    EXPECT_EQ(far->End(), (TDRPosition{35, 0}));
    EXPECT_GE(song.LastBar, 40);
    EXPECT_EQ(song.MaxSpan, 5);
    song.DeleteHit(far);
    song.DeleteHit(h);
    EXPECT_EQ(song.MaxSpan, 5); // it never shrinks
    expectInvariants(song);
}

TEST_F(HitsTest, CutOffBoundsDependOnWhichHitCameFirst) {
    // Victim: open hi-hat at 0 ms sounding 1000 ms. Cutter: closed hi-hat.
    struct Case {
        int cutterTick;
        bool cutWhenCutterAddedLater;
        bool cutWhenVictimAddedLater;
    };
    const Case cases[] = {
        {5, false, false}, {9, false, false},  {10, true, true},   {500, true, true},
        {990, true, true}, {991, true, false}, {999, true, false}, {1000, false, false},
    };
    for (const Case& c : cases) {
        for (Order order : {Order::CutterAddedLater, Order::VictimAddedLater}) {
            song.ClearSong();
            song.InitialTempo->Tempo = 240;
            song.RecomputeBarTimes(0);
            TDRHit* victim = nullptr;
            TDRHit* cutter = nullptr;
            if (order == Order::CutterAddedLater) {
                victim = add(0, 1, 0, 0, 1000);
                cutter = add(0, 0, c.cutterTick / 1000, c.cutterTick % 1000, 50);
            } else {
                cutter = add(0, 0, c.cutterTick / 1000, c.cutterTick % 1000, 50);
                victim = add(0, 1, 0, 0, 1000);
            }
            const bool expected = order == Order::CutterAddedLater ? c.cutWhenCutterAddedLater
                                                                   : c.cutWhenVictimAddedLater;
            SCOPED_TRACE(testing::Message()
                         << "cutter at " << c.cutterTick << " ms, "
                         << (order == Order::CutterAddedLater ? "cutter" : "victim")
                         << " added later");
            EXPECT_EQ(victim->Cutter == cutter, expected);
            EXPECT_EQ(victim->StopMs, expected ? c.cutterTick : 1000);
            if (expected) {
                EXPECT_EQ(TDRPosition(victim->CutBar, victim->CutTick), cutter->Start());
            }
            expectInvariants(song);
        }
    }
}

TEST_F(HitsTest, ReplacingAHitDoesNotFindACutterCloserThanTenMs) {
    TDRHit* victim = add(0, 1, 0, 0, 1000);
    TDRHit* cutter = add(0, 0, 0, 995, 50);
    ASSERT_EQ(victim->Cutter, cutter);
    // Re-time the song without changing it: the victim is re-placed and the
    // 5 ms cutter is no longer found.
    song.RecomputeBarTimes(0);
    song.RefreshHitsFrom(0);
    EXPECT_EQ(victim->Cutter, nullptr);
    EXPECT_EQ(victim->StopMs, 1000);
    EXPECT_TRUE(cutter->CutHits.empty());
    expectInvariants(song);
}

TEST_F(HitsTest, CutOffFollowsTheCutOffListsOnly) {
    TDRHit* open = add(0, 1, 0, 0, 1000);
    TDRHit* snare = add(1, 0, 0, 0, 1000);
    TDRHit* tom1 = add(2, 1, 0, 0, 1000);
    TDRHit* tom0 = add(2, 0, 0, 0, 1000);
    add(0, 0, 0, 200, 50); // closed hi-hat: silences group 0
    add(2, 0, 0, 300, 50); // tom 0: silences tom 1 only
    add(2, 1, 0, 400, 50); // tom 1: silences nothing
    EXPECT_EQ(open->StopMs, 200);
    EXPECT_EQ(snare->StopMs, 1000);
    EXPECT_EQ(tom1->StopMs, 300);
    EXPECT_EQ(tom0->StopMs, 1000);
    expectInvariants(song);
}

TEST_F(HitsTest, DeletingACutterHandsTheVictimToTheNextOne) {
    TDRHit* victim = add(0, 1, 0, 0, 1000);
    TDRHit* first = add(0, 0, 0, 300, 100);
    TDRHit* second = add(0, 0, 0, 600, 100);
    ASSERT_EQ(victim->Cutter, first);

    std::unique_ptr<TDRHit> kept;
    song.SuspendJournal();
    kept = song.DeleteHit(first);
    ASSERT_EQ(kept.get(), first);
    EXPECT_EQ(victim->Cutter, second);
    EXPECT_EQ(victim->StopMs, 600);

    kept = song.DeleteHit(second);
    EXPECT_EQ(victim->Cutter, nullptr);
    EXPECT_EQ(victim->StopMs, 1000);
    // A second delete of a hit that left the song changes nothing.
    EXPECT_EQ(song.DeleteHit(second), nullptr);
    song.ResumeJournal();
    expectInvariants(song);
}

TEST_F(HitsTest, FixedLengthStopsTheHitAndShieldsItFromCutting) {
    TDRHit* fixed = add(0, 1, 0, 100, 1000, 300);
    add(0, 0, 0, 200, 50);
    EXPECT_EQ(fixed->Cutter, nullptr);
    EXPECT_EQ(fixed->StopMs, 400);
    EXPECT_EQ(TDRPosition(fixed->CutBar, fixed->CutTick), (TDRPosition{0, 400}));

    // A fixed length not shorter than the sample reverts to none.
    TDRHit* tooLong = add(0, 1, 1, 0, 1000, 1000);
    TDRHit* closed = add(0, 0, 1, 500, 50);
    EXPECT_EQ(tooLong->FixedLength, -1);
    EXPECT_EQ(tooLong->Cutter, closed);
    expectInvariants(song);
}

TEST_F(HitsTest, FindHitAtCoversStartToNaturalEnd) {
    TDRHit* h = add(1, 0, 2, 500, 1000); // ends at bar 3 tick 500
    add(0, 0, 3, 100, 10);
    struct Case {
        int group, sample, bar, tick;
        bool found;
    };
    const Case cases[] = {
        {1, 0, 2, 500, true}, {1, 0, 2, 499, false},  {1, 0, 3, 499, true},  {1, 0, 3, 500, false},
        {1, -1, 3, 0, true},  {0, -1, 2, 600, false}, {1, 1, 2, 600, false}, {1, 0, 99, 0, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(song.FindHitAt(c.group, c.sample, c.bar, c.tick) == h, c.found)
            << c.group << "/" << c.sample << " at " << c.bar << ":" << c.tick;
}

TEST_F(HitsTest, TempoChangesMoveEndsBetweenBarsAndRelinkCutters) {
    TDRHit* victim = add(0, 1, 0, 900, 90); // ends at bar 0 tick 990
    TDRHit* closed = add(0, 0, 1, 20, 50);  // starts after the victim's end
    ASSERT_EQ(victim->Cutter, nullptr);

    // Faster from tick 950 on: the victim now ends in bar 1 and reaches the
    // closed hi-hat.
    TDRTempo* faster = song.AddTempo(makeTempo(960, 0, 950), true);
    EXPECT_EQ(victim->End(), (TDRPosition{1, 112}));
    EXPECT_TRUE(song.Bar(0).EndingHits.empty());
    EXPECT_EQ(victim->Cutter, closed);
    expectInvariants(song);

    // Back to the old tempo: the end returns to bar 0 and the cutter is lost.
    std::unique_ptr<TDRTempo> removed = song.RemoveTempo(faster, true);
    EXPECT_EQ(victim->End(), (TDRPosition{0, 990}));
    EXPECT_EQ(victim->Cutter, nullptr);
    EXPECT_EQ(victim->StopMs, 990);
    expectInvariants(song);
}

TEST_F(HitsTest, CutsOffChecksRowBounds) {
    struct Case {
        int cg, cs, vg, vs;
        bool expected;
    };
    const Case cases[] = {
        {0, 0, 0, 1, true},  {0, 0, 0, 0, true},  {0, 0, 1, 0, false},  {2, 0, 2, 1, true},
        {2, 0, 2, 0, false}, {2, 1, 2, 1, false}, {-1, 0, 0, 1, false}, {0, 3, 0, 1, false},
        {0, 0, 3, 0, false}, {0, 0, 0, 3, false}, {0, 0, -1, 0, false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(song.CutsOff(c.cg, c.cs, c.vg, c.vs), c.expected)
            << c.cg << "/" << c.cs << " -> " << c.vg << "/" << c.vs;
}

TEST_F(HitsTest, RubberBandSelectionKeepsEarlierSelections) {
    TDRHit* a = add(0, 1, 1, 100, 10);
    TDRHit* b = add(1, 0, 1, 500, 10);
    TDRHit* c = add(2, 1, 2, 0, 10);
    TDRHit* earlier = add(0, 2, 1, 300, 10);
    earlier->Selected = true; // selected by other means, not in the list

    std::vector<TDRHit*> list;
    EXPECT_TRUE(song.SelectHitsInRange(list, {1, 0, 0, 0}, {2, 0, 2, 1}, 0, 3));
    EXPECT_EQ(list.size(), 3u);
    EXPECT_TRUE(a->Selected && b->Selected && c->Selected);
    EXPECT_FALSE(song.SelectHitsInRange(list, {1, 0, 0, 0}, {2, 0, 2, 1}, 0, 3));

    // Shrinking to group 1 drops what it left; the earlier selection stays.
    EXPECT_TRUE(song.SelectHitsInRange(list, {0, 0, 1, 0}, {5, 0, 1, 9}, 0, 3));
    EXPECT_EQ(list, std::vector<TDRHit*>{b});
    EXPECT_FALSE(a->Selected);
    EXPECT_FALSE(c->Selected);

    // An empty rectangle deselects the rest of the list only.
    EXPECT_TRUE(song.SelectHitsInRange(list, {3, 0, 2, 0}, {1, 0, 0, 0}, -4, 99));
    EXPECT_TRUE(list.empty());
    EXPECT_FALSE(b->Selected);
    EXPECT_TRUE(earlier->Selected);
}

TEST_F(HitsTest, BarCursorWalksStartingHitsInTickOrder) {
    add(1, 0, 4, 700, 10);
    add(1, 0, 4, 100, 10);
    add(1, 0, 4, 400, 10);
    std::vector<int> ticks;
    for (TDRHit* h = song.FirstHitInBar(4); h != nullptr; h = song.NextHitInBar())
        ticks.push_back(h->StartTick);
    EXPECT_EQ(ticks, (std::vector<int>{100, 400, 700}));
    EXPECT_EQ(song.FirstHitInBar(5), nullptr);
    EXPECT_EQ(song.NextHitInBar(), nullptr);
    EXPECT_EQ(song.FirstHitInBar(-1), nullptr);
    EXPECT_EQ(song.NextHitInBar(), nullptr);
    EXPECT_EQ(song.FirstHitInBar(song.LastBar + 1), nullptr);
}
