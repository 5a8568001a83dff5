// TSongEditor: the hit properties dialog's results applied to one hit or to
// the selection.
#include "editor/HitProperties.h"
#include "editor/SongEditor.h"

#include <algorithm>

namespace {

using namespace PropLimits;

// The given value held to 0..max, or the current one when not given.
int32_t givenOr(int32_t value, int32_t current, int32_t max) {
    return value < 0 ? current : std::min(value, max);
}

void applySound(TDRHit& hit, const TPropResults& results) {
    hit.Volume = givenOr(results.Volume, hit.Volume, MaxPercent);
    hit.Panning = std::clamp(results.Panning, -MaxPercent, MaxPercent);
    hit.FadeTill = givenOr(results.BeforeFadeOut, hit.FadeTill, MaxBeforeFadeOut);
    hit.FadeOut = givenOr(results.FadeOut, hit.FadeOut, MaxFadeOut);
}

} // namespace

void TSongEditor::EditHitProperties(TDRHit& hit, const TPropResults& results) {
    {
        TSongEditLock lock(*this);
        if (!hit.InSong) {
            return;
        }
        // Taken out and put back as one record, so the journal's entries for
        // it stay valid; the move itself is not an undoable action.
        const bool wasSuspended = Song.JournalSuspended;
        Song.SuspendJournal();
        std::unique_ptr<TDRHit> owned = Song.DeleteHit(&hit);
        hit.StartBar = givenOr(results.Bar, hit.StartBar, MaxBar);
        hit.StartTick = givenOr(results.Tick, hit.StartTick, TicksPerBar - 1);
        if (results.EndTime >= 0) {
            hit.FixedLength = results.EndTime == hit.LengthMs ? -1 : results.EndTime;
        }
        applySound(hit, results);
        Song.AddHit(std::move(owned));
        Song.JournalSuspended = wasSuspended;
        Modified = true;
    }
    InvalidateView(dfHits);
}

void TSongEditor::EditSelectionProperties(const TPropResults& results) {
    if (Selection.empty()) {
        return;
    }
    {
        TSongEditLock lock(*this);
        for (TDRHit* hit : Selection) {
            applySound(*hit, results);
        }
        Modified = true;
    }
    InvalidateView(dfHits);
}
