// TDrumsUI: mouse editing of the grid and the row panel - clicks by mode and
// modifier, drags of hits and tempo marks after their thresholds, the
// rubber band, knobs - and the Delete key on the scroll bars. Qt has no drag
// events inside one widget, so drags follow the mouse while its button is
// held; the arithmetic is TGridEditing's.
#include "editor/DrumsUI.h"
#include "editor/DrumsUIViews.h"

#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <cstdlib>
#include <exception>

namespace {

// The tempo labels' strip at the top of the ruler.
constexpr int32_t TempoZoneHeight = 15;
constexpr int32_t TempoDragThreshold = 5;
constexpr int32_t HitDragThreshold = 2;
// Width of the strips at the grid's sides that scroll while dragging.
constexpr int32_t ScrollEdge = 8;

constexpr uint32_t RowFlags = dfBackground | dfHits | dfPanel;

} // namespace

TGridEditing& TDrumsUI::GridEditing() {
    if (!m_gridEditing) {
        m_gridEditing = std::make_unique<TGridEditing>(*m_editor);
    }
    return *m_gridEditing;
}

void TDrumsUI::SetModeType(TModeType mode) {
    m_editor->SetModeType(mode);
    syncModeCursor();
}

void TDrumsUI::syncModeCursor() {
    // Also follows a mode set on the editor directly.
    const Qt::CursorShape shape =
        m_editor->ModeType() == TModeType::mtStandard ? Qt::CrossCursor : Qt::ArrowCursor;
    if (m_grid->cursor().shape() != shape) {
        m_grid->setCursor(shape);
    }
}

// --- Grid mouse-down ---------------------------------------------------------------------

void TDrumsUI::GridMouseDown(QMouseEvent* event) {
    syncModeCursor();
    TGridEditing& editing = GridEditing();
    // A second button while one drag is going on changes nothing.
    if (m_dragKind != TGridDrag::None || editing.BandActive() || editing.KnobDragActive()) {
        return;
    }
    TSongEditor& ed = *m_editor;
    const QPoint at = event->position().toPoint();
    const Qt::MouseButton button = event->button();
    const bool ctrl = (event->modifiers() & Qt::ControlModifier) != 0;
    m_downAt = at;
    m_downBar = ed.BarAtX(at.x());
    m_downTick = ed.TickAtX(at.x());
    m_downRow = {};
    m_downHit = nullptr;

    try {
        if (at.y() < TempoZoneHeight) {
            if (button == Qt::LeftButton && !ctrl) {
                TDRTempo* mark = editing.TempoMarkAt(at.x());
                if (mark != nullptr && mark != ed.Song.InitialTempo.get()) {
                    m_tempoMark = mark;
                    armDrag(TGridDrag::Tempo, at, TempoDragThreshold);
                }
            } else if (button == Qt::RightButton && !ctrl) {
                TDRTempo* mark = editing.TempoMarkAt(at.x());
                if (mark != nullptr) {
                    mark->Highlighted = true;
                    ed.InvalidateView(dfHits | dfRuler);
                    const std::unique_ptr<QMenu> menu = BuildTempoMenu(mark);
                    showMenu(*menu, event->globalPosition().toPoint());
                    // "Delete tempo" frees the mark.
                    if (editing.IsTempoInSong(mark)) {
                        mark->Highlighted = false;
                    }
                    ed.InvalidateView(dfHits | dfRuler);
                }
            } else {
                editing.InsertTempo(m_downBar, m_downTick);
            }
            return;
        }

        // Rows hidden behind the ruler or the time strip are not clicked.
        const TRowAddress row = RowAtGridY(at.y());
        if (row.Group < 0) {
            return;
        }
        m_downRow = row;
        const TDRPlTrack& track = *ed.Plocha.Tracks[static_cast<size_t>(row.Group)];
        if (track.VolumeMode || track.PanningMode) {
            editing.BeginKnobDrag(row, track.VolumeMode);
            knobMoved(at);
            return;
        }
        TDRHit* hit = ed.Song.FindHitAt(row.Group, row.Sample, m_downBar, m_downTick);
        m_downHit = hit;
        switch (button) {
        case Qt::LeftButton:
            leftClickInTrack(event, row, hit);
            break;
        case Qt::RightButton:
            if (ctrl) {
                ed.DeleteHitCommand(hit);
            } else if (hit != nullptr) {
                const std::unique_ptr<QMenu> menu = BuildHitMenu(hit);
                showMenu(*menu, event->globalPosition().toPoint());
            } else {
                const std::unique_ptr<QMenu> menu = BuildBarMenu(at.x());
                showMenu(*menu, event->globalPosition().toPoint());
            }
            break;
        case Qt::MiddleButton:
            ed.DeleteHitCommand(hit);
            break;
        default:
            break;
        }
    } catch (const std::exception& e) {
        ShowMessage(true, QString::fromLocal8Bit(e.what()));
    }
}

void TDrumsUI::leftClickInTrack(QMouseEvent* event, TRowAddress row, TDRHit* hit) {
    TSongEditor& ed = *m_editor;
    const TModeType mode = ed.ModeType();
    const Qt::KeyboardModifiers mods = event->modifiers();
    const bool ctrl = (mods & Qt::ControlModifier) != 0;
    const bool shift = (mods & Qt::ShiftModifier) != 0;
    const bool alt = (mods & Qt::AltModifier) != 0;
    const QPoint at = event->position().toPoint();

    if (mode == TModeType::mtPlay) {
        if (hit != nullptr) {
            PlayHit(*hit);
        }
        return;
    }
    if (ctrl || (mode == TModeType::mtSelect && !shift)) {
        if (hit == nullptr) {
            TBandAnchor anchor;
            anchor.Bar = m_downBar;
            anchor.Tick = m_downTick;
            anchor.Row = row;
            anchor.X = at.x();
            anchor.Y = at.y();
            anchor.FirstBar = ed.FirstBar();
            anchor.PixelOffset = ed.PixelOffset();
            GridEditing().BeginBand(anchor);
            return;
        }
        {
            TSongEditLock lock(ed);
            if (hit->Selected) {
                ed.DeselectHit(hit);
            } else {
                ed.SelectHit(hit);
            }
        }
        ed.InvalidateView(dfHits);
        if (mode == TModeType::mtSelect && hit->Selected) {
            armDrag(TGridDrag::Time, at, HitDragThreshold);
        }
        return;
    }
    if (shift || mode == TModeType::mtSelect) {
        if (hit != nullptr) {
            {
                TSongEditLock lock(ed);
                ed.SelectHit(hit);
            }
            ed.InvalidateView(dfHits);
            armDrag(TGridDrag::Time, at, HitDragThreshold);
        }
        return;
    }
    if (alt) {
        if (hit != nullptr) {
            {
                TSongEditLock lock(ed);
                ed.SelectHit(hit);
            }
            ed.InvalidateView(dfHits);
            armDrag(TGridDrag::Row, at, HitDragThreshold);
        }
        return;
    }
    ed.AddHitCommand(m_downBar, m_downTick, row.Sample, row.Group);
}

// --- Grid mouse moves and drags --------------------------------------------------------------

void TDrumsUI::armDrag(TGridDrag kind, QPoint at, int32_t threshold) {
    m_dragKind = kind;
    m_dragStarted = false;
    m_dragFrom = at;
    m_dragThreshold = threshold;
}

void TDrumsUI::GridMouseMove(QMouseEvent* event) {
    trackPointer(event);
    syncModeCursor();
    const QPoint at = event->position().toPoint();
    TGridEditing& editing = GridEditing();
    try {
        // A release that never reached the grid ends what it held.
        const bool left = (event->buttons() & Qt::LeftButton) != 0;
        if (editing.KnobDragActive() && event->buttons() == Qt::NoButton) {
            editing.EndKnobDrag();
            m_editor->InvalidateView(dfHits);
        }
        if (editing.BandActive() && !left) {
            ClearSelectionBand();
            editing.EndBand();
        }
        if (m_dragKind != TGridDrag::None && !left) {
            endDrag(false);
        }
        if (editing.KnobDragActive()) {
            knobMoved(at);
            return;
        }
        if (editing.BandActive()) {
            bandMoved(at);
            return;
        }
        if (m_dragKind == TGridDrag::None) {
            return;
        }
        if (!m_dragStarted) {
            if (std::abs(at.x() - m_dragFrom.x()) < m_dragThreshold &&
                std::abs(at.y() - m_dragFrom.y()) < m_dragThreshold) {
                return;
            }
            m_dragStarted = true;
            if (m_dragKind != TGridDrag::Tempo && m_downHit != nullptr) {
                editing.BeginHitDrag({m_downBar, m_downTick}, *m_downHit, m_downRow);
                SetDraggedHits(editing.DragCopyList());
            }
        }
        // Only the grid takes the dragged things.
        if (m_grid->rect().contains(at)) {
            dragOver(at);
        }
    } catch (const std::exception& e) {
        ShowMessage(true, QString::fromLocal8Bit(e.what()));
    }
}

void TDrumsUI::dragOver(QPoint at) {
    TSongEditor& ed = *m_editor;
    TGridEditing& editing = GridEditing();
    int32_t x = at.x();
    switch (m_dragKind) {
    case TGridDrag::Time: {
        const int32_t right = m_grid->width() - ScrollEdge;
        if (x > right) {
            ed.SetHorzPosition(ed.HorzPosition() + (x - right));
        } else if (x < ScrollEdge) {
            ed.SetHorzPosition(ed.HorzPosition() - (ScrollEdge - x));
        }
        if (editing.TimeDragOver(ed.BarAtX(x), ed.TickAtX(x))) {
            SetDraggedHits(editing.DragCopyList());
            ed.InvalidateView(dfHits);
        }
        break;
    }
    case TGridDrag::Row:
        if (editing.RowDragOver(RowAtGridY(at.y()))) {
            SetDraggedHits(editing.DragCopyList());
            ed.InvalidateView(dfHits);
        }
        break;
    case TGridDrag::Tempo:
        editing.MoveTempoMark(m_tempoMark, ed.BarAtX(x), ed.TickAtX(x));
        break;
    case TGridDrag::None:
        break;
    }
}

void TDrumsUI::endDrag(bool drop) {
    TGridEditing& editing = GridEditing();
    const bool hits = m_dragKind == TGridDrag::Time || m_dragKind == TGridDrag::Row;
    const bool started = m_dragStarted;
    m_dragKind = TGridDrag::None;
    m_dragStarted = false;
    m_tempoMark = nullptr;
    if (!hits || !started) {
        return;
    }
    if (drop) {
        editing.DropHits();
    }
    editing.EndHitDrag();
    SetDraggedHits({});
    m_editor->InvalidateView(dfHits);
}

void TDrumsUI::bandMoved(QPoint at) {
    TSongEditor& ed = *m_editor;
    TGridEditing& editing = GridEditing();
    const int32_t width = m_grid->width();
    if (at.x() > width - ScrollEdge) {
        ed.SetHorzPosition(ed.HorzPosition() + 1);
    } else if (at.x() < ScrollEdge) {
        ed.SetHorzPosition(ed.HorzPosition() - 1);
    }
    // Outside the grid the place is the nearest one on it.
    const int32_t x = std::clamp(at.x(), 0, std::max(width - 1, 0));
    if (editing.BandMove(ed.BarAtX(x), ed.TickAtX(x), editing.BandRowAt(at.y()))) {
        ed.InvalidateView(dfHits);
    }
    const TBandAnchor& anchor = editing.BandStart();
    TSelectionBand band;
    band.AnchorFirstBar = anchor.FirstBar;
    band.AnchorX = anchor.X;
    band.AnchorPixelOffset = anchor.PixelOffset;
    band.AnchorY = anchor.Y;
    band.Current = at;
    SetSelectionBand(band);
}

void TDrumsUI::knobMoved(QPoint at) {
    TGridEditing& editing = GridEditing();
    if (editing.KnobDragTo(at.x(), at.y())) {
        RefreshTrackBand(editing.KnobTrack());
    }
}

void TDrumsUI::GridMouseUp(QMouseEvent* event) {
    TGridEditing& editing = GridEditing();
    try {
        if (editing.KnobDragActive()) {
            editing.EndKnobDrag();
            m_editor->InvalidateView(dfHits);
            return;
        }
        if (editing.BandActive()) {
            ClearSelectionBand();
            editing.EndBand();
            return;
        }
        if (m_dragKind != TGridDrag::None) {
            endDrag(m_grid->rect().contains(event->position().toPoint()));
        }
    } catch (const std::exception& e) {
        ShowMessage(true, QString::fromLocal8Bit(e.what()));
    }
}

// --- Row panel and keyboard -------------------------------------------------------------------

void TDrumsUI::RowPanelMouseDown(QMouseEvent* event) {
    TSongEditor& ed = *m_editor;
    const QPoint at = event->position().toPoint();
    if (at.y() < RulerHeight) {
        return;
    }
    const TRowAddress row = ed.Plocha.RowAt(ed.RowY(at.y()));
    if (row.Group < 0) {
        return;
    }
    TDRPlTrack& track = *ed.Plocha.Tracks[static_cast<size_t>(row.Group)];
    const Qt::KeyboardModifiers mods = event->modifiers();
    try {
        if (event->button() == Qt::LeftButton) {
            if (row.Sample == -1) {
                {
                    TSongEditLock lock(ed);
                    if (track.Collapsed) {
                        ed.Plocha.ExpandTrack(row.Group);
                    } else {
                        ed.Plocha.CollapseTrack(row.Group);
                    }
                }
                ed.InvalidateView(RowFlags);
            } else if (const std::unique_ptr<TDRHit> preview =
                           ed.CreateHit(-1, -1, row.Sample, row.Group)) {
                PlayHit(*preview);
            }
        } else if (event->button() == Qt::RightButton) {
            if ((mods & Qt::ShiftModifier) != 0) {
                TSongEditLock lock(ed);
                ed.SetTrackMode(row.Group,
                                track.VolumeMode ? TTrackMode::tmStandard : TTrackMode::tmVolume);
            } else if ((mods & Qt::ControlModifier) != 0) {
                TSongEditLock lock(ed);
                ed.SetTrackMode(row.Group,
                                track.PanningMode ? TTrackMode::tmStandard : TTrackMode::tmPanning);
            } else {
                const std::unique_ptr<QMenu> menu = BuildRowMenu(row);
                showMenu(*menu, event->globalPosition().toPoint());
            }
        }
    } catch (const std::exception& e) {
        ShowMessage(true, QString::fromLocal8Bit(e.what()));
    }
}

bool TDrumsUI::ScrollBarKeyDown(QKeyEvent* event) {
    if (event->key() != Qt::Key_Delete) {
        return false;
    }
    m_editor->DeleteSelectedHits();
    return true;
}
