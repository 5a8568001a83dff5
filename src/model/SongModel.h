// TDRComp: one song held in memory - bars with their tempo map and hits,
// cut-off links between hits, and the undo journal.
#pragma once

#include "model/SongTypes.h"

#include <cstdint>
#include <memory>
#include <vector>

class TDRComp {
public:
    TDRComp();
    ~TDRComp();
    TDRComp(const TDRComp&) = delete;
    TDRComp& operator=(const TDRComp&) = delete;

    // --- Song, bars and tempo map -------------------------------------------
    void InitSong(bool resetCutOffMap);
    void ClearSong();

    int32_t PositionToMs(int32_t bar, int32_t tick);
    TDRPosition MsToPosition(int32_t ms, int32_t fromBar);
    void RecomputeBarTimes(int32_t fromBar);
    TDRTempo* TempoAt(int32_t bar, int32_t tick) const;
    TDRTempo* AddTempo(std::unique_ptr<TDRTempo> tempo, bool retime);
    std::unique_ptr<TDRTempo> RemoveTempo(TDRTempo* tempo, bool retime);

    int32_t BarCount() const { return LastBar + 1; }
    TDRBar& Bar(int32_t i) { return *Bars[static_cast<size_t>(i)]; }
    const TDRBar& Bar(int32_t i) const { return *Bars[static_cast<size_t>(i)]; }

    // --- Hits -----------------------------------------------------------------
    void PlaceHit(TDRHit& h);
    TDRHit* AddHit(std::unique_ptr<TDRHit> h);
    // Takes the hit out of the song. The result holds it when journaling is
    // suspended; otherwise the journal keeps it and the result is empty.
    std::unique_ptr<TDRHit> DeleteHit(TDRHit* h);
    void RefreshHitsFrom(int32_t fromBar);
    TDRHit* FindHitAt(int32_t group, int32_t sample, int32_t bar, int32_t tick) const;
    bool SelectHitsInRange(std::vector<TDRHit*>& list, const TDRGridPoint& low,
                           const TDRGridPoint& high, int32_t fromBar, int32_t toBar);
    bool CutsOff(int32_t cutterGroup, int32_t cutterSample, int32_t victimGroup,
                 int32_t victimSample) const;
    void ClearCutOffMap();
    TDRHit* FirstHitInBar(int32_t bar);
    TDRHit* NextHitInBar();

    // --- Journal --------------------------------------------------------------
    void NewAction() { ActionId += 1; }
    void SuspendJournal() { JournalSuspended = true; }
    void ResumeJournal() { JournalSuspended = false; }
    void ClearRedo();
    void ClearUndo();
    void Undo();
    void Redo();

    // --- Bar editing ----------------------------------------------------------
    void InsertBars(int32_t at, int32_t count, bool journal);
    void DeleteBars(int32_t at, int32_t count, bool journal);
    void StiahniHits(int32_t startBar, int32_t endBar, int32_t ticks);

    // --- State, read directly by the other parts --------------------------------
    std::vector<std::unique_ptr<TDRBar>> Bars;
    int32_t LastBar = -1;
    std::unique_ptr<TDRTempo> InitialTempo;

    std::vector<TDRKomGroup> CutOffMap;
    int32_t MaxSpan = 0;
    std::vector<TDRHit*> RelinkList;
    int32_t CursorBar = 0;
    int32_t CursorIndex = 0;

    std::vector<TDRJournalEntry> UndoList;
    std::vector<TDRJournalEntry> RedoList;
    int32_t ActionId = 0;
    int32_t RedoActionId = 0;
    bool JournalSuspended = false;

private:
    void growTo(int32_t lastBar);
    void appendBars(int32_t count);
    void freeBars();
    void journalHit(int32_t kind, TDRHit* h, std::unique_ptr<TDRHit> owned);
    void appendBarEntry(int32_t kind, int32_t bar, int32_t count);

    void linkCut(TDRHit* c, TDRHit* v);
    void unlinkCut(TDRHit* v);
    void findCutVictims(TDRHit* h);
    void findCutter(TDRHit* v);
    void applyFixedLength(TDRHit* h);
    TDRHit* nextCutCandidate(int32_t bar, int32_t ms, size_t& index, int32_t& barCursor) const;
    void insertEnding(TDRBar& bar, TDRHit* h);
    std::unique_ptr<TDRHit> detachHit(TDRHit* h);

    // Hits removed from the song with the journal suspended and no caller to
    // take them (bars dropped during Undo or Redo); freed with the song.
    std::vector<std::unique_ptr<TDRHit>> m_detached;
};
