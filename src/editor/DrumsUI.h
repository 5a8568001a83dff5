// TDrumsUI: the song editor control - the grid of tracks and bars with its
// ruler, time strip, row panel, splitter and scroll bars. It owns the
// editor's logic (TSongEditor: song, drumset, rows, commands), paints what
// that holds through TGridPainter's cached bitmaps, and draws the overlays
// (play cursor, crosshair, selection band, dragged hits) over them in every
// paint. Mouse editing builds on the protected hooks.
#pragma once

#include "drumset/DrumsetMapping.h"
#include "editor/EditorOverlays.h"
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

class QDragEnterEvent;
class QDragMoveEvent;
class QDropEvent;
class QFrame;
class QKeyEvent;
class QMouseEvent;
class QScrollBar;
class QSplitter;
class TGridView;
class TMapDrumsetForm;
class TRowPanelView;

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
    void SetDrumsetFile(const std::string& fileName) { m_editor->SetDrumsetFile(fileName); }
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
    // Preview of one hit at once; nothing without a scheduler.
    void PlayHit(const TDRHit& hit);
    // "Play from bar": from the bar at grid x (the context menu's point).
    void PlayFromBar(int32_t gridX);

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

protected:
    // Hooks of mouse and keyboard editing. The base grid and row panel moves
    // keep the crosshair and the hovered row; an override calls them too.
    virtual void GridMouseDown(QMouseEvent* /*event*/) {}
    virtual void GridMouseMove(QMouseEvent* event);
    virtual void GridMouseUp(QMouseEvent* /*event*/) {}
    virtual void GridDragEnter(QDragEnterEvent* /*event*/) {}
    virtual void GridDragMove(QDragMoveEvent* /*event*/) {}
    virtual void GridDrop(QDropEvent* /*event*/) {}
    virtual void RowPanelMouseDown(QMouseEvent* /*event*/) {}
    virtual void RowPanelMouseMove(QMouseEvent* event);
    // A key pressed on either scroll bar; true when handled.
    virtual bool ScrollBarKeyDown(QKeyEvent* /*event*/) { return false; }

    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    friend class TGridView;
    friend class TRowPanelView;

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
};
