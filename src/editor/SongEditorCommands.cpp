// TSongEditor: the song, bar, tempo and undo commands of the editor.
#include "editor/SongEditor.h"

#include <algorithm>

namespace {

// Ranges of the tempo dialog; values from elsewhere are held to them so a
// tempo of 0 can never reach the tempo map's divisions.
constexpr int32_t MaxDialogBar = 999999;
constexpr int32_t MinTempo = 1;
constexpr int32_t MaxTempo = 10000;

constexpr uint32_t TempoFlags = dfHits | dfRuler;
constexpr uint32_t BarFlags = dfBackground | dfHits | dfRuler;

int32_t dialogBar(int32_t bar) {
    return std::clamp(bar, 0, MaxDialogBar);
}

int32_t dialogTick(int32_t tick) {
    return std::clamp(tick, 0, TicksPerBar - 1);
}

} // namespace

bool TSongEditor::runTempoDialog(int32_t& bar, int32_t& tick, int32_t& tempo) {
    if (!m_host->runTempoDialog(bar, tick, tempo)) {
        return false;
    }
    bar = dialogBar(bar);
    tick = dialogTick(tick);
    tempo = std::clamp(tempo, MinTempo, MaxTempo);
    return true;
}

void TSongEditor::keepScrollInRange() {
    // What the scroll bar does when its maximum drops below its position.
    if (m_horzPosition > HorzMaximum()) {
        SetHorzPosition(HorzMaximum());
    }
}

void TSongEditor::ClearSongCommand() {
    TSongEditLock lock(*this);
    Modified = false;
    ClearSelection();
    Song.ClearSong();
    SetHorzPosition(0);
    InvalidateView(dfAll);
}

void TSongEditor::InsertBarsCommand(int32_t at, int32_t count) {
    TSongEditLock lock(*this);
    ClearSelection();
    Song.InsertBars(at, count, true);
    // Bar, tempo and Stiahni edits are saved with the song, so closing must ask.
    Modified = true;
    InvalidateView(BarFlags);
}

void TSongEditor::DeleteBarsCommand(int32_t at, int32_t count) {
    TSongEditLock lock(*this);
    ClearSelection();
    Song.DeleteBars(at, count, true);
    Modified = true;
    keepScrollInRange();
    InvalidateView(BarFlags);
}

void TSongEditor::GoToBar(int32_t bar) {
    if (bar < 0 || bar > Song.LastBar) {
        return;
    }
    SetHorzPosition(bar * 8);
}

void TSongEditor::InsertTempoAt(int32_t bar, int32_t tick) {
    bar = dialogBar(bar);
    tick = dialogTick(tick);
    auto proposal = std::make_unique<TDRTempo>();
    proposal->Bar = bar;
    proposal->Tick = tick;
    proposal->Tempo = Song.TempoAt(bar, tick)->Tempo;
    proposal->Highlighted = true;
    TDRTempo* change = nullptr;
    {
        // Never held over the dialog: the playback worker would wait on it.
        TSongEditLock lock(*this);
        change = Song.AddTempo(std::move(proposal), false);
    }
    InvalidateView(TempoFlags);

    int32_t newBar = change->Bar;
    int32_t newTick = change->Tick;
    int32_t tempo = change->Tempo;
    bool confirmed = false;
    try {
        confirmed = runTempoDialog(newBar, newTick, tempo);
    } catch (...) {
        {
            TSongEditLock lock(*this);
            Song.RemoveTempo(change, false);
        }
        InvalidateView(TempoFlags);
        throw;
    }
    {
        TSongEditLock lock(*this);
        std::unique_ptr<TDRTempo> owned = Song.RemoveTempo(change, false);
        if (confirmed) {
            owned->Bar = newBar;
            owned->Tick = newTick;
            owned->Tempo = tempo;
            owned->Highlighted = false;
            Song.AddTempo(std::move(owned), true);
            Modified = true;
        }
    }
    InvalidateView(TempoFlags);
}

void TSongEditor::InsertTempoCommand() {
    InsertTempoAt(m_horzPosition / 8 + 1, 0);
}

void TSongEditor::EditTempoCommand(TDRTempo* change) {
    if (change == nullptr) {
        return;
    }
    change->Highlighted = true;
    InvalidateView(TempoFlags);
    int32_t bar = change->Bar;
    int32_t tick = change->Tick;
    int32_t tempo = change->Tempo;
    bool confirmed = false;
    try {
        confirmed = runTempoDialog(bar, tick, tempo);
    } catch (...) {
        change->Highlighted = false;
        InvalidateView(TempoFlags);
        throw;
    }

    TSongEditLock lock(*this);
    if (confirmed) {
        Modified = true;
    }
    if (confirmed && change == Song.InitialTempo.get()) {
        change->Tempo = tempo;
        change->LabelWidth = 0;
        Song.RecomputeBarTimes(0);
        Song.RefreshHitsFrom(0);
    } else if (confirmed) {
        const int32_t oldBar = change->Bar;
        std::unique_ptr<TDRTempo> owned = Song.RemoveTempo(change, false);
        if (owned) {
            owned->Bar = bar;
            owned->Tick = tick;
            owned->Tempo = tempo;
            owned->LabelWidth = 0;
            Song.AddTempo(std::move(owned), false);
            const int32_t from = std::min(oldBar, bar);
            Song.RecomputeBarTimes(from);
            Song.RefreshHitsFrom(from);
        }
    }
    change->Highlighted = false;
    InvalidateView(TempoFlags);
}

void TSongEditor::DeleteTempoCommand(TDRTempo* change) {
    TSongEditLock lock(*this);
    if (change == nullptr || change == Song.InitialTempo.get()) {
        return;
    }
    Song.RemoveTempo(change, true);
    Modified = true;
    InvalidateView(TempoFlags);
}

void TSongEditor::MoveTempo(TDRTempo* change, int32_t bar, int32_t tick) {
    TSongEditLock lock(*this);
    // Only changes in the map move; the initial tempo is not draggable.
    if (change == nullptr || change == Song.InitialTempo.get()) {
        return;
    }
    bar = dialogBar(bar);
    tick = dialogTick(tick);
    if (bar == change->Bar && tick == change->Tick) {
        return;
    }
    const int32_t oldBar = change->Bar;
    std::unique_ptr<TDRTempo> owned = Song.RemoveTempo(change, false);
    if (!owned) {
        return;
    }
    owned->Bar = bar;
    owned->Tick = tick;
    Song.AddTempo(std::move(owned), false);
    const int32_t from = std::min(oldBar, bar);
    Song.RecomputeBarTimes(from);
    Song.RefreshHitsFrom(from);
    Modified = true;
    InvalidateView(TempoFlags);
}

void TSongEditor::StiahniHitsCommand(int32_t startBar, int32_t endBar, int32_t ticks) {
    TSongEditLock lock(*this);
    Song.StiahniHits(startBar, endBar, ticks);
    Modified = true;
    InvalidateView(dfHits);
}

void TSongEditor::UndoCommand() {
    TSongEditLock lock(*this);
    ClearSelection();
    Song.Undo();
    keepScrollInRange();
    InvalidateView(BarFlags);
}

void TSongEditor::RedoCommand() {
    TSongEditLock lock(*this);
    ClearSelection();
    Song.Redo();
    keepScrollInRange();
    InvalidateView(BarFlags);
}
