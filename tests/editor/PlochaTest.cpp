// TPlocha: bar geometry, tick and pixel conversions, snapping, the
// expand/collapse cascade, track modes and the row hit test.
#include "editor/Plocha.h"

#include <gtest/gtest.h>

namespace {

TEST(PlochaGeometry, DivisionGivesWholePixelsPerDivision) {
    struct Case {
        int32_t division;
        int32_t divisionPixels;
        int32_t barPixels;
    };
    for (const Case& c : {Case{8, 15, 120}, Case{7, 17, 119}, Case{32, 3, 96}, Case{1, 120, 120},
                          Case{120, 1, 120}}) {
        SCOPED_TRACE(c.division);
        TPlocha plocha;
        plocha.SetDivision(c.division);
        EXPECT_EQ(plocha.BarWidth, 120);
        EXPECT_EQ(plocha.BarDivisionNumber, c.division);
        EXPECT_EQ(plocha.DivisionPixels, c.divisionPixels);
        EXPECT_EQ(plocha.BarPixels, c.barPixels);
    }
}

TEST(PlochaGeometry, InitialLayout) {
    TPlocha plocha;
    EXPECT_EQ(plocha.BarWidth, 120);
    EXPECT_EQ(plocha.BarDivisionNumber, 8);
    EXPECT_EQ(plocha.DivisionPixels, 15);
    EXPECT_EQ(plocha.BarPixels, 120);
    EXPECT_EQ(plocha.PanelWidth, 110);
    EXPECT_EQ(plocha.Dirty, dfAll);
}

TEST(PlochaGeometry, RelayoutStoresSizesAndMarksEverythingDirty) {
    TPlocha plocha;
    plocha.Dirty = 0;
    plocha.Relayout(150, 500, 300);
    EXPECT_EQ(plocha.PanelWidth, 150);
    EXPECT_EQ(plocha.GridWidth, 500);
    EXPECT_EQ(plocha.GridHeight, 300);
    EXPECT_EQ(plocha.PaintWidth, 620);
    EXPECT_EQ(plocha.VisibleBars, 5);
    EXPECT_EQ(plocha.Dirty, dfAll);

    plocha.Dirty = 0;
    plocha.SetDivision(7); // relayout with the stored sizes
    EXPECT_EQ(plocha.GridWidth, 500);
    EXPECT_EQ(plocha.PaintWidth, 619);
    EXPECT_EQ(plocha.VisibleBars, 5);
    EXPECT_EQ(plocha.Dirty, dfAll);
}

TEST(PlochaGeometry, BarWidthWithTheSameBarPixelsChangesNothingVisible) {
    TPlocha plocha;
    plocha.Relayout(110, 500, 300);
    for (int32_t w = 121; w <= 127; ++w) {
        SCOPED_TRACE(w);
        plocha.Dirty = 0;
        plocha.SetBarWidth(w);
        EXPECT_EQ(plocha.BarWidth, w);
        EXPECT_EQ(plocha.BarPixels, 120);
        EXPECT_EQ(plocha.DivisionPixels, 15);
        EXPECT_EQ(plocha.PaintWidth, 620);
        EXPECT_EQ(plocha.Dirty, 0u);
    }
    plocha.SetBarWidth(128);
    EXPECT_EQ(plocha.BarPixels, 128);
    EXPECT_EQ(plocha.DivisionPixels, 16);
    EXPECT_EQ(plocha.PaintWidth, 628);
    EXPECT_EQ(plocha.Dirty, dfAll);
}

TEST(PlochaGeometry, ZoomKeepsAddingToTheStoredWidth) {
    TPlocha plocha;
    plocha.SetDivision(7);
    plocha.SetBarWidth(plocha.BarWidth + 16);
    EXPECT_EQ(plocha.BarWidth, 136);
    EXPECT_EQ(plocha.BarPixels, 133);
    plocha.SetBarWidth(plocha.BarWidth + 16);
    EXPECT_EQ(plocha.BarWidth, 152);
    EXPECT_EQ(plocha.BarPixels, 147);
}

TEST(PlochaGeometry, TinyWidthsAndBigDivisionsKeepOnePixelPerDivision) {
    struct Case {
        int32_t division;
        int32_t width;
        int32_t barWidth;
        int32_t barPixels;
    };
    // Widths below the division are raised to it.
    for (const Case& c : {Case{8, 7, 8, 8}, Case{8, 0, 8, 8}, Case{8, -40, 8, 8}, Case{8, 8, 8, 8},
                          Case{8, 23, 23, 16}, Case{3, 2, 3, 3}}) {
        SCOPED_TRACE(c.width);
        TPlocha plocha;
        plocha.SetDivision(c.division);
        plocha.SetBarWidth(c.width);
        EXPECT_EQ(plocha.BarWidth, c.barWidth);
        EXPECT_EQ(plocha.BarPixels, c.barPixels);
        EXPECT_GE(plocha.DivisionPixels, 1);
        EXPECT_GE(plocha.VisibleBars, 1);
    }

    TPlocha plocha;
    plocha.SetDivision(256); // the custom division dialog's largest value
    EXPECT_EQ(plocha.BarWidth, 256);
    EXPECT_EQ(plocha.DivisionPixels, 1);
    EXPECT_EQ(plocha.BarPixels, 256);

    plocha.SetDivision(0); // nothing sensible divides a bar into no parts
    EXPECT_EQ(plocha.BarDivisionNumber, 1);
    EXPECT_EQ(plocha.BarPixels, 256);
}

TEST(PlochaGeometry, ZoomingOutStopsAtOnePixelPerDivision) {
    TPlocha plocha;
    for (int i = 0; i < 20; ++i) {
        plocha.SetBarWidth(plocha.BarWidth - 16);
    }
    EXPECT_EQ(plocha.BarWidth, 8);
    EXPECT_EQ(plocha.DivisionPixels, 1);
    EXPECT_EQ(plocha.BarPixels, 8);
}

TEST(PlochaConversions, TicksToPixelsAndBack) {
    TPlocha plocha; // BarPixels 120
    struct Case {
        int32_t pixels;
        int32_t tick;
    };
    for (const Case& c : {Case{0, 0}, Case{1, 8}, Case{59, 492}, Case{60, 500}, Case{119, 992},
                          Case{120, 1000}, Case{240, 2000}}) {
        SCOPED_TRACE(c.pixels);
        EXPECT_EQ(plocha.PixelsToTick(c.pixels), c.tick);
    }
    EXPECT_EQ(plocha.TickToPixels(0), 0);
    EXPECT_EQ(plocha.TickToPixels(8), 0);
    EXPECT_EQ(plocha.TickToPixels(9), 1);
    EXPECT_EQ(plocha.TickToPixels(625), 75);
    EXPECT_EQ(plocha.TickToPixels(999), 119);

    plocha.SetDivision(7); // BarPixels 119
    EXPECT_EQ(plocha.TickToPixels(125), 14);
    EXPECT_EQ(plocha.PixelsToTick(14), 118);
}

TEST(PlochaConversions, SnapTickFindsTheDivisionLineAtOrBefore) {
    struct Case {
        int32_t division;
        int32_t from;
        int32_t to;
        int32_t snapped;
    };
    for (const Case& c : {Case{8, 0, 124, 0}, Case{8, 125, 249, 125}, Case{8, 875, 999, 875},
                          Case{3, 0, 333, 0}, Case{3, 334, 666, 333}, Case{3, 667, 999, 667},
                          Case{7, 143, 285, 143}, Case{7, 286, 428, 286}, Case{1, 0, 999, 0}}) {
        TPlocha plocha;
        plocha.SetDivision(c.division);
        for (int32_t tick = c.from; tick <= c.to; ++tick) {
            ASSERT_EQ(plocha.SnapTick(tick), c.snapped)
                << "division " << c.division << " tick " << tick;
        }
    }
}

// Three tracks with 2, 0 and 3 sample rows.
TPlocha threeTracks() {
    TPlocha plocha;
    const int sampleCounts[] = {2, 0, 3};
    for (int t = 0; t < 3; ++t) {
        plocha.AddTrack(t, 0, nullptr, nullptr, "T" + std::to_string(t));
        for (int s = 0; s < sampleCounts[t]; ++s) {
            plocha.AddSampleRow(s, 0, nullptr, "S" + std::to_string(s), 100);
        }
    }
    return plocha;
}

struct TrackSpan {
    int32_t top;
    int32_t bottom;
    friend bool operator==(const TrackSpan&, const TrackSpan&) = default;
};

std::vector<TrackSpan> spans(const TPlocha& plocha) {
    std::vector<TrackSpan> result;
    for (const auto& track : plocha.Tracks) {
        result.push_back({track->Top, track->Bottom});
    }
    return result;
}

TEST(PlochaRows, AddedTracksStackCollapsed) {
    TPlocha plocha = threeTracks();
    EXPECT_EQ(spans(plocha), (std::vector<TrackSpan>{{0, 20}, {20, 40}, {40, 60}}));
    for (const auto& track : plocha.Tracks) {
        EXPECT_TRUE(track->Collapsed);
        EXPECT_FALSE(track->Muted);
        EXPECT_FALSE(track->VolumeMode);
        EXPECT_FALSE(track->PanningMode);
        EXPECT_EQ(track->Height, StandardRowHeight);
    }
    EXPECT_EQ(plocha.RowsHeight(), 60);
    EXPECT_EQ(plocha.Tracks[2]->Samples[2]->SampleIndex, 2);
    EXPECT_EQ(plocha.Tracks[2]->Samples[2]->Length, 100);

    plocha.ClearTracks();
    EXPECT_TRUE(plocha.Tracks.empty());
    EXPECT_EQ(plocha.RowsHeight(), 0);
}

TEST(PlochaRows, ExpandAndCollapseCascade) {
    TPlocha plocha = threeTracks();
    plocha.ExpandTrack(0);
    EXPECT_EQ(spans(plocha), (std::vector<TrackSpan>{{0, 60}, {60, 80}, {80, 100}}));
    EXPECT_EQ(plocha.Tracks[0]->Samples[0]->Top, 20);
    EXPECT_EQ(plocha.Tracks[0]->Samples[0]->Bottom, 40);
    EXPECT_EQ(plocha.Tracks[0]->Samples[1]->Top, 40);
    EXPECT_EQ(plocha.Tracks[0]->Samples[1]->Bottom, 60);

    plocha.ExpandTrack(2);
    EXPECT_EQ(spans(plocha), (std::vector<TrackSpan>{{0, 60}, {60, 80}, {80, 160}}));
    EXPECT_EQ(plocha.Tracks[2]->Samples[2]->Top, 140);

    plocha.ExpandTrack(1); // no sample rows: only the group row
    EXPECT_FALSE(plocha.Tracks[1]->Collapsed);
    EXPECT_EQ(spans(plocha), (std::vector<TrackSpan>{{0, 60}, {60, 80}, {80, 160}}));

    // Collapsing the first moves the still expanded last one up.
    plocha.CollapseTrack(0);
    EXPECT_EQ(spans(plocha), (std::vector<TrackSpan>{{0, 20}, {20, 40}, {40, 120}}));
    EXPECT_FALSE(plocha.Tracks[2]->Collapsed);
    EXPECT_EQ(plocha.Tracks[2]->Samples[0]->Top, 60);
    EXPECT_EQ(plocha.RowsHeight(), 120);

    plocha.CollapseTrack(7); // no such track
    plocha.ExpandTrack(-1);
    EXPECT_EQ(plocha.RowsHeight(), 120);
}

TEST(PlochaRows, TrackModesChangeTheHeightAndCascade) {
    TPlocha plocha = threeTracks();
    plocha.ExpandTrack(0);
    plocha.SetTrackMode(0, TTrackMode::tmVolume);
    EXPECT_TRUE(plocha.Tracks[0]->VolumeMode);
    EXPECT_FALSE(plocha.Tracks[0]->PanningMode);
    EXPECT_EQ(plocha.Tracks[0]->Height, KnobRowHeight);
    EXPECT_EQ(spans(plocha), (std::vector<TrackSpan>{{0, 150}, {150, 170}, {170, 190}}));
    EXPECT_EQ(plocha.Tracks[0]->Samples[1]->Top, 100);

    plocha.SetTrackMode(0, TTrackMode::tmPanning);
    EXPECT_FALSE(plocha.Tracks[0]->VolumeMode);
    EXPECT_TRUE(plocha.Tracks[0]->PanningMode);
    EXPECT_EQ(plocha.Tracks[0]->Height, KnobRowHeight);

    plocha.SetTrackMode(1, TTrackMode::tmVolume); // collapsed: one 50 px row
    EXPECT_EQ(spans(plocha), (std::vector<TrackSpan>{{0, 150}, {150, 200}, {200, 220}}));

    plocha.SetTrackMode(0, TTrackMode::tmStandard);
    EXPECT_FALSE(plocha.Tracks[0]->VolumeMode);
    EXPECT_FALSE(plocha.Tracks[0]->PanningMode);
    EXPECT_EQ(spans(plocha), (std::vector<TrackSpan>{{0, 60}, {60, 110}, {110, 130}}));
}

TEST(PlochaRows, RowAt) {
    TPlocha plocha = threeTracks();
    plocha.ExpandTrack(0); // 0..60 with rows 20..40, 40..60; then 60..80, 80..100
    struct Case {
        int32_t y;
        TRowAddress row;
    };
    for (const Case& c :
         {Case{0, {0, -1}}, Case{19, {0, -1}}, Case{20, {0, 0}}, Case{39, {0, 0}}, Case{40, {0, 1}},
          Case{59, {0, 1}}, Case{60, {1, -1}}, Case{80, {2, -1}}, Case{99, {2, -1}},
          Case{100, {-1, -1}}, Case{5000, {-1, -1}}, Case{-1, {-1, -1}}}) {
        SCOPED_TRACE(c.y);
        EXPECT_EQ(plocha.RowAt(c.y), c.row);
    }

    TPlocha empty;
    EXPECT_EQ(empty.RowAt(0), (TRowAddress{-1, -1}));
}

TEST(PlochaRows, AddSampleRowNeedsATrack) {
    TPlocha plocha;
    EXPECT_THROW(plocha.AddSampleRow(0, 0, nullptr, "x", 1), std::logic_error);
}

} // namespace
