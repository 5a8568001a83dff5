// TGridEditing: the state and arithmetic of editing the grid with the mouse -
// dragging selected hits in time or across rows, the rubber band, the knobs
// and the tempo marks - without a display. The widget feeds it grid
// coordinates already turned into places and rows and paints what it holds.
#pragma once

#include "editor/SongEditor.h"

#include <cstdint>
#include <memory>
#include <vector>

// Where the band was started, kept with the scroll state of that moment.
struct TBandAnchor {
    int32_t Bar = 0;
    int32_t Tick = 0;
    TRowAddress Row;
    int32_t X = 0;
    int32_t Y = 0;
    int32_t FirstBar = 0;
    int32_t PixelOffset = 0;
};

class TGridEditing {
public:
    explicit TGridEditing(TSongEditor& editor) : m_editor(editor) {}

    // --- Dragging selected hits ------------------------------------------------------
    // Puts the selection in drag order (place, group, sample) and copies it.
    // downPlace is the mouse-down place, grabbed the hit the drag started on.
    void BeginHitDrag(TDRPosition downPlace, const TDRHit& grabbed, TRowAddress downRow);
    bool HitDragActive() const { return m_hitDrag; }
    // Moves the copies to follow the mouse at (bar, tick); false when the
    // offset did not change.
    bool TimeDragOver(int32_t bar, int32_t tick);
    // Moves the copies to the row under the mouse, wrapping past the last
    // track; false for no row or the row reached last time.
    bool RowDragOver(TRowAddress target);
    // Replaces the selected hits with their copies as one undo action.
    void DropHits();
    void EndHitDrag();
    const std::vector<std::unique_ptr<TDRHit>>& DragCopies() const { return m_copies; }
    std::vector<const TDRHit*> DragCopyList() const;

    // --- Rubber band ---------------------------------------------------------------------
    void BeginBand(const TBandAnchor& anchor);
    bool BandActive() const { return m_bandActive; }
    const TBandAnchor& BandStart() const { return m_band; }
    // The band's row at a grid y: the row there, else the last row when
    // below the ruler, else the first track.
    TRowAddress BandRowAt(int32_t gridY) const;
    // Selects what lies between the anchor and (bar, tick, row); true when
    // a hit's selection changed.
    bool BandMove(int32_t bar, int32_t tick, TRowAddress row);
    // The band's hits join the selection.
    void EndBand();
    const std::vector<TDRHit*>& BandSelection() const { return m_bandSelection; }
    // The corners BandMove used last.
    TDRGridPoint BandLow() const { return m_low; }
    TDRGridPoint BandHigh() const { return m_high; }

    // --- Knobs ------------------------------------------------------------------------------
    // Starts on the row (sample -1: the group row, any of its samples);
    // base y and range come from the row's top and the track's height.
    void BeginKnobDrag(TRowAddress row, bool volume);
    bool KnobDragActive() const { return m_knobActive; }
    // Sets the knobs within 3 pixels of grid x from grid y; true when a
    // value changed (the song is then Modified).
    bool KnobDragTo(int32_t x, int32_t y);
    void EndKnobDrag() { m_knobActive = false; }
    int32_t KnobTrack() const { return m_knobRow.Group; }
    int32_t KnobBaseY() const { return m_knobBaseY; }
    int32_t KnobRange() const { return m_knobRange; }
    static int32_t VolumeForLift(int32_t lift, int32_t range);
    static int32_t PanningForLift(int32_t lift, int32_t range);

    // --- Tempo marks --------------------------------------------------------------------
    // The tempo label under grid x in the ruler, none when there is none.
    TDRTempo* TempoMarkAt(int32_t x) const;
    bool IsTempoInSong(const TDRTempo* tempo) const;
    // These mark the song Modified when they change the tempo map.
    void MoveTempoMark(TDRTempo* mark, int32_t bar, int32_t tick); // tick snapped with SnapTo
    void InsertTempo(int32_t bar, int32_t tick);                   // tick snapped with SnapTo
    void EditTempo(TDRTempo* mark);
    void DeleteTempo(TDRTempo* mark);

private:
    TSongEditor& m_editor;

    bool m_hitDrag = false;
    std::vector<std::unique_ptr<TDRHit>> m_copies;
    TDRPosition m_downPlace;
    TDRPosition m_grabbedStart;
    TRowAddress m_grabbedRow;
    TDRPosition m_lastOffset;
    TRowAddress m_lastRow;

    bool m_bandActive = false;
    bool m_bandMoved = false;
    TBandAnchor m_band;
    int32_t m_bandMinBar = 0;
    int32_t m_bandMaxBar = 0;
    TDRGridPoint m_low;
    TDRGridPoint m_high;
    std::vector<TDRHit*> m_bandSelection;

    bool m_knobActive = false;
    bool m_knobVolume = true;
    TRowAddress m_knobRow;
    int32_t m_knobBaseY = 0;
    int32_t m_knobRange = 0;
};
