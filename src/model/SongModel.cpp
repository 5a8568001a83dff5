// Creating, initialising and clearing a song.
#include "model/SongModel.h"

TDRPosition SubtractPositions(TDRPosition a, TDRPosition b) {
    TDRPosition r{a.Bar - b.Bar, a.Tick - b.Tick};
    if (r.Tick < 0) {
        r.Tick += TicksPerBar;
        r.Bar -= 1;
    }
    return r;
}

TDRPosition AddPositions(TDRPosition a, TDRPosition b) {
    TDRPosition r{a.Bar + b.Bar, a.Tick + b.Tick};
    if (r.Tick >= TicksPerBar) {
        r.Tick -= TicksPerBar;
        r.Bar += 1;
    }
    return r;
}

TDRComp::TDRComp() {
    InitSong(true);
}

TDRComp::~TDRComp() {
    // Journal entries and bars own their hits; clearing the journal first
    // keeps no entry pointing at a freed hit while the bars go.
    ClearUndo();
    ClearRedo();
}

void TDRComp::InitSong(bool resetCutOffMap) {
    RelinkList.clear();
    UndoList.clear();
    RedoList.clear();
    ActionId = 0;
    RedoActionId = 0;
    JournalSuspended = false;
    if (resetCutOffMap)
        ClearCutOffMap();

    LastBar = 10;
    Bars.clear();
    Bars.reserve(11);
    for (int i = 0; i <= LastBar; ++i)
        Bars.push_back(std::make_unique<TDRBar>());
    MaxSpan = 0;
    CursorBar = 0;
    CursorIndex = 0;

    InitialTempo = std::make_unique<TDRTempo>();
    InitialTempo->Tempo = 120;
    Bars[0]->StartTempo = InitialTempo.get();
    Bars[0]->StartMs = 0;
    RecomputeBarTimes(0);
}

void TDRComp::freeBars() {
    // Ending lists and cut lists only refer to hits the starting lists own.
    Bars.clear();
    m_detached.clear();
    LastBar = -1;
}

void TDRComp::ClearSong() {
    freeBars();
    RelinkList.clear();
    InitialTempo.reset();
    ClearUndo();
    ClearRedo();
    InitSong(false);
}
