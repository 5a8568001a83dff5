// TSongEditor::EditHitProperties and EditSelectionProperties: the hit
// properties dialog's results applied to the song.
#include "editor/HitProperties.h"

#include "EditorTestSupport.h"

#include <gtest/gtest.h>
#include <map>

namespace {

const std::string RowsFixture = std::string(EditorFixtureFolder) + "/rows.dum";

// At the song's initial 120 bpm a bar lasts 2000 ms and a tick 2 ms.
class HitPropertiesTest : public ::testing::Test {
protected:
    HitPropertiesTest() {
        const std::map<std::string, int32_t> lengths{
            {"Closed", 250}, {"Open", 1800}, {"Center", 400}};
        editor.setSampleLengthFunction(
            [lengths](TDrumsetItem& sample) { return lengths.at(sample.Caption); });
        editor.SetDrumsetFile(RowsFixture);
        editor.setHost(&host);
    }

    // A user action placing one hit, as the grid's mouse editing does.
    TDRHit* place(int32_t bar, int32_t tick, int32_t sample = 1, int32_t group = 0) {
        editor.Song.NewAction();
        TDRHit* hit = editor.Song.AddHit(editor.CreateHit(bar, tick, sample, group));
        editor.ClearSelection();
        return hit;
    }

    // What the dialog gives back for one hit left unchanged.
    static TPropResults unchanged(const TDRHit& hit) {
        TPropResults r;
        r.Bar = hit.StartBar;
        r.Tick = hit.StartTick;
        r.EndTime = hit.FixedLength > 0 ? hit.FixedLength : hit.LengthMs;
        r.Volume = hit.Volume;
        r.Panning = hit.Panning;
        r.BeforeFadeOut = hit.FadeTill;
        r.FadeOut = hit.FadeOut;
        return r;
    }

    bool startsIn(int32_t bar, const TDRHit* hit) {
        for (const auto& h : editor.Song.Bar(bar).StartingHits) {
            if (h.get() == hit) {
                return true;
            }
        }
        return false;
    }

    TSongEditor editor;
    RecordingHost host;
};

struct EndTimeCase {
    int32_t FixedBefore;
    int32_t EndTime;
    int32_t FixedAfter;
    int32_t StopMs;
    TDRPosition Cut;
};

class HitPropertiesEndTime : public HitPropertiesTest,
                             public ::testing::WithParamInterface<EndTimeCase> {};

// The "Open" hit lasts 1800 ms from 2000 ms (bar 1).
TEST_P(HitPropertiesEndTime, FixesOrFreesTheEnd) {
    const EndTimeCase c = GetParam();
    TDRHit* hit = place(1, 0);
    if (c.FixedBefore > 0) {
        TPropResults fix = unchanged(*hit);
        fix.EndTime = c.FixedBefore;
        editor.EditHitProperties(*hit, fix);
    }
    TPropResults r = unchanged(*hit);
    r.EndTime = c.EndTime;
    editor.EditHitProperties(*hit, r);

    EXPECT_EQ(hit->FixedLength, c.FixedAfter);
    EXPECT_EQ(hit->StopMs, c.StopMs);
    if (c.FixedAfter > 0) {
        EXPECT_EQ((TDRPosition{hit->CutBar, hit->CutTick}), c.Cut);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, HitPropertiesEndTime,
                         ::testing::Values(EndTimeCase{-1, 1800, -1, 3800, {}},
                                           EndTimeCase{900, 1800, -1, 3800, {}},
                                           EndTimeCase{-1, 1, 1, 2001, {1, 0}},
                                           EndTimeCase{-1, 900, 900, 2900, {1, 450}},
                                           EndTimeCase{900, 400, 400, 2400, {1, 200}}));

TEST_F(HitPropertiesTest, MovesTheSameRecordAndRetimesIt) {
    TDRHit* hit = place(1, 0);
    TDRHit* later = place(3, 600);
    TPropResults r;
    r.Bar = 3;
    r.Tick = 500;
    r.EndTime = 1800;
    r.Volume = 40;
    r.Panning = -20;
    r.BeforeFadeOut = 30;
    r.FadeOut = 400;
    editor.EditHitProperties(*hit, r);

    EXPECT_FALSE(startsIn(1, hit));
    ASSERT_TRUE(startsIn(3, hit));
    EXPECT_EQ(editor.Song.Bar(3).StartingHits.front().get(), hit); // tick order kept
    EXPECT_EQ(editor.Song.Bar(3).StartingHits.back().get(), later);
    EXPECT_EQ(hit->StartMs, 7000);
    EXPECT_EQ(hit->Volume, 40);
    EXPECT_EQ(hit->Panning, -20);
    EXPECT_EQ(hit->FadeTill, 30);
    EXPECT_EQ(hit->FadeOut, 400);
    EXPECT_TRUE(editor.Modified);
    EXPECT_EQ(host.allFlags() & dfHits, dfHits);
}

TEST_F(HitPropertiesTest, ValuesNotGivenAreKept) {
    TDRHit* hit = place(2, 100);
    hit->Volume = 70;
    hit->FadeTill = 20;
    editor.EditHitProperties(*hit, TPropResults{});
    EXPECT_TRUE(startsIn(2, hit));
    EXPECT_EQ(hit->StartTick, 100);
    EXPECT_EQ(hit->FixedLength, -1);
    EXPECT_EQ(hit->Volume, 70);
    EXPECT_EQ(hit->FadeTill, 20);
}

TEST_F(HitPropertiesTest, HitNoLongerInTheSongIsLeftAlone) {
    TDRHit* hit = place(1, 0);
    editor.Song.SuspendJournal();
    std::unique_ptr<TDRHit> removed = editor.Song.DeleteHit(hit);
    editor.Song.ResumeJournal();
    TPropResults r = unchanged(*removed);
    r.Volume = 10;
    editor.EditHitProperties(*removed, r);
    EXPECT_FALSE(removed->InSong);
    EXPECT_EQ(removed->Volume, 100);
    EXPECT_FALSE(editor.Modified);
}

// The edit itself is not undoable, and it must not leave the journal off for
// the hits added after it.
TEST_F(HitPropertiesTest, NextAddedHitIsStillUndoable) {
    TDRHit* hit = place(1, 0);
    const size_t entries = editor.Song.UndoList.size();
    TPropResults r = unchanged(*hit);
    r.Bar = 4;
    editor.EditHitProperties(*hit, r);
    EXPECT_FALSE(editor.Song.JournalSuspended);
    EXPECT_EQ(editor.Song.UndoList.size(), entries);

    TDRHit* next = place(6, 0);
    editor.UndoCommand();
    EXPECT_FALSE(next->InSong);
    EXPECT_TRUE(editor.Song.Bar(6).StartingHits.empty());
    EXPECT_TRUE(startsIn(4, hit));
    // The first hit's own addition still undoes from where it moved to.
    editor.UndoCommand();
    EXPECT_FALSE(hit->InSong);
    EXPECT_TRUE(editor.Song.Bar(4).StartingHits.empty());
}

TEST_F(HitPropertiesTest, SuspendedJournalStaysSuspended) {
    TDRHit* hit = place(1, 0);
    editor.Song.SuspendJournal();
    editor.EditHitProperties(*hit, unchanged(*hit));
    EXPECT_TRUE(editor.Song.JournalSuspended);
}

TEST_F(HitPropertiesTest, SelectionGetsTheSoundValuesInPlace) {
    TDRHit* a = place(1, 0);
    TDRHit* b = place(2, 300, 0, 1);
    TDRHit* other = place(5, 0);
    TPropResults fix = unchanged(*b);
    fix.EndTime = 100;
    editor.EditHitProperties(*b, fix);
    editor.Modified = false;
    editor.SelectHit(a);
    editor.SelectHit(b);
    const size_t entries = editor.Song.UndoList.size();

    TPropResults r;
    r.Bar = 7; // given, but a selection keeps its places
    r.Tick = 10;
    r.EndTime = 5;
    r.Volume = 55;
    r.Panning = 60;
    r.BeforeFadeOut = 250;
    r.FadeOut = 1200;
    editor.EditSelectionProperties(r);

    for (TDRHit* h : {a, b}) {
        EXPECT_EQ(h->Volume, 55);
        EXPECT_EQ(h->Panning, 60);
        EXPECT_EQ(h->FadeTill, 250);
        EXPECT_EQ(h->FadeOut, 1200);
    }
    EXPECT_TRUE(startsIn(1, a));
    EXPECT_TRUE(startsIn(2, b));
    EXPECT_EQ(b->StartTick, 300);
    EXPECT_EQ(a->FixedLength, -1);
    EXPECT_EQ(b->FixedLength, 100);
    EXPECT_EQ(other->Volume, 100);
    EXPECT_EQ(editor.Song.UndoList.size(), entries);
    EXPECT_TRUE(editor.Modified);
    EXPECT_EQ(host.allFlags() & dfHits, dfHits);
}

TEST_F(HitPropertiesTest, EmptySelectionChangesNothing) {
    place(1, 0);
    TPropResults r;
    r.Volume = 1;
    editor.EditSelectionProperties(r);
    EXPECT_FALSE(editor.Modified);
    EXPECT_EQ(editor.Song.Bar(1).StartingHits.front()->Volume, 100);
}

} // namespace
