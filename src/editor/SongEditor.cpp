// TSongEditor: construction, properties, hit creation, the selection, and
// the geometry and scroll state of the grid.
#include "editor/SongEditor.h"

#include <algorithm>
#include <random>

TSongEditor::TSongEditor() {
    Plocha.Song = &Song;
    setRandomSource({});
}

TSongEditor::~TSongEditor() = default;

void TSongEditor::setRandomSource(TRandomSource source) {
    if (!source) {
        source = seededRandomSource(std::random_device{}());
    }
    m_random = std::make_shared<TRandomSource>(std::move(source));
    Drumset.setRandomSource([random = m_random](int32_t n) { return (*random)(n); });
}

int32_t TSongEditor::randomIndex(int32_t n) {
    return std::clamp((*m_random)(n), 0, n - 1);
}

void TSongEditor::SetHitType(THitType hitType) {
    if (hitType == m_hitType) {
        return;
    }
    m_hitType = hitType;
    Drumset.UpdatePrioritySums(m_hitType);
}

// --- Hits ------------------------------------------------------------------------

namespace {

int32_t hitTypeMask(THitType hitType) {
    switch (hitType) {
    case THitType::htHeavy:
        return htMaskHeavy;
    case THitType::htMedium:
        return htMaskMedium;
    case THitType::htLight:
        return htMaskLight;
    case THitType::htAny:
        break;
    }
    return htMaskAny;
}

} // namespace

std::unique_ptr<TDRHit> TSongEditor::CreateHit(int32_t bar, int32_t tick, int32_t sample,
                                               int32_t group) {
    if (group < 0 || group >= static_cast<int32_t>(Plocha.Tracks.size())) {
        return nullptr;
    }
    const TDRPlTrack& track = *Plocha.Tracks[static_cast<size_t>(group)];
    const int32_t count = static_cast<int32_t>(track.Samples.size());
    if (count == 0) {
        return nullptr;
    }

    auto hit = std::make_unique<TDRHit>();
    int32_t index = sample;
    if (sample == -1) {
        hit->GroupHit = true;
        const TDrumsetItem* picked =
            track.GroupData ? Drumset.PickSample(*track.GroupData, m_hitType) : nullptr;
        auto it = std::find_if(track.Samples.begin(), track.Samples.end(), [picked](const auto& r) {
            return picked != nullptr && r->SampleData == picked;
        });
        index = it != track.Samples.end() ? static_cast<int32_t>(it - track.Samples.begin())
                                          : randomIndex(count);
    } else if (sample < 0 || sample >= count) {
        return nullptr;
    }

    const TDRPlSample& row = *track.Samples[static_cast<size_t>(index)];
    hit->LengthMs = row.Length;
    hit->StartBar = bar;
    hit->StartTick = tick;
    hit->Group = group;
    hit->Sample = index;
    hit->FixedLength = -1;
    hit->Selected = false;
    hit->HitTypeMask = hitTypeMask(m_hitType);
    if (const TDrumsetItem* data = row.SampleData) {
        hit->Volume = std::min(data->HitVolume, 100);
        hit->Panning = data->HitPanning;
        hit->FadeTill = data->FadeTillTime;
        hit->FadeOut = data->FadeOutTime;
    }
    return hit;
}

void TSongEditor::ClearSelection() {
    for (TDRHit* hit : Selection) {
        hit->Selected = false;
    }
    Selection.clear();
}

void TSongEditor::SelectHit(TDRHit* hit) {
    if (hit == nullptr) {
        return;
    }
    // A hit flagged but not listed belongs to a rubber band still being
    // dragged; only then is the list searched.
    const bool listed =
        hit->Selected && std::find(Selection.begin(), Selection.end(), hit) != Selection.end();
    hit->Selected = true;
    if (!listed) {
        Selection.push_back(hit);
    }
}

void TSongEditor::DeselectHit(TDRHit* hit) {
    if (hit == nullptr) {
        return;
    }
    hit->Selected = false;
    std::erase(Selection, hit);
}

// --- Geometry and scrolling --------------------------------------------------------

void TSongEditor::SetHorzPosition(int32_t position) {
    position = std::clamp(position, 0, std::max(HorzMaximum(), 0));
    const bool moved = position != m_horzPosition;
    const int32_t oldFirstBar = Plocha.FirstBar;
    m_horzPosition = position;
    Plocha.FirstBar = position / 8;
    m_subBarOffset = (position % 8) * 125;
    m_pixelOffset = Plocha.TickToPixels(m_subBarOffset);
    if (moved) {
        m_host->scrollChanged();
    }
    InvalidateView(Plocha.FirstBar != oldFirstBar ? dfHits | dfRuler : 0);
}

void TSongEditor::SetTopOffset(int32_t offset) {
    offset = std::clamp(offset, 0, VertMaximum());
    const bool moved = offset != Plocha.TopOffset;
    Plocha.TopOffset = offset;
    if (moved) {
        m_host->scrollChanged();
    }
    InvalidateView(dfBackground | dfHits | dfPanel);
}

int32_t TSongEditor::VertMaximum() const {
    return std::max(Plocha.RowsHeight() + RulerHeight + TimeStripHeight - Plocha.GridHeight, 0);
}

void TSongEditor::SetBarWidth(int32_t w) {
    const int32_t oldBarPixels = Plocha.BarPixels;
    Plocha.SetBarWidth(w);
    m_pixelOffset = Plocha.TickToPixels(m_subBarOffset);
    InvalidateView(Plocha.BarPixels != oldBarPixels ? dfAll : 0);
}

void TSongEditor::SetBarDivisionNumber(int32_t n) {
    Plocha.SetDivision(n);
    m_pixelOffset = Plocha.TickToPixels(m_subBarOffset);
    InvalidateView(dfAll);
}

int32_t TSongEditor::BarAtX(int32_t x) const {
    if (x < 0) {
        return -1;
    }
    return (x + m_pixelOffset) / Plocha.BarPixels + Plocha.FirstBar;
}

int32_t TSongEditor::TickAtX(int32_t x) const {
    return (Plocha.PixelsToTick(x) + m_subBarOffset) % TicksPerBar;
}

int32_t TSongEditor::BarX(int32_t bar) const {
    return (bar - Plocha.FirstBar) * Plocha.BarPixels - m_pixelOffset;
}

void TSongEditor::ExpandAll() {
    for (auto& track : Plocha.Tracks) {
        track->Collapsed = false;
        track->VolumeMode = false;
        track->PanningMode = false;
        track->Height = StandardRowHeight;
    }
    Plocha.LayoutTrack(0);
    InvalidateView(dfBackground | dfHits | dfPanel);
}

void TSongEditor::CollapseAll() {
    for (auto& track : Plocha.Tracks) {
        track->Collapsed = true;
        track->VolumeMode = false;
        track->PanningMode = false;
        track->Height = StandardRowHeight;
    }
    Plocha.LayoutTrack(0);
    InvalidateView(dfBackground | dfHits | dfPanel);
}

void TSongEditor::SetTrackMode(int32_t track, TTrackMode mode) {
    Plocha.SetTrackMode(track, mode);
    InvalidateView(dfBackground | dfHits | dfPanel);
}

void TSongEditor::InvalidateView(uint32_t flags) {
    Plocha.Dirty |= flags;
    m_host->viewInvalidated(flags);
}
