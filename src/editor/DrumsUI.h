// TDrumsUI: the song editor control - the grid of tracks and bars with its
// ruler, time strip, row panel, splitter and scroll bars. It owns the
// editor's logic (TSongEditor: song, drumset, rows, commands), paints what
// that holds through TGridPainter's cached bitmaps, and draws the overlays
// (play cursor, crosshair, selection band, dragged hits) over them in every
// paint. Mouse editing builds on the protected hooks.
#pragma once

#include "drumset/DrumsetMapping.h"
#include "editor/EditorOverlays.h"
#include "editor/GridEditing.h"
#include "editor/GridPainter.h"
#include "editor/SongEditor.h"

#include <QEvent>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QAction;
class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;
class QFrame;
class QKeyEvent;
class QMenu;
class QMouseEvent;
class QScrollBar;
class QSplitter;
class QTimer;
class TGridView;
class TMapDrumsetForm;
class TRowPanelView;

namespace audio {
class Playback;
class PlaybackClock;
class PlaybackEngine;
} // namespace audio
enum class TPlayingState;
class TDrumsUIPlaybackHost;

// Posted to the control after every size change; its handler lays the grid
// out again once the child windows have their new sizes.
static constexpr QEvent::Type UM_RELAYOUT = static_cast<QEvent::Type>(QEvent::User + 1);

static constexpr int32_t ScrollBarSize = 18;
static constexpr int32_t InitialPanelWidth = 110;
static constexpr int32_t SplitterWidth = 5;

class TDrumsUI : public QWidget, public TEditorHost {
    Q_OBJECT

public:
    // Fills the tempo dialog from the values and reads them back; false when
    // cancelled.
    using TTempoDialog = std::function<bool(int32_t& bar, int32_t& tick, int32_t& tempo)>;

    explicit TDrumsUI(QWidget* parent = nullptr);
    ~TDrumsUI() override;

    TSongEditor& Editor() { return *m_editor; }
    const TSongEditor& Editor() const { return *m_editor; }
    TGridPainter& Painter() { return *m_painter; }

    // --- Drumset and song files (errors are thrown with the user's message) ---
    // Both stop playback first.
    void SetDrumsetFile(const std::string& fileName);
    void ClearSongCommand();
    // Loads with the "Drumset mapper" window for names that do not match.
    void LoadSong(const std::string& fileName, bool keepDrumset, int32_t barOffset,
                  int32_t tickOffset, bool merge, bool keepFile);
    void SaveSong(const std::string& fileName, bool selectedOnly);
    // Maps a load's group and sample records onto the rows, asking the user
    // through the mapper window when a name does not match.
    void ResolveNames(TLoadGroupList& groups);
    // The mapper window, created on first use and reused.
    TMapDrumsetForm& MapDrumsetForm();
    void setTempoDialog(TTempoDialog dialog) { m_tempoDialog = std::move(dialog); }

    // --- View properties and commands -----------------------------------------
    int32_t BarWidth() const { return m_editor->Plocha.BarWidth; }
    void SetBarWidth(int32_t w) { m_editor->SetBarWidth(w); }
    int32_t BarDivisionNumber() const { return m_editor->Plocha.BarDivisionNumber; }
    void SetBarDivisionNumber(int32_t n) { m_editor->SetBarDivisionNumber(n); }
    bool SnapTo() const { return m_editor->SnapTo; }
    void SetSnapTo(bool on) { m_editor->SnapTo = on; }
    bool TargetCursor() const { return m_targetCursor; }
    void SetTargetCursor(bool on);
    int32_t FirstBar() const { return m_editor->FirstBar(); }
    void InvalidateView(uint32_t flags) { m_editor->InvalidateView(flags); }
    void ExpandAll() { m_editor->ExpandAll(); }
    void CollapseAll() { m_editor->CollapseAll(); }
    void SetTrackMode(int32_t track, TTrackMode mode) { m_editor->SetTrackMode(track, mode); }
    // The bar under grid x; x = -1 takes the mouse position and gives -1
    // when the mouse is left of the grid.
    int32_t BarAtX(int32_t x) const;
    int32_t TickAtX(int32_t x) const { return m_editor->TickAtX(x); }
    // The row under a grid y; none outside the rows band.
    TRowAddress RowAtGridY(int32_t y) const;

    // --- Play cursor: x in grid pixels, -1 = none ---------------------------------
    int32_t CursorX() const { return m_cursorX; }
    // While set, the cursor is neither drawn nor erased.
    bool CursorSuppressed() const { return m_cursorSuppressed; }
    void SetCursorSuppressed(bool on) { m_cursorSuppressed = on; }
    // Shows the cursor at x (moving it from where it was).
    void DrawCursor(int32_t x);
    void EraseCursor();

    // --- Crosshair and hovered row -------------------------------------------------
    // The drawn crosshair; (-1, -1) when none.
    QPoint CrosshairPos() const { return m_crosshair; }
    void EraseCrosshair();
    TRowAddress HoveredRow() const { return m_hoveredRow; }
    void SetHoveredRow(TRowAddress row);

    // --- Overlays of mouse editing -------------------------------------------------
    void SetSelectionBand(const TSelectionBand& band);
    void ClearSelectionBand();
    const std::optional<TSelectionBand>& SelectionBand() const { return m_band; }
    // Hits shown as dotted outlines (copies being dragged; owned by the caller
    // until cleared with an empty list).
    void SetDraggedHits(std::vector<const TDRHit*> hits);
    const std::vector<const TDRHit*>& DraggedHits() const { return m_dragged; }
    // Redraws one track's band alone in the next paint (knob dragging).
    void RefreshTrackBand(int32_t track);

    // --- Playback (the scheduler is attached by the owner) -------------------------
    // Creates the scheduler over the engine (which must outlive the control);
    // a scheduler attached before is stopped and replaced.
    void AttachPlayback(audio::PlaybackEngine& engine, std::shared_ptr<audio::PlaybackClock> clock);
    // Stops and removes the scheduler (before its engine goes).
    void DetachPlayback();
    // Null until AttachPlayback.
    audio::Playback* Playback() const { return m_playback.get(); }
    TPlayingState PlayingState() const;
    // Stops a run and waits for its worker: before the song is replaced or
    // cleared, a drumset is loaded, or the program closes.
    void StopPlayback();
    // Preview of one hit at once; nothing without a scheduler.
    void PlayHit(const TDRHit& hit);
    // "Play from bar": from the bar at grid x (the context menu's point);
    // the information box when no hit follows.
    void PlayFromBar(int32_t gridX);
    // Receives every drum shortcut action when the rows are built (the
    // ShortcutActionList); the actions are freed with the drumset.
    void SetShortcutActionList(std::function<void(QAction*)> list) {
        m_shortcutActionList = std::move(list);
    }
    // Shows errors of playback and information boxes; default: message boxes.
    using TMessageBox = std::function<void(bool error, const QString& text)>;
    void SetMessageBox(TMessageBox box) { m_messageBox = std::move(box); }
    void ShowMessage(bool error, const QString& text);
    // The play cursor's timer (null before the first run).
    QTimer* CursorTimer() const { return m_cursorTimer; }
    // One period of the play cursor's timer (tests call it directly).
    void CursorTimerTick();

    // --- Hit property dialogs ----------------------------------------------------------
    // "Properties..." of the hit menu and "Selected hits properties..." of the
    // bar menu.
    void ShowHitProperties(TDRHit& hit);
    void ShowSelectionProperties();

    // --- Child controls --------------------------------------------------------------
    QScrollBar* VertScrollBar() const { return m_vertScroll; }
    QScrollBar* HorzScrollBar() const { return m_horzScroll; }
    QFrame* BottomStrip() const { return m_bottomStrip; }
    QFrame* CornerBox() const { return m_cornerBox; }
    QWidget* RowPanel() const;
    QSplitter* Splitter() const { return m_splitter; }
    QWidget* Grid() const;

    // --- TEditorHost -------------------------------------------------------------------
    void viewInvalidated(uint32_t flags) override;
    void scrollChanged() override;
    bool runTempoDialog(int32_t& bar, int32_t& tick, int32_t& tempo) override;
    void rowsBuilt() override;

    // ==== Mouse and keyboard editing (begin) ====
    // Sets the editor's mode; the grid's pointer is a crosshair in
    // mtStandard and the arrow otherwise.
    void SetModeType(TModeType mode);
    TGridEditing& GridEditing();
    // The four context menus, built for the point of the last mouse-down.
    // With a menu hook set, a right click hands the menu to the hook instead
    // of showing it (tests look at it and trigger its actions there).
    using TMenuHook = std::function<void(QMenu& menu)>;
    void SetMenuHook(TMenuHook hook) { m_menuHook = std::move(hook); }
    std::unique_ptr<QMenu> BuildHitMenu(TDRHit* hit);
    std::unique_ptr<QMenu> BuildBarMenu(int32_t gridX);
    std::unique_ptr<QMenu> BuildTempoMenu(TDRTempo* mark);
    std::unique_ptr<QMenu> BuildRowMenu(TRowAddress row);

private:
    enum class TGridDrag { None, Time, Row, Tempo };
    // The crosshair and the hovered row of a grid mouse move.
    void trackPointer(QMouseEvent* event);
    void showMenu(QMenu& menu, QPoint globalPos);
    void leftClickInTrack(QMouseEvent* event, TRowAddress row, TDRHit* hit);
    void armDrag(TGridDrag kind, QPoint at, int32_t threshold);
    void dragOver(QPoint at);
    void endDrag(bool drop);
    void bandMoved(QPoint at);
    void knobMoved(QPoint at);
    void syncModeCursor();

    std::unique_ptr<TGridEditing> m_gridEditing;
    TMenuHook m_menuHook;
    TGridDrag m_dragKind = TGridDrag::None;
    bool m_dragStarted = false;
    QPoint m_dragFrom;
    int32_t m_dragThreshold = 0;
    TDRTempo* m_tempoMark = nullptr;
    // The last mouse-down in the grid: point, place, row and hit there.
    QPoint m_downAt;
    int32_t m_downBar = 0;
    int32_t m_downTick = 0;
    TRowAddress m_downRow;
    TDRHit* m_downHit = nullptr;
    // ==== Mouse and keyboard editing (end) ====

protected:
    // Hooks of mouse and keyboard editing. The base grid and row panel moves
    // keep the crosshair and the hovered row; an override calls them too.
    virtual void GridMouseDown(QMouseEvent* event);
    virtual void GridMouseMove(QMouseEvent* event);
    virtual void GridMouseUp(QMouseEvent* event);
    virtual void GridDragEnter(QDragEnterEvent* /*event*/) {}
    virtual void GridDragMove(QDragMoveEvent* /*event*/) {}
    virtual void GridDrop(QDropEvent* /*event*/) {}
    virtual void RowPanelMouseDown(QMouseEvent* event);
    virtual void RowPanelMouseMove(QMouseEvent* event);
    // A key pressed on either scroll bar; true when handled.
    virtual bool ScrollBarKeyDown(QKeyEvent* event);

    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    friend class TGridView;
    friend class TRowPanelView;
    friend class TDrumsUIPlaybackHost;

    void paintGrid(QPainter& p, const QRegion& region);
    void paintRowPanel(QPainter& p, const QRegion& region);
    void layoutChildren();
    void postRelayout();
    void relayout();
    void syncScrollBars();
    void horzScrollMoved(int value);
    void vertScrollMoved(int value);
    QRect bandOnScreen() const;

    std::unique_ptr<TSongEditor> m_editor;
    std::unique_ptr<TGridPainter> m_painter;
    QScrollBar* m_vertScroll = nullptr;
    QFrame* m_bottomStrip = nullptr;
    QFrame* m_cornerBox = nullptr;
    QScrollBar* m_horzScroll = nullptr;
    TRowPanelView* m_rowPanel = nullptr;
    QSplitter* m_splitter = nullptr;
    TGridView* m_grid = nullptr;
    TMapDrumsetForm* m_mapForm = nullptr;
    TTempoDialog m_tempoDialog;

    bool m_targetCursor = false;
    QPoint m_crosshair{-1, -1};
    TRowAddress m_hoveredRow;
    int32_t m_cursorX = -1;
    bool m_cursorSuppressed = false;
    std::optional<TSelectionBand> m_band;
    std::vector<const TDRHit*> m_dragged;
    int32_t m_pendingTrack = -1;
    int32_t m_lastHorzPosition = 0;
    bool m_relayoutPosted = false;
    bool m_syncingScroll = false;

    // Playback: the scheduler reports through the host; the cursor timer is
    // made on the first run and reused.
    void startCursorTimer();
    void stopCursorTimer();
    int32_t cursorXAt(int32_t bar, int32_t tick) const;
    std::unique_ptr<TDrumsUIPlaybackHost> m_playbackHost;
    std::unique_ptr<audio::Playback> m_playback;
    QTimer* m_cursorTimer = nullptr;
    std::function<void(QAction*)> m_shortcutActionList;
    TMessageBox m_messageBox;

    // --- Hit properties dialog (editor/PropForm.h, DrumsUIDialogs.cpp) -------------------
public:
    // Sets the dialog up for the hit and its drumset sample (null when its
    // row has none), runs it and fills results; false when cancelled.
    using TPropDialog = std::function<bool(const TDRHit& hit, const TDrumsetItem* sample,
                                           bool several, struct TPropResults& results)>;
    // Replaces the default, which runs the form given to SetPropForm.
    void setPropDialog(TPropDialog dialog) { m_propDialog = std::move(dialog); }
    // The window's run-long dialog (owned by the caller); none: the property
    // commands do nothing.
    void SetPropForm(class TPropForm* form) { m_propForm = form; }

private:
    bool runPropDialog(const TDRHit& hit, bool several, TPropResults& results);
    TPropDialog m_propDialog;
    TPropForm* m_propForm = nullptr;
    // --- End of hit properties dialog ----------------------------------------------------
};
