// TPlocha: row list, expand/collapse cascade, bar geometry and the
// conversions between pixels, ticks and rows.
#include "editor/Plocha.h"

#include "model/SongTypes.h"

#include <algorithm>
#include <stdexcept>

namespace {

// Every bar must hold at least one pixel per division, or the layout would
// divide by a zero bar width; the width gives way, never the division.
int32_t widthForDivision(int32_t width, int32_t division) {
    return std::max(width, division);
}

} // namespace

TPlocha::TPlocha() {
    Relayout(PanelWidth, GridWidth, GridHeight);
}

void TPlocha::Relayout(int32_t panelWidth, int32_t gridWidth, int32_t gridHeight) {
    PanelWidth = panelWidth;
    GridWidth = gridWidth;
    GridHeight = gridHeight;
    PaintWidth = GridWidth + BarPixels;
    VisibleBars = PaintWidth / BarPixels;
    Dirty = dfAll;
}

void TPlocha::SetDivision(int32_t n) {
    n = std::max(n, 1);
    BarWidth = widthForDivision(BarWidth, n);
    DivisionPixels = BarWidth / n;
    BarPixels = DivisionPixels * n;
    BarDivisionNumber = n;
    Relayout(PanelWidth, GridWidth, GridHeight);
}

void TPlocha::SetBarWidth(int32_t w) {
    BarWidth = widthForDivision(w, BarDivisionNumber);
    const int32_t q = BarWidth / BarDivisionNumber;
    if (q * BarDivisionNumber == BarPixels) {
        return;
    }
    BarPixels = q * BarDivisionNumber;
    DivisionPixels = q;
    Relayout(PanelWidth, GridWidth, GridHeight);
}

TDRPlTrack& TPlocha::AddTrack(int32_t groupIndex, uint32_t color, TDrumsetItem* groupData,
                              TDrumsetItem* groupNode, const std::string& name) {
    auto track = std::make_unique<TDRPlTrack>();
    track->Name = name;
    track->Color = color;
    track->GroupIndex = groupIndex;
    track->GroupData = groupData;
    track->GroupNode = groupNode;
    track->Top = Tracks.empty() ? 0 : Tracks.back()->Bottom;
    track->Bottom = track->Top + track->Height;
    Tracks.push_back(std::move(track));
    return *Tracks.back();
}

TDRPlSample& TPlocha::AddSampleRow(int32_t sampleIndex, uint32_t color, TDrumsetItem* sampleData,
                                   const std::string& name, int32_t length) {
    if (Tracks.empty()) {
        throw std::logic_error("AddSampleRow without a track");
    }
    auto row = std::make_unique<TDRPlSample>();
    row->Name = name;
    row->SampleIndex = sampleIndex;
    row->Length = length;
    row->SampleData = sampleData;
    row->Color = color;
    auto& samples = Tracks.back()->Samples;
    samples.push_back(std::move(row));
    return *samples.back();
}

void TPlocha::ClearTracks() {
    Tracks.clear();
}

void TPlocha::CollapseTrack(int32_t i) {
    if (i < 0 || i >= static_cast<int32_t>(Tracks.size())) {
        return;
    }
    Tracks[static_cast<size_t>(i)]->Collapsed = true;
    LayoutTrack(i);
}

void TPlocha::ExpandTrack(int32_t i) {
    if (i < 0 || i >= static_cast<int32_t>(Tracks.size())) {
        return;
    }
    Tracks[static_cast<size_t>(i)]->Collapsed = false;
    LayoutTrack(i);
}

void TPlocha::LayoutTrack(int32_t i) {
    // The expand/collapse cascade, unrolled: each track starts where the
    // one above it ends and lays itself out by its own Collapsed flag.
    if (i < 0) {
        return;
    }
    for (size_t k = static_cast<size_t>(i); k < Tracks.size(); ++k) {
        TDRPlTrack& track = *Tracks[k];
        if (k > static_cast<size_t>(i)) {
            track.Top = Tracks[k - 1]->Bottom;
        }
        int32_t y = track.Top + track.Height;
        if (!track.Collapsed) {
            for (auto& row : track.Samples) {
                row->Top = y;
                y += track.Height;
                row->Bottom = y;
            }
        }
        track.Bottom = y;
    }
}

void TPlocha::SetTrackMode(int32_t i, TTrackMode mode) {
    if (i < 0 || i >= static_cast<int32_t>(Tracks.size())) {
        return;
    }
    TDRPlTrack& track = *Tracks[static_cast<size_t>(i)];
    track.VolumeMode = mode == TTrackMode::tmVolume;
    track.PanningMode = mode == TTrackMode::tmPanning;
    track.Height = mode == TTrackMode::tmStandard ? StandardRowHeight : KnobRowHeight;
    LayoutTrack(i);
}

TRowAddress TPlocha::RowAt(int32_t rowY) const {
    for (const auto& track : Tracks) {
        if (rowY < track->Top || rowY >= track->Bottom) {
            continue;
        }
        TRowAddress address{track->GroupIndex, -1};
        if (!track->Collapsed) {
            for (const auto& row : track->Samples) {
                if (rowY >= row->Top && rowY < row->Bottom) {
                    address.Sample = row->SampleIndex;
                    break;
                }
            }
        }
        return address;
    }
    return {};
}

int32_t TPlocha::TickToPixels(int32_t tick) const {
    return static_cast<int32_t>(int64_t{tick} * BarPixels / TicksPerBar);
}

int32_t TPlocha::PixelsToTick(int32_t pixels) const {
    return static_cast<int32_t>((int64_t{pixels} * 2 * TicksPerBar + BarPixels) /
                                (2 * int64_t{BarPixels}));
}

int32_t TPlocha::SnapTick(int32_t tick) const {
    const int64_t n = BarDivisionNumber;
    const int64_t k = int64_t{tick} * n / TicksPerBar;
    return static_cast<int32_t>((k * 2 * TicksPerBar + n) / (2 * n));
}

int32_t TPlocha::RowsHeight() const {
    return Tracks.empty() ? 0 : Tracks.back()->Bottom;
}
