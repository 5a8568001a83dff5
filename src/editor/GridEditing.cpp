// TGridEditing: hit drags, the rubber band, knobs and tempo marks.
#include "editor/GridEditing.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// How near a knob's x the mouse must be to grab it, pixels.
constexpr int32_t KnobReach = 3;

int32_t wrap(int32_t value, int32_t count) {
    if (count <= 0) {
        return 0;
    }
    const int32_t r = value % count;
    return r < 0 ? r + count : r;
}

bool rowLess(TRowAddress a, TRowAddress b) {
    return std::tie(a.Group, a.Sample) < std::tie(b.Group, b.Sample);
}

bool placeLess(int32_t barA, int32_t tickA, int32_t barB, int32_t tickB) {
    return std::tie(barA, tickA) < std::tie(barB, tickB);
}

// A copy that stands for a hit without belonging to the song.
std::unique_ptr<TDRHit> detachedCopy(const TDRHit& hit) {
    auto copy = std::make_unique<TDRHit>(hit);
    copy->Cutter = nullptr;
    copy->CutHits.clear();
    copy->InSong = false;
    return copy;
}

} // namespace

// --- Dragging selected hits -------------------------------------------------------------

void TGridEditing::BeginHitDrag(TDRPosition downPlace, const TDRHit& grabbed, TRowAddress downRow) {
    EndHitDrag();
    m_editor.SortSelection();
    const std::vector<TDRHit*>& selection = m_editor.Selection;
    m_copies.reserve(selection.size());
    for (const TDRHit* hit : selection) {
        m_copies.push_back(detachedCopy(*hit));
    }
    m_downPlace = downPlace;
    m_grabbedStart = grabbed.Start();
    m_grabbedRow = {grabbed.Group, grabbed.Sample};
    m_lastOffset = {0, 0};
    m_lastRow = downRow;
    m_hitDrag = true;
}

bool TGridEditing::TimeDragOver(int32_t bar, int32_t tick) {
    if (!m_hitDrag) {
        return false;
    }
    TDRPosition offset;
    if (m_editor.SnapTo) {
        offset = SubtractPositions({bar, m_editor.Plocha.SnapTick(tick)}, m_grabbedStart);
    } else {
        offset = SubtractPositions({bar, tick}, m_downPlace);
    }
    if (offset == m_lastOffset) {
        return false;
    }
    m_lastOffset = offset;
    // Placing may lengthen the song, which the playback worker reads.
    TSongEditLock lock(m_editor);
    const std::vector<TDRHit*>& selection = m_editor.Selection;
    const size_t n = std::min(selection.size(), m_copies.size());
    for (size_t i = 0; i < n; ++i) {
        TDRHit& copy = *m_copies[i];
        TDRPosition start = AddPositions(selection[i]->Start(), offset);
        if (start.Bar < 0) {
            start = {0, 0};
        }
        copy.StartBar = start.Bar;
        copy.StartTick = start.Tick;
        m_editor.Song.PlaceHit(copy);
    }
    return true;
}

bool TGridEditing::RowDragOver(TRowAddress target) {
    if (!m_hitDrag || target.Group < 0 || target == m_lastRow) {
        return false;
    }
    const auto& tracks = m_editor.Plocha.Tracks;
    const int32_t trackCount = static_cast<int32_t>(tracks.size());
    if (target.Group >= trackCount) {
        return false;
    }
    m_lastRow = target;
    TSongEditLock lock(m_editor);
    const std::vector<TDRHit*>& selection = m_editor.Selection;
    const size_t n = std::min(selection.size(), m_copies.size());
    for (size_t i = 0; i < n; ++i) {
        const TDRHit& hit = *selection[i];
        const int32_t group = wrap(hit.Group + target.Group - m_grabbedRow.Group, trackCount);
        const int32_t samples =
            static_cast<int32_t>(tracks[static_cast<size_t>(group)]->Samples.size());
        const int32_t sample =
            target.Sample == -1 ? -1
                                : wrap(hit.Sample + target.Sample - m_grabbedRow.Sample, samples);
        std::unique_ptr<TDRHit> copy = detachedCopy(hit);
        m_editor.RetargetHit(*copy, group, sample);
        m_editor.Song.PlaceHit(*copy);
        m_copies[i] = std::move(copy);
    }
    return true;
}

void TGridEditing::DropHits() {
    if (!m_hitDrag) {
        return;
    }
    {
        TSongEditLock lock(m_editor);
        TDRComp& song = m_editor.Song;
        song.NewAction();
        m_editor.Modified = true;
        std::vector<TDRHit*>& selection = m_editor.Selection;
        const size_t n = std::min(selection.size(), m_copies.size());
        for (size_t i = 0; i < n; ++i) {
            TDRHit* old = selection[i];
            old->Selected = false;
            song.DeleteHit(old);
            std::unique_ptr<TDRHit> hit = detachedCopy(*m_copies[i]);
            hit->Selected = true;
            selection[i] = song.AddHit(std::move(hit));
        }
    }
    m_editor.InvalidateView(dfHits);
}

void TGridEditing::EndHitDrag() {
    m_hitDrag = false;
    m_copies.clear();
}

std::vector<const TDRHit*> TGridEditing::DragCopyList() const {
    std::vector<const TDRHit*> list;
    list.reserve(m_copies.size());
    for (const auto& copy : m_copies) {
        list.push_back(copy.get());
    }
    return list;
}

// --- Rubber band ---------------------------------------------------------------------------

void TGridEditing::BeginBand(const TBandAnchor& anchor) {
    m_band = anchor;
    m_bandActive = true;
    m_bandMoved = false;
    m_bandSelection.clear();
}

TRowAddress TGridEditing::BandRowAt(int32_t gridY) const {
    const TPlocha& pl = m_editor.Plocha;
    const TRowAddress row = pl.RowAt(m_editor.RowY(gridY));
    if (row.Group >= 0 || pl.Tracks.empty()) {
        return row;
    }
    if (gridY > RulerHeight) {
        // The last row of the last track, so that all of it is covered.
        const TDRPlTrack& last = *pl.Tracks.back();
        const int32_t sample = last.Collapsed || last.Samples.empty()
                                   ? -1
                                   : static_cast<int32_t>(last.Samples.size()) - 1;
        return {last.GroupIndex, sample};
    }
    return {pl.Tracks.front()->GroupIndex, -1};
}

bool TGridEditing::BandMove(int32_t bar, int32_t tick, TRowAddress row) {
    if (!m_bandActive) {
        return false;
    }
    if (!m_bandMoved) {
        m_bandMoved = true;
        m_bandMinBar = m_band.Bar;
        m_bandMaxBar = m_band.Bar;
    }
    const bool currentFirst = placeLess(bar, tick, m_band.Bar, m_band.Tick);
    const TRowAddress lowRow = rowLess(row, m_band.Row) ? row : m_band.Row;
    const TRowAddress highRow = rowLess(row, m_band.Row) ? m_band.Row : row;
    m_low = {currentFirst ? bar : m_band.Bar, currentFirst ? tick : m_band.Tick, lowRow.Group,
             lowRow.Sample};
    m_high = {currentFirst ? m_band.Bar : bar, currentFirst ? m_band.Tick : tick, highRow.Group,
              highRow.Sample};
    const auto& tracks = m_editor.Plocha.Tracks;
    if (m_high.Group >= 0 && m_high.Group < static_cast<int32_t>(tracks.size()) &&
        tracks[static_cast<size_t>(m_high.Group)]->Collapsed) {
        // Covers every sample of a collapsed track and nothing of the next.
        m_high.Group += 1;
    }
    m_bandMinBar = std::min({m_bandMinBar, m_low.Bar, m_high.Bar});
    m_bandMaxBar = std::max({m_bandMaxBar, m_low.Bar, m_high.Bar});
    TSongEditLock lock(m_editor);
    return m_editor.Song.SelectHitsInRange(m_bandSelection, m_low, m_high, m_bandMinBar,
                                           m_bandMaxBar);
}

void TGridEditing::EndBand() {
    if (!m_bandActive) {
        return;
    }
    m_bandActive = false;
    TSongEditLock lock(m_editor);
    for (TDRHit* hit : m_bandSelection) {
        m_editor.SelectHit(hit);
    }
    m_bandSelection.clear();
}

// --- Knobs ----------------------------------------------------------------------------------

int32_t TGridEditing::VolumeForLift(int32_t lift, int32_t range) {
    if (range <= 0) {
        return 0;
    }
    lift = std::clamp(lift, 0, range);
    return static_cast<int32_t>(std::trunc(lift * 100.0 / range + 0.5));
}

int32_t TGridEditing::PanningForLift(int32_t lift, int32_t range) {
    if (range <= 0) {
        return -100;
    }
    lift = std::clamp(lift, 0, range);
    return static_cast<int32_t>(std::trunc(lift * 200.0 / range + 0.5)) - 100;
}

void TGridEditing::BeginKnobDrag(TRowAddress row, bool volume) {
    const TPlocha& pl = m_editor.Plocha;
    if (row.Group < 0 || row.Group >= static_cast<int32_t>(pl.Tracks.size())) {
        return;
    }
    const TDRPlTrack& track = *pl.Tracks[static_cast<size_t>(row.Group)];
    int32_t top = track.Top;
    if (row.Sample >= 0 && row.Sample < static_cast<int32_t>(track.Samples.size())) {
        top = track.Samples[static_cast<size_t>(row.Sample)]->Top;
    }
    m_knobRow = row;
    m_knobVolume = volume;
    m_knobBaseY = top + track.Height - 3 + RulerHeight - pl.TopOffset;
    m_knobRange = track.Height - 6;
    m_knobActive = true;
}

bool TGridEditing::KnobDragTo(int32_t x, int32_t y) {
    if (!m_knobActive) {
        return false;
    }
    const TPlocha& pl = m_editor.Plocha;
    TDRComp& song = m_editor.Song;
    const int32_t lift = m_knobBaseY - y;
    const int32_t value =
        m_knobVolume ? VolumeForLift(lift, m_knobRange) : PanningForLift(lift, m_knobRange);
    const int32_t bitmapX = x + m_editor.PixelOffset();
    // The knobs as the painter places them: every hit of the visible bars,
    // found in the song so that an edit before the next paint never meets
    // a knob list of hits that are gone.
    const int32_t first = std::max(pl.FirstBar - song.MaxSpan, 0);
    const int32_t last = std::min(pl.FirstBar + pl.VisibleBars, song.LastBar);
    bool changed = false;
    TSongEditLock lock(m_editor);
    for (int32_t b = first; b <= last; ++b) {
        for (const auto& hit : song.Bar(b).StartingHits) {
            if (hit->Group != m_knobRow.Group ||
                (m_knobRow.Sample != -1 && hit->Sample != m_knobRow.Sample) ||
                hit->EndBar < pl.FirstBar) {
                continue;
            }
            const int32_t knobX =
                pl.TickToPixels(hit->StartTick) + (hit->StartBar - pl.FirstBar) * pl.BarPixels;
            if (std::abs(knobX - bitmapX) > KnobReach) {
                continue;
            }
            int32_t& field = m_knobVolume ? hit->Volume : hit->Panning;
            if (field != value) {
                field = value;
                changed = true;
            }
        }
    }
    if (changed) {
        m_editor.Modified = true;
    }
    return changed;
}

// --- Tempo marks ------------------------------------------------------------------------------

TDRTempo* TGridEditing::TempoMarkAt(int32_t x) const {
    const TDRComp& song = m_editor.Song;
    const TPlocha& pl = m_editor.Plocha;
    const int32_t bar = m_editor.BarAtX(x);
    if (bar < pl.FirstBar || bar > pl.FirstBar + pl.VisibleBars || bar > song.LastBar) {
        return nullptr;
    }
    const int32_t at = x + m_editor.PixelOffset();
    const auto contains = [at](const TDRTempo& t) {
        return at >= t.LabelX && at <= t.LabelX + t.LabelWidth;
    };
    const auto& changes = song.Bar(bar).TempoChanges;
    for (auto it = changes.rbegin(); it != changes.rend(); ++it) {
        if (contains(**it)) {
            return it->get();
        }
    }
    TDRTempo* inEffect = song.TempoAt(bar, 0);
    if (inEffect != nullptr && inEffect->Bar >= pl.FirstBar && contains(*inEffect)) {
        return inEffect;
    }
    return nullptr;
}

bool TGridEditing::IsTempoInSong(const TDRTempo* tempo) const {
    const TDRComp& song = m_editor.Song;
    if (tempo == nullptr) {
        return false;
    }
    if (tempo == song.InitialTempo.get()) {
        return true;
    }
    for (const auto& bar : song.Bars) {
        for (const auto& change : bar->TempoChanges) {
            if (change.get() == tempo) {
                return true;
            }
        }
    }
    return false;
}

void TGridEditing::MoveTempoMark(TDRTempo* mark, int32_t bar, int32_t tick) {
    if (mark == nullptr) {
        return;
    }
    if (m_editor.SnapTo) {
        tick = m_editor.Plocha.SnapTick(tick);
    }
    m_editor.MoveTempo(mark, bar, tick);
}

void TGridEditing::InsertTempo(int32_t bar, int32_t tick) {
    if (m_editor.SnapTo) {
        tick = m_editor.Plocha.SnapTick(tick);
    }
    m_editor.InsertTempoAt(bar, tick);
}

void TGridEditing::EditTempo(TDRTempo* mark) {
    if (!IsTempoInSong(mark)) {
        return;
    }
    m_editor.EditTempoCommand(mark);
}

void TGridEditing::DeleteTempo(TDRTempo* mark) {
    if (!IsTempoInSong(mark) || mark == m_editor.Song.InitialTempo.get()) {
        return;
    }
    m_editor.DeleteTempoCommand(mark);
}
