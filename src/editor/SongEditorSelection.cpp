// TSongEditor: selecting hits by song, row and bar, the deletion commands,
// the plain-click hit, moving a hit copy to another row, and muting tracks.
#include "editor/SongEditor.h"

#include <algorithm>
#include <tuple>

namespace {

constexpr uint32_t RowFlags = dfBackground | dfHits | dfPanel;

bool inRow(const TDRHit& hit, int32_t group, int32_t sample) {
    return hit.Group == group && (sample == -1 || hit.Sample == sample);
}

// Removes the entries whose flag was cleared: one pass instead of a search
// per deselected hit.
void dropUnselected(std::vector<TDRHit*>& selection) {
    std::erase_if(selection, [](const TDRHit* h) { return !h->Selected; });
}

auto dragOrderKey(const TDRHit* h) {
    return std::make_tuple(int64_t{h->StartBar} * TicksPerBar + h->StartTick, h->Group, h->Sample);
}

} // namespace

void TSongEditor::SelectAllHits() {
    {
        TSongEditLock lock(*this);
        for (int32_t bar = 0; bar < Song.BarCount(); ++bar) {
            for (const auto& hit : Song.Bar(bar).StartingHits) {
                if (!hit->Selected) {
                    SelectHit(hit.get());
                }
            }
        }
    }
    InvalidateView(dfHits);
}

void TSongEditor::SelectHitsInRow(int32_t group, int32_t sample) {
    {
        TSongEditLock lock(*this);
        for (int32_t bar = 0; bar < Song.BarCount(); ++bar) {
            for (const auto& hit : Song.Bar(bar).StartingHits) {
                if (!hit->Selected && inRow(*hit, group, sample)) {
                    SelectHit(hit.get());
                }
            }
        }
    }
    InvalidateView(dfHits);
}

void TSongEditor::DeselectHitsInRow(int32_t group, int32_t sample) {
    {
        TSongEditLock lock(*this);
        for (TDRHit* hit : Selection) {
            if (inRow(*hit, group, sample)) {
                hit->Selected = false;
            }
        }
        dropUnselected(Selection);
    }
    InvalidateView(dfHits);
}

bool TSongEditor::BarHasHits(int32_t bar) const {
    return bar >= 0 && bar <= Song.LastBar && !Song.Bar(bar).StartingHits.empty();
}

bool TSongEditor::BarHasUnselectedHit(int32_t bar) const {
    if (!BarHasHits(bar)) {
        return false;
    }
    const auto& hits = Song.Bar(bar).StartingHits;
    return std::any_of(hits.begin(), hits.end(), [](const auto& h) { return !h->Selected; });
}

bool TSongEditor::BarHasSelectedHit(int32_t bar) const {
    if (!BarHasHits(bar)) {
        return false;
    }
    const auto& hits = Song.Bar(bar).StartingHits;
    return std::any_of(hits.begin(), hits.end(), [](const auto& h) { return h->Selected; });
}

void TSongEditor::SelectBarHits(int32_t bar) {
    if (!BarHasHits(bar)) {
        return;
    }
    {
        TSongEditLock lock(*this);
        for (const auto& hit : Song.Bar(bar).StartingHits) {
            if (!hit->Selected) {
                SelectHit(hit.get());
            }
        }
    }
    InvalidateView(dfHits);
}

void TSongEditor::DeselectBarHits(int32_t bar) {
    if (!BarHasHits(bar)) {
        return;
    }
    {
        TSongEditLock lock(*this);
        bool any = false;
        for (const auto& hit : Song.Bar(bar).StartingHits) {
            any = any || hit->Selected;
            hit->Selected = false;
        }
        if (any) {
            dropUnselected(Selection);
        }
    }
    InvalidateView(dfHits);
}

void TSongEditor::ToggleBarHits(int32_t bar) {
    if (!BarHasHits(bar)) {
        return;
    }
    if (BarHasUnselectedHit(bar)) {
        SelectBarHits(bar);
    } else {
        DeselectBarHits(bar);
    }
}

void TSongEditor::DeleteHitCommand(TDRHit* hit) {
    if (hit == nullptr || !hit->InSong) {
        return;
    }
    {
        TSongEditLock lock(*this);
        if (hit->Selected) {
            DeselectHit(hit);
        }
        Song.NewAction();
        Modified = true;
        Song.DeleteHit(hit);
    }
    InvalidateView(dfHits);
}

void TSongEditor::DeleteSelectedHits() {
    {
        TSongEditLock lock(*this);
        Song.NewAction();
        Modified = true;
        std::vector<TDRHit*> selection = std::move(Selection);
        Selection.clear();
        for (TDRHit* hit : selection) {
            hit->Selected = false;
            Song.DeleteHit(hit);
        }
    }
    InvalidateView(dfHits);
}

void TSongEditor::DeleteHitsInBar(int32_t bar) {
    if (!BarHasHits(bar)) {
        return;
    }
    {
        TSongEditLock lock(*this);
        Song.NewAction();
        Modified = true;
        auto& hits = Song.Bar(bar).StartingHits;
        // Out of the selection before they go: a deleted hit may be freed.
        bool anySelected = false;
        for (const auto& hit : hits) {
            anySelected = anySelected || hit->Selected;
            hit->Selected = false;
        }
        if (anySelected) {
            dropUnselected(Selection);
        }
        while (!hits.empty()) {
            Song.DeleteHit(hits.front().get());
        }
    }
    InvalidateView(dfHits);
}

void TSongEditor::SortSelection() {
    std::stable_sort(Selection.begin(), Selection.end(), [](const TDRHit* a, const TDRHit* b) {
        return dragOrderKey(a) < dragOrderKey(b);
    });
}

int32_t TSongEditor::DeleteDuplicateHits() {
    int32_t removed = 0;
    {
        TSongEditLock lock(*this);
        SortSelection();
        // The place of the hit before, by value: with the journal suspended a
        // deleted hit is freed at once.
        std::tuple<int32_t, int32_t, int32_t, int32_t> before{-1, -1, -1, -1};
        bool first = true;
        std::vector<TDRHit*> kept;
        kept.reserve(Selection.size());
        for (TDRHit* hit : Selection) {
            const auto place =
                std::make_tuple(hit->StartBar, hit->StartTick, hit->Group, hit->Sample);
            const bool repeats = !first && place == before;
            first = false;
            before = place;
            if (!repeats) {
                kept.push_back(hit);
                continue;
            }
            if (removed == 0) {
                Song.NewAction();
                Modified = true;
            }
            ++removed;
            hit->Selected = false;
            Song.DeleteHit(hit);
        }
        Selection = std::move(kept);
    }
    InvalidateView(dfBackground | dfHits | dfPanel);
    return removed;
}

TDRHit* TSongEditor::AddHitCommand(int32_t bar, int32_t tick, int32_t sample, int32_t group) {
    if (SnapTo) {
        tick = Plocha.SnapTick(tick);
    }
    std::unique_ptr<TDRHit> hit = CreateHit(bar, tick, sample, group);
    if (!hit) {
        return nullptr;
    }
    TDRHit* added = nullptr;
    {
        TSongEditLock lock(*this);
        Song.NewAction();
        Modified = true;
        added = Song.AddHit(std::move(hit));
        ClearSelection();
    }
    InvalidateView(dfHits);
    return added;
}

void TSongEditor::RetargetHit(TDRHit& hit, int32_t group, int32_t sample) {
    // CreateHit makes the same row choice a new hit would get.
    const std::unique_ptr<TDRHit> model = CreateHit(hit.StartBar, hit.StartTick, sample, group);
    if (!model) {
        return;
    }
    hit.GroupHit = model->GroupHit;
    hit.LengthMs = model->LengthMs;
    hit.Group = model->Group;
    hit.Sample = model->Sample;
    hit.HitTypeMask = model->HitTypeMask;
}

void TSongEditor::SetTrackMuted(int32_t track, bool muted) {
    if (track < 0 || track >= static_cast<int32_t>(Plocha.Tracks.size())) {
        return;
    }
    {
        TSongEditLock lock(*this);
        Plocha.Tracks[static_cast<size_t>(track)]->Muted = muted;
    }
    InvalidateView(RowFlags);
}

void TSongEditor::MuteAllOtherGroups(int32_t track) {
    {
        TSongEditLock lock(*this);
        for (size_t i = 0; i < Plocha.Tracks.size(); ++i) {
            Plocha.Tracks[i]->Muted = static_cast<int32_t>(i) != track;
        }
    }
    InvalidateView(RowFlags);
}

void TSongEditor::MuteOffAllGroups() {
    {
        TSongEditLock lock(*this);
        for (const auto& track : Plocha.Tracks) {
            track->Muted = false;
        }
    }
    InvalidateView(RowFlags);
}
