// The headless side of mouse editing: selection and deletion commands, hit
// drags in time and across rows, the rubber band, knob values and tempo
// marks, on the rows fixture (track 0 Hi-hats: Closed, Open; track 1 Snare:
// Center). At 120 bpm a bar lasts 2000 ms; rows play 1000 ms.
#include "editor/GridEditing.h"

#include "EditorTestSupport.h"

#include <gtest/gtest.h>
#include <tuple>

namespace {

const std::string RowsFixture = std::string(EditorFixtureFolder) + "/rows.dum";

using Place = std::tuple<int32_t, int32_t, int32_t, int32_t>; // bar, tick, group, sample

Place placeOf(const TDRHit* h) {
    return {h->StartBar, h->StartTick, h->Group, h->Sample};
}

class GridEditingTest : public ::testing::Test {
protected:
    GridEditingTest() : editing(editor) {
        editor.SetDrumsetFile(RowsFixture);
        editor.ExpandAll();
        editor.Plocha.Relayout(110, 600, 400);
    }

    TDRHit* add(int32_t bar, int32_t tick, int32_t group, int32_t sample) {
        return editor.Song.AddHit(editor.CreateHit(bar, tick, sample, group));
    }

    std::vector<Place> songPlaces() {
        std::vector<Place> places;
        for (int32_t b = 0; b <= editor.Song.LastBar; ++b) {
            for (const auto& h : editor.Song.Bar(b).StartingHits) {
                places.push_back(placeOf(h.get()));
            }
        }
        std::sort(places.begin(), places.end());
        return places;
    }

    std::vector<Place> copyPlaces() {
        std::vector<Place> places;
        for (const auto& copy : editing.DragCopies()) {
            places.push_back(placeOf(copy.get()));
        }
        return places;
    }

    TSongEditor editor;
    TGridEditing editing;
};

// --- Selection and deletion commands ---------------------------------------------------

TEST_F(GridEditingTest, DeleteDuplicatesKeepsTheFirstOfEachRunAsOneAction) {
    TDRHit* other = add(1, 0, 1, 0);
    for (int i = 0; i < 3; ++i) {
        editor.SelectHit(add(2, 250, 0, 1));
    }
    editor.SelectHit(other);
    const int32_t action = editor.Song.ActionId;

    EXPECT_EQ(editor.DeleteDuplicateHits(), 2);
    EXPECT_EQ(editor.Song.ActionId, action + 1);
    EXPECT_TRUE(editor.Modified);
    EXPECT_EQ(songPlaces(), (std::vector<Place>{{1, 0, 1, 0}, {2, 250, 0, 1}}));
    ASSERT_EQ(editor.SelectedCount(), 2);
    EXPECT_EQ(editor.Selection[0], other); // sorted by place
    for (const TDRHit* h : editor.Selection) {
        EXPECT_TRUE(h->Selected);
    }
    EXPECT_EQ(editor.DeleteDuplicateHits(), 0);
    EXPECT_EQ(editor.Song.ActionId, action + 1);

    editor.UndoCommand();
    EXPECT_EQ(songPlaces().size(), 4u);
}

TEST_F(GridEditingTest, DeleteSelectedWithNothingSelectedStillOpensAnAction) {
    add(1, 0, 1, 0);
    const int32_t action = editor.Song.ActionId;
    editor.DeleteSelectedHits();
    EXPECT_EQ(editor.Song.ActionId, action + 1);
    EXPECT_TRUE(editor.Modified);
    EXPECT_EQ(songPlaces().size(), 1u);
}

TEST_F(GridEditingTest, BarCommandsActOnHitsStartingInTheBar) {
    TDRHit* a = add(3, 0, 0, 0);
    TDRHit* b = add(3, 500, 1, 0);
    TDRHit* late = add(2, 900, 0, 1); // reaches into bar 3, starts in 2
    editor.SelectHit(a);

    editor.ToggleBarHits(3); // one unselected: select all
    EXPECT_TRUE(a->Selected && b->Selected);
    EXPECT_FALSE(late->Selected);
    EXPECT_EQ(editor.SelectedCount(), 2);
    editor.ToggleBarHits(3); // all selected: deselect
    EXPECT_EQ(editor.SelectedCount(), 0);
    EXPECT_FALSE(a->Selected || b->Selected);

    editor.ToggleBarHits(-1);
    editor.ToggleBarHits(7);
    editor.SelectBarHits(editor.Song.LastBar + 5);
    EXPECT_EQ(editor.SelectedCount(), 0);

    editor.SelectHit(late);
    editor.SelectBarHits(3);
    EXPECT_TRUE(editor.BarHasSelectedHit(3));
    EXPECT_FALSE(editor.BarHasUnselectedHit(3));
    editor.DeselectBarHits(3);
    EXPECT_EQ(editor.Selection, std::vector<TDRHit*>{late});

    const int32_t action = editor.Song.ActionId;
    editor.SelectHit(a);
    editor.DeleteHitsInBar(3);
    EXPECT_EQ(editor.Song.ActionId, action + 1);
    EXPECT_EQ(songPlaces(), (std::vector<Place>{{2, 900, 0, 1}}));
    EXPECT_EQ(editor.Selection, std::vector<TDRHit*>{late});
    editor.DeleteHitsInBar(3); // empty now: no action
    EXPECT_EQ(editor.Song.ActionId, action + 1);
    editor.UndoCommand();
    EXPECT_EQ(songPlaces().size(), 3u);
}

TEST_F(GridEditingTest, RowSelectionByGroupOrSample) {
    add(0, 0, 0, 0);
    add(1, 0, 0, 1);
    add(2, 0, 1, 0);
    editor.SelectHitsInRow(0, -1);
    EXPECT_EQ(editor.SelectedCount(), 2);
    editor.DeselectHitsInRow(0, 1);
    ASSERT_EQ(editor.SelectedCount(), 1);
    EXPECT_EQ(placeOf(editor.Selection[0]), (Place{0, 0, 0, 0}));
    editor.SelectHitsInRow(1, 0);
    editor.SelectAllHits();
    EXPECT_EQ(editor.SelectedCount(), 3);
}

TEST_F(GridEditingTest, MuteHelpers) {
    editor.MuteAllOtherGroups(1);
    EXPECT_TRUE(editor.Plocha.Tracks[0]->Muted);
    EXPECT_FALSE(editor.Plocha.Tracks[1]->Muted);
    editor.SetTrackMuted(1, true);
    EXPECT_TRUE(editor.Plocha.Tracks[1]->Muted);
    editor.MuteOffAllGroups();
    EXPECT_FALSE(editor.Plocha.Tracks[0]->Muted || editor.Plocha.Tracks[1]->Muted);
}

TEST_F(GridEditingTest, RetargetKeepsPlaceAndSoundButTakesTheNewRow) {
    std::unique_ptr<TDRHit> hit = editor.CreateHit(4, 300, 0, 1);
    hit->Volume = 37;
    hit->Panning = -12;
    hit->LengthMs = 5;
    editor.SetHitType(THitType::htLight);
    // Only Open allows light hits in the Hi-hats group.
    editor.RetargetHit(*hit, 0, -1);
    EXPECT_TRUE(hit->GroupHit);
    EXPECT_EQ(hit->Group, 0);
    EXPECT_EQ(hit->Sample, 1);
    EXPECT_EQ(hit->HitTypeMask, htMaskLight);
    EXPECT_EQ(hit->LengthMs, 1000);
    EXPECT_EQ(hit->Start(), (TDRPosition{4, 300}));
    EXPECT_EQ(hit->Volume, 37);
    EXPECT_EQ(hit->Panning, -12);
    editor.RetargetHit(*hit, 0, 0);
    EXPECT_FALSE(hit->GroupHit);
    EXPECT_EQ(hit->Sample, 0);
}

// --- Hit drags ---------------------------------------------------------------------------

struct TimeDragCase {
    bool snap;
    TDRPosition target;
    std::vector<Place> copies; // in drag order
};

TEST_F(GridEditingTest, TimeDragOffsets) {
    // The grabbed hit A starts at (2, 130); the mouse went down at (2, 140).
    const TimeDragCase cases[] = {
        // Snapped: A's start goes to the division at or before the mouse.
        {true, {4, 270}, {{4, 250, 0, 0}, {5, 620, 1, 0}}},
        // Unsnapped: both move by the mouse's own offset.
        {false, {4, 270}, {{4, 260, 0, 0}, {5, 630, 1, 0}}},
        // Before the song start a copy clamps to (0, 0); the other keeps the offset.
        {false, {0, 0}, {{0, 0, 0, 0}, {1, 360, 1, 0}}},
        {true, {0, 10}, {{0, 0, 0, 0}, {1, 370, 1, 0}}},
    };
    for (const TimeDragCase& c : cases) {
        editor.Song.ClearSong();
        editor.Selection.clear();
        editor.SnapTo = c.snap;
        TDRHit* b = add(3, 500, 1, 0);
        TDRHit* a = add(2, 130, 0, 0);
        editor.SelectHit(b);
        editor.SelectHit(a);
        editing.BeginHitDrag({2, 140}, *a, {0, 0});
        EXPECT_EQ(editor.Selection, (std::vector<TDRHit*>{a, b})) << "drag order";
        EXPECT_TRUE(editing.TimeDragOver(c.target.Bar, c.target.Tick));
        EXPECT_EQ(copyPlaces(), c.copies) << c.snap << " " << c.target.Bar;
        EXPECT_FALSE(editing.TimeDragOver(c.target.Bar, c.target.Tick)) << "unchanged offset";
        // The copies are placed but not in the song.
        EXPECT_EQ(songPlaces(), (std::vector<Place>{{2, 130, 0, 0}, {3, 500, 1, 0}}));
        EXPECT_GT(editing.DragCopies()[0]->StopMs, editing.DragCopies()[0]->StartMs);
        editing.EndHitDrag();
    }
}

TEST_F(GridEditingTest, DropIsOneUndoStepThatKeepsTheSelection) {
    TDRHit* a = add(2, 130, 0, 0);
    TDRHit* b = add(3, 500, 1, 0);
    a->Volume = 55;
    editor.SelectHit(a);
    editor.SelectHit(b);
    editor.SnapTo = false;
    editing.BeginHitDrag({2, 130}, *a, {0, 0});
    editing.TimeDragOver(2, 630);
    const int32_t action = editor.Song.ActionId;
    editing.DropHits();
    editing.EndHitDrag();

    EXPECT_EQ(editor.Song.ActionId, action + 1);
    EXPECT_TRUE(editor.Modified);
    EXPECT_EQ(songPlaces(), (std::vector<Place>{{2, 630, 0, 0}, {4, 0, 1, 0}}));
    ASSERT_EQ(editor.SelectedCount(), 2);
    EXPECT_EQ(placeOf(editor.Selection[0]), (Place{2, 630, 0, 0}));
    EXPECT_TRUE(editor.Selection[0]->Selected && editor.Selection[0]->InSong);
    EXPECT_EQ(editor.Selection[0]->Volume, 55);
    EXPECT_TRUE(editing.DragCopies().empty());

    editor.UndoCommand();
    EXPECT_EQ(songPlaces(), (std::vector<Place>{{2, 130, 0, 0}, {3, 500, 1, 0}}));
}

TEST_F(GridEditingTest, RowDragWrapsPastTheLastTrack) {
    TDRHit* open = add(0, 0, 0, 1);
    TDRHit* center = add(1, 0, 1, 0);
    editor.SelectHit(open);
    editor.SelectHit(center);
    editing.BeginHitDrag({0, 0}, *open, {0, 1});
    EXPECT_FALSE(editing.RowDragOver({0, 1})) << "the row of the mouse-down";
    EXPECT_FALSE(editing.RowDragOver({}));
    ASSERT_TRUE(editing.RowDragOver({1, 0}));
    // Open moves down a track; Center wraps to the first track, one row up.
    EXPECT_EQ(copyPlaces(), (std::vector<Place>{{0, 0, 1, 0}, {1, 0, 0, 1}}));
    EXPECT_FALSE(editing.DragCopies()[1]->GroupHit);

    ASSERT_TRUE(editing.RowDragOver({1, -1})); // a group row chooses by hit type
    EXPECT_TRUE(editing.DragCopies()[0]->GroupHit);
    EXPECT_EQ(editing.DragCopies()[1]->Group, 0);
    EXPECT_EQ(editing.DragCopies()[1]->Sample, 0); // heavy: only Closed allows it

    editing.DropHits();
    EXPECT_EQ(songPlaces(), (std::vector<Place>{{0, 0, 1, 0}, {1, 0, 0, 0}}));
}

// --- Rubber band ----------------------------------------------------------------------------

TEST_F(GridEditingTest, BandDraggedUpwardCoversTheRowsBetweenItsCorners) {
    add(0, 500, 0, 0);                  // Closed: above the band
    TDRHit* open = add(0, 500, 0, 1);   // Open
    TDRHit* center = add(1, 100, 1, 0); // Center
    add(1, 800, 1, 0);                  // Center, right of the band's start
    TDRHit* before = add(5, 0, 0, 0);
    editor.SelectHit(before);

    TBandAnchor anchor;
    anchor.Bar = 1;
    anchor.Tick = 500;
    anchor.Row = {1, 0};
    editing.BeginBand(anchor);
    EXPECT_TRUE(editing.BandMove(0, 100, {0, 1}));
    EXPECT_EQ(editing.BandSelection(), (std::vector<TDRHit*>{open, center}));
    EXPECT_FALSE(editing.BandMove(0, 100, {0, 1}));
    // Back down past the Open row: it leaves the band again.
    EXPECT_TRUE(editing.BandMove(0, 100, {1, -1}));
    EXPECT_FALSE(open->Selected);
    EXPECT_TRUE(editing.BandMove(0, 100, {0, 1}));
    editing.EndBand();
    EXPECT_EQ(editor.SelectedCount(), 3);
    EXPECT_TRUE(before->Selected);
}

TEST_F(GridEditingTest, CollapsedHighCornerCoversItsWholeTrack) {
    editor.Plocha.CollapseTrack(0);
    TDRHit* closed = add(0, 100, 0, 0);
    TDRHit* open = add(0, 200, 0, 1);
    TDRHit* center = add(0, 300, 1, 0);
    TBandAnchor anchor;
    anchor.Row = {0, -1};
    editing.BeginBand(anchor);
    editing.BandMove(0, 900, {0, -1});
    EXPECT_EQ(editing.BandHigh().Group, 1);
    EXPECT_TRUE(closed->Selected && open->Selected);
    EXPECT_FALSE(center->Selected);
}

TEST_F(GridEditingTest, BandRowOutsideTheRows) {
    // Expanded rows end at 100; the grid's rows start at y 30.
    EXPECT_EQ(editing.BandRowAt(30 + 85), (TRowAddress{1, 0}));
    EXPECT_EQ(editing.BandRowAt(30 + 500), (TRowAddress{1, 0}));
    EXPECT_EQ(editing.BandRowAt(-20), (TRowAddress{0, -1}));
}

// --- Knobs ------------------------------------------------------------------------------------

TEST_F(GridEditingTest, KnobValuesFromTheLift) {
    const std::tuple<int32_t, int32_t, int32_t> cases[] = {
        // lift, volume, panning (range 44)
        {-30, 0, -100}, {0, 0, -100},   {22, 50, 0},     {11, 25, -50},
        {1, 2, -95},    {44, 100, 100}, {200, 100, 100},
    };
    for (const auto& [lift, volume, panning] : cases) {
        EXPECT_EQ(TGridEditing::VolumeForLift(lift, 44), volume) << lift;
        EXPECT_EQ(TGridEditing::PanningForLift(lift, 44), panning) << lift;
    }
}

TEST_F(GridEditingTest, KnobDragSetsTheHitsNearTheMouse) {
    editor.SetTrackMode(1, TTrackMode::tmVolume);
    TDRHit* near = add(0, 0, 1, 0);
    TDRHit* far = add(0, 500, 1, 0);
    TDRHit* otherTrack = add(0, 0, 0, 0);
    near->Volume = 40;
    editing.BeginKnobDrag({1, 0}, true);
    // Center's row: top 110, height 50; base y in the grid 110 + 47 + 30.
    EXPECT_EQ(editing.KnobBaseY(), 187);
    EXPECT_EQ(editing.KnobRange(), 44);
    EXPECT_TRUE(editing.KnobDragTo(3, 0));
    EXPECT_EQ(near->Volume, 100);
    EXPECT_EQ(far->Volume, 100); // untouched default
    EXPECT_TRUE(editor.Modified);
    EXPECT_TRUE(editing.KnobDragTo(2, 400));
    EXPECT_EQ(near->Volume, 0);
    EXPECT_FALSE(editing.KnobDragTo(2, 400));
    EXPECT_FALSE(editing.KnobDragTo(10, 100)); // too far from the knob
    EXPECT_EQ(otherTrack->Volume, 100);
    EXPECT_EQ(far->Volume, 100);
    const int32_t action = editor.Song.ActionId;
    editing.EndKnobDrag();
    EXPECT_EQ(editor.Song.ActionId, action);

    editor.SetTrackMode(1, TTrackMode::tmPanning);
    editing.BeginKnobDrag({1, -1}, false); // the group row: any of its samples
    editing.KnobDragTo(0, -50);
    EXPECT_EQ(near->Panning, 100);
    editing.KnobDragTo(0, 1000);
    EXPECT_EQ(near->Panning, -100);
}

// --- Tempo marks ---------------------------------------------------------------------------------

TEST_F(GridEditingTest, TempoMarks) {
    auto change = std::make_unique<TDRTempo>();
    change->Bar = 2;
    change->Tick = 500;
    change->Tempo = 90;
    TDRTempo* mark = editor.Song.AddTempo(std::move(change), true);
    mark->LabelX = 2 * 120 + 60;
    mark->LabelWidth = 12;
    editor.Song.InitialTempo->LabelWidth = 14;

    EXPECT_EQ(editing.TempoMarkAt(305), mark);
    EXPECT_EQ(editing.TempoMarkAt(290), nullptr);
    EXPECT_EQ(editing.TempoMarkAt(5), editor.Song.InitialTempo.get());

    editing.DeleteTempo(editor.Song.InitialTempo.get());
    EXPECT_FALSE(editor.Modified);
    EXPECT_EQ(editor.Song.InitialTempo->Tempo, 120);

    editing.MoveTempoMark(mark, 3, 260); // snapped to 250
    EXPECT_EQ(mark->Bar, 3);
    EXPECT_EQ(mark->Tick, 250);
    EXPECT_TRUE(editor.Modified);
    const int32_t action = editor.Song.ActionId;
    editor.Modified = false;
    editing.MoveTempoMark(mark, 3, 300); // the same snapped place
    EXPECT_FALSE(editor.Modified);

    editing.DeleteTempo(mark);
    EXPECT_TRUE(editor.Modified);
    EXPECT_FALSE(editing.IsTempoInSong(mark));
    EXPECT_EQ(editor.Song.ActionId, action);
}

} // namespace
