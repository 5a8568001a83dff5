// TSongEditor: scroll state, the bar and tick under x, bar width and division
// through the editor, vertical offset and maxima, expand/collapse all and
// the redraw requests.
#include "EditorTestSupport.h"

#include <gtest/gtest.h>

namespace {

class ScrollTest : public ::testing::Test {
protected:
    ScrollTest() { editor.setHost(&host); }

    TSongEditor editor;
    RecordingHost host;
};

TEST_F(ScrollTest, EightStepsPerBar) {
    struct Case {
        int32_t position;
        int32_t firstBar;
        int32_t subBarOffset;
        int32_t pixelOffset;
    };
    for (const Case& c : {Case{0, 0, 0, 0}, Case{1, 0, 125, 15}, Case{7, 0, 875, 105},
                          Case{8, 1, 0, 0}, Case{13, 1, 625, 75}, Case{80, 10, 0, 0}}) {
        SCOPED_TRACE(c.position);
        editor.SetHorzPosition(c.position);
        EXPECT_EQ(editor.HorzPosition(), c.position);
        EXPECT_EQ(editor.FirstBar(), c.firstBar);
        EXPECT_EQ(editor.Plocha.FirstBar, c.firstBar);
        EXPECT_EQ(editor.SubBarOffset(), c.subBarOffset);
        EXPECT_EQ(editor.PixelOffset(), c.pixelOffset);
    }
}

TEST_F(ScrollTest, HorizontalRangeFollowsTheSong) {
    EXPECT_EQ(editor.Song.LastBar, 10);
    EXPECT_EQ(editor.HorzMaximum(), 80);
    editor.SetHorzPosition(500);
    EXPECT_EQ(editor.HorzPosition(), 80);
    editor.SetHorzPosition(-3);
    EXPECT_EQ(editor.HorzPosition(), 0);
}

TEST_F(ScrollTest, HorizontalScrollRebuildsBitmapsOnlyWhenTheFirstBarChanges) {
    editor.SetHorzPosition(3); // same first bar: only shifted
    ASSERT_FALSE(host.Invalidations.empty());
    EXPECT_EQ(host.Invalidations.back(), 0u);
    EXPECT_EQ(host.ScrollChanges, 1);

    editor.SetHorzPosition(9);
    EXPECT_EQ(host.Invalidations.back(), dfHits | dfRuler);
    EXPECT_EQ(host.ScrollChanges, 2);
}

TEST_F(ScrollTest, BarAndTickUnderX) {
    editor.SetHorzPosition(13); // first bar 1, 625 ticks in, 75 px
    struct Case {
        int32_t x;
        int32_t bar;
        int32_t tick;
    };
    for (const Case& c : {Case{0, 1, 625}, Case{44, 1, 992}, Case{45, 2, 0}, Case{60, 2, 125},
                          Case{164, 2, 992}, Case{165, 3, 0}, Case{166, 3, 8}}) {
        SCOPED_TRACE(c.x);
        EXPECT_EQ(editor.BarAtX(c.x), c.bar);
        EXPECT_EQ(editor.TickAtX(c.x), c.tick);
    }
    EXPECT_EQ(editor.BarAtX(-1), -1); // left of the grid
    EXPECT_EQ(editor.BarX(1), -75);
    EXPECT_EQ(editor.BarX(2), 45);
    EXPECT_EQ(editor.BarX(5), 405);
}

TEST_F(ScrollTest, BarWidthKeepsThePixelOffsetInStep) {
    editor.SetHorzPosition(13);
    editor.Plocha.Dirty = 0;
    for (int32_t w = 121; w <= 127; ++w) {
        editor.SetBarWidth(w);
        EXPECT_EQ(editor.Plocha.BarPixels, 120);
        EXPECT_EQ(editor.PixelOffset(), 75);
        EXPECT_EQ(editor.Plocha.Dirty, 0u);
    }
    editor.SetBarWidth(editor.Plocha.BarWidth + 16); // 143 -> 136 px
    EXPECT_EQ(editor.Plocha.BarWidth, 143);
    EXPECT_EQ(editor.Plocha.BarPixels, 136);
    EXPECT_EQ(editor.PixelOffset(), 85);
    EXPECT_EQ(editor.Plocha.Dirty, dfAll);

    editor.SetBarDivisionNumber(7); // 143 div 7 = 20 -> 140 px
    EXPECT_EQ(editor.Plocha.BarDivisionNumber, 7);
    EXPECT_EQ(editor.Plocha.BarPixels, 140);
    EXPECT_EQ(editor.PixelOffset(), 87);
}

TEST_F(ScrollTest, VerticalOffsetAndMaximum) {
    editor.Plocha.Relayout(110, 400, 100); // 58 px of rows visible
    EXPECT_EQ(editor.VertMaximum(), 0);
    for (int t = 0; t < 5; ++t) {
        editor.Plocha.AddTrack(t, 0, nullptr, nullptr, "T");
        editor.Plocha.AddSampleRow(0, 0, nullptr, "S", 100);
    }
    EXPECT_EQ(editor.VertMaximum(), 100 + 42 - 100);
    editor.ExpandAll();
    EXPECT_EQ(editor.VertMaximum(), 200 + 42 - 100);

    editor.SetTopOffset(60);
    EXPECT_EQ(editor.Plocha.TopOffset, 60);
    EXPECT_EQ(host.Invalidations.back(), dfBackground | dfHits | dfPanel);
    EXPECT_EQ(editor.RowY(RulerHeight), 60);
    EXPECT_EQ(editor.RowY(RulerHeight + 25), 85);
    editor.SetTopOffset(1000);
    EXPECT_EQ(editor.Plocha.TopOffset, 142);
    editor.SetTopOffset(-5);
    EXPECT_EQ(editor.Plocha.TopOffset, 0);
}

TEST_F(ScrollTest, ExpandAllAndCollapseAllResetModes) {
    for (int t = 0; t < 3; ++t) {
        editor.Plocha.AddTrack(t, 0, nullptr, nullptr, "T");
        editor.Plocha.AddSampleRow(0, 0, nullptr, "S0", 100);
        editor.Plocha.AddSampleRow(1, 0, nullptr, "S1", 100);
    }
    editor.SetTrackMode(1, TTrackMode::tmPanning);
    EXPECT_EQ(host.Invalidations.back(), dfBackground | dfHits | dfPanel);
    EXPECT_EQ(editor.Plocha.RowsHeight(), 90);

    editor.ExpandAll();
    EXPECT_EQ(host.Invalidations.back(), dfBackground | dfHits | dfPanel);
    EXPECT_EQ(editor.Plocha.RowsHeight(), 180);
    for (const auto& track : editor.Plocha.Tracks) {
        EXPECT_FALSE(track->Collapsed);
        EXPECT_FALSE(track->PanningMode);
        EXPECT_EQ(track->Height, StandardRowHeight);
    }
    EXPECT_EQ(editor.Plocha.Tracks[2]->Samples[1]->Top, 160);

    editor.SetTrackMode(0, TTrackMode::tmVolume);
    editor.CollapseAll();
    EXPECT_EQ(editor.Plocha.RowsHeight(), 60);
    for (const auto& track : editor.Plocha.Tracks) {
        EXPECT_TRUE(track->Collapsed);
        EXPECT_FALSE(track->VolumeMode);
    }
}

TEST_F(ScrollTest, ExpandAllWithoutTracksOnlyRepaints) {
    editor.ExpandAll();
    editor.CollapseAll();
    EXPECT_EQ(host.Invalidations, (std::vector<uint32_t>{dfBackground | dfHits | dfPanel,
                                                         dfBackground | dfHits | dfPanel}));
    EXPECT_TRUE(editor.Plocha.Tracks.empty());
}

TEST_F(ScrollTest, InvalidateViewAddsFlags) {
    editor.Plocha.Dirty = dfPanel;
    editor.InvalidateView(dfHits);
    EXPECT_EQ(editor.Plocha.Dirty, dfPanel | dfHits);
    editor.InvalidateView(0);
    EXPECT_EQ(editor.Plocha.Dirty, dfPanel | dfHits);
    EXPECT_EQ(host.Invalidations, (std::vector<uint32_t>{dfHits, 0}));
}

TEST_F(ScrollTest, GoToBarBounds) {
    struct Case {
        int32_t bar;
        int32_t position;
    };
    for (const Case& c : {Case{3, 24}, Case{0, 0}, Case{10, 80}, Case{11, 80}, Case{-1, 80},
                          Case{7, 56}, Case{1000, 56}}) {
        SCOPED_TRACE(c.bar);
        editor.GoToBar(c.bar);
        EXPECT_EQ(editor.HorzPosition(), c.position);
    }
}

TEST(HeadlessEditor, WorksWithoutAHost) {
    TSongEditor editor;
    editor.setHost(nullptr);
    editor.SetHorzPosition(13);
    editor.InsertTempoCommand(); // the headless dialog cancels
    EXPECT_TRUE(editor.Song.Bar(2).TempoChanges.empty());
    EXPECT_EQ(editor.FirstBar(), 1);
}

} // namespace
