// TDrumsUI: child controls and layout, the queued relayout, scroll wiring,
// the overlays and the strips they repaint, and the editing hooks.
#pragma once

#include <QObject>

class DrumsUITest : public QObject {
    Q_OBJECT

private slots:
    void childControlsAndTheirPlaces();
    void resizeRelaysOutThroughAPostedMessage();
    void movingTheSplitterRelaysOutAtOnce();
    void crosshair_data();
    void crosshair();
    void crosshairIsErasedOffTheGrid();
    void hoveredRowMarker();
    void overlaysRepaintOnlyTheirStrips();
    void suppressedCursorIsNeitherDrawnNorErased();
    void scrollingErasesTheOverlays();
    void scrollBarsFollowTheEditor();
    void scrollWithinABarOnlyShiftsTheBitmaps();
    void selectionBandStaysOnItsPlaceInTheSong();
    void draggedHitsAreOutlined();
    void editingHooksReceiveTheirEvents();
};
