// TSongEditor: everything the song editor control does that needs no display -
// the song, its drumset and rows, the selection, hit creation, the bar and
// tempo commands and the scroll state. The widget owns one, forwards its
// commands to it and paints what it holds; the CLI and the tests drive it
// directly.
#pragma once

#include "drumset/Drumset.h"
#include "editor/Plocha.h"
#include "model/SongModel.h"

#include <cstdint>
#include <ctime>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

enum class TModeType { mtStandard, mtSelect, mtPlay };

// What the editor asks of whoever shows it. Every method has a headless
// default, so a bare TSongEditor works without a window.
class TEditorHost {
public:
    virtual ~TEditorHost() = default;
    // The picture changed: rebuild the flagged bitmaps and repaint.
    virtual void viewInvalidated(uint32_t /*flags*/) {}
    // The horizontal or vertical scroll position changed.
    virtual void scrollChanged() {}
    // The tempo dialog, filled from and read back into the values; false
    // when cancelled.
    virtual bool runTempoDialog(int32_t& /*bar*/, int32_t& /*tick*/, int32_t& /*tempo*/) {
        return false;
    }
    // The rows were built from the drumset again (also after a build that
    // stopped at a failing sample).
    virtual void rowsBuilt() {}
};

class TSongEditor {
public:
    // Measures a sample's playing length in ms; throws std::runtime_error
    // with the user's message when the sample cannot be opened.
    using TSampleLengthFunction = std::function<int32_t(TDrumsetItem&)>;

    TSongEditor();
    ~TSongEditor();
    TSongEditor(const TSongEditor&) = delete;
    TSongEditor& operator=(const TSongEditor&) = delete;

    void setHost(TEditorHost* host) { m_host = host ? host : &m_headless; }
    void setSampleLengthFunction(TSampleLengthFunction f) { m_sampleLength = std::move(f); }
    // The one random stream of hit creation: PickSample on a group row and
    // the fallback row choice both draw from it. Empty: a fresh random seed.
    void setRandomSource(TRandomSource source);

    // --- Lock shared with the playback worker ------------------------------------------
    // Held by the editing thread around every change of the song, the rows or
    // the drumset (take it with TSongEditLock), and by the playback worker
    // only while it reads them. Recursive, because commands call commands.
    std::recursive_mutex SongLock;
    // Called on the editing thread after each TSongEditLock is released, so
    // that a waiting playback worker looks at the changed song at once.
    void setEditListener(std::function<void()> listener) { m_editListener = std::move(listener); }
    void notifyEdited() const {
        if (m_editListener)
            m_editListener();
    }

    // --- Drumset and rows ---------------------------------------------------------
    // Loads the drumset file and rebuilds the rows; nothing happens when the
    // name and the file's modification time are unchanged. Throws
    // DrumsetError 'File "%s" does not exist.' for a missing file (nothing
    // changes), DrumsetError for a file that cannot be read (the song and the
    // rows are then empty), and the sample length function's error, which
    // ends the build after the failing sample's row.
    void SetDrumsetFile(const std::string& fileName);
    const std::string& DrumsetFile() const { return m_drumsetFile; }

    // --- Properties -----------------------------------------------------------------
    THitType HitType() const { return m_hitType; }
    void SetHitType(THitType hitType);
    TModeType ModeType() const { return m_modeType; }
    void SetModeType(TModeType mode) { m_modeType = mode; }
    bool SnapTo = true;
    bool Modified = false;
    bool PatternInsertMouseMode = false;

    // --- Hits -------------------------------------------------------------------------
    // A new unowned hit for a grid cell (sample -1: the group row chooses by
    // hit type); none when the group row has no samples.
    std::unique_ptr<TDRHit> CreateHit(int32_t bar, int32_t tick, int32_t sample, int32_t group);
    void ClearSelection();         // deselects every selected hit
    void SelectHit(TDRHit* hit);   // selects and appends to Selection
    void DeselectHit(TDRHit* hit); // deselects and removes from Selection
    int32_t SelectedCount() const { return static_cast<int32_t>(Selection.size()); }

    // ==== Selection, deletion and mute commands of mouse editing (begin) ====
    // Each takes the song lock and redraws what it changed.
    void SelectAllHits();
    // Over the whole song: the group's hits, only the sample's unless it is -1.
    void SelectHitsInRow(int32_t group, int32_t sample);
    void DeselectHitsInRow(int32_t group, int32_t sample);
    // Hits starting in the bar; nothing for a bar outside the song.
    void SelectBarHits(int32_t bar);
    void DeselectBarHits(int32_t bar);
    // Selects the bar's hits when any is unselected, else deselects them.
    void ToggleBarHits(int32_t bar);
    bool BarHasUnselectedHit(int32_t bar) const;
    bool BarHasSelectedHit(int32_t bar) const;
    bool BarHasHits(int32_t bar) const;
    // One undo action each; set Modified.
    void DeleteHitCommand(TDRHit* hit);
    void DeleteSelectedHits(); // opens its action also with nothing selected
    void DeleteHitsInBar(int32_t bar);
    // Deletes the selected hits that repeat the one before them in (bar,
    // tick, group, sample) order; returns how many went.
    int32_t DeleteDuplicateHits();
    // Orders Selection by position, group and sample (ties keep their
    // order), as drags and duplicate deletion take it.
    void SortSelection();
    // The plain click of the grid: a new hit at the place (tick snapped when
    // SnapTo is on), as one undo action; clears the selection. Returns the
    // hit, none for a row without samples.
    TDRHit* AddHitCommand(int32_t bar, int32_t tick, int32_t sample, int32_t group);
    // Moves an unowned hit copy to another row (sample -1: the group row
    // chooses as CreateHit does); its place, volume, panning and fades stay.
    void RetargetHit(TDRHit& hit, int32_t group, int32_t sample);
    void SetTrackMuted(int32_t track, bool muted);
    void MuteAllOtherGroups(int32_t track);
    void MuteOffAllGroups();
    // ==== Selection, deletion and mute commands of mouse editing (end) ====

    // --- Song, bar and tempo commands ------------------------------------------------
    void ClearSongCommand();
    void InsertBarsCommand(int32_t at, int32_t count);
    void DeleteBarsCommand(int32_t at, int32_t count);
    void GoToBar(int32_t bar);
    void InsertTempoAt(int32_t bar, int32_t tick);
    void InsertTempoCommand();
    void EditTempoCommand(TDRTempo* change);
    void DeleteTempoCommand(TDRTempo* change);
    void MoveTempo(TDRTempo* change, int32_t bar, int32_t tick);
    void StiahniHitsCommand(int32_t startBar, int32_t endBar, int32_t ticks);
    void UndoCommand();
    void RedoCommand();

    // --- Hit properties (editor/HitProperties.h, SongEditorProperties.cpp) ----------------
    // The hit properties dialog's results applied to one hit (start, fixed
    // end, volume, panning, fades; not journaled) or to every selected hit
    // (volume, panning, fades in place). Both mark the song modified.
    void EditHitProperties(TDRHit& hit, const struct TPropResults& results);
    void EditSelectionProperties(const struct TPropResults& results);
    // --- End of hit properties ------------------------------------------------------------

    // --- Geometry and scrolling ---------------------------------------------------------
    // The horizontal scroll bar's position: 8 steps per bar.
    int32_t HorzPosition() const { return m_horzPosition; }
    void SetHorzPosition(int32_t position);
    int32_t HorzMaximum() const { return Song.LastBar * 8; }
    void SetTopOffset(int32_t offset);
    int32_t VertMaximum() const;
    int32_t FirstBar() const { return Plocha.FirstBar; }
    int32_t SubBarOffset() const { return m_subBarOffset; }
    int32_t PixelOffset() const { return m_pixelOffset; }
    void SetBarWidth(int32_t w);
    void SetBarDivisionNumber(int32_t n);
    // The bar and tick under grid x (no mouse lookup: x must be a position;
    // BarAtX gives -1 left of the grid, x < 0).
    int32_t BarAtX(int32_t x) const;
    int32_t TickAtX(int32_t x) const;
    // Grid x of the start of a bar.
    int32_t BarX(int32_t bar) const;
    // Row-space y of a grid y.
    int32_t RowY(int32_t gridY) const { return gridY - RulerHeight + Plocha.TopOffset; }
    void ExpandAll();
    void CollapseAll();
    void SetTrackMode(int32_t track, TTrackMode mode);
    void InvalidateView(uint32_t flags);

    // --- State read by the painter, the file code and the commands ------------------------
    TDRComp Song;
    TPlocha Plocha;
    TDrumset Drumset;
    std::vector<TDRHit*> Selection;

private:
    void buildRows();
    void buildCutOffMap();
    int32_t randomIndex(int32_t n);
    // Brings the horizontal position back into a song that became shorter.
    void keepScrollInRange();
    // Runs the tempo dialog on the values, kept inside the dialog's ranges.
    bool runTempoDialog(int32_t& bar, int32_t& tick, int32_t& tempo);

    std::function<void()> m_editListener;
    TEditorHost m_headless;
    TEditorHost* m_host = &m_headless;
    TSampleLengthFunction m_sampleLength;
    std::string m_drumsetFile;
    std::filesystem::file_time_type m_drumsetTime{};
    THitType m_hitType = THitType::htHeavy;
    TModeType m_modeType = TModeType::mtStandard;
    int32_t m_horzPosition = 0;
    int32_t m_subBarOffset = 0;
    int32_t m_pixelOffset = 0;
    // Shared with the drumset's PickSample, so both draw from one stream.
    std::shared_ptr<TRandomSource> m_random;
};

// Holds TSongEditor::SongLock for one edit and tells the edit listener when
// the edit is over.
class TSongEditLock {
public:
    explicit TSongEditLock(TSongEditor& editor) : m_editor(editor) { m_editor.SongLock.lock(); }
    ~TSongEditLock() {
        m_editor.SongLock.unlock();
        m_editor.notifyEdited();
    }
    TSongEditLock(const TSongEditLock&) = delete;
    TSongEditLock& operator=(const TSongEditLock&) = delete;

private:
    TSongEditor& m_editor;
};
