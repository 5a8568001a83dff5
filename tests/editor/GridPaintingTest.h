// TGridPainter: what the grid's bitmaps show and which of them a redraw
// rebuilds.
#pragma once

#include <QObject>

class GridPaintingTest : public QObject {
    Q_OBJECT

private slots:
    void hitAtItsComputedX_data();
    void hitAtItsComputedX();
    void cutHitIsHatchedAfterTheCut_data();
    void cutHitIsHatchedAfterTheCut();
    void tempoLabels_data();
    void tempoLabels();
    void collapsedTrackShowsEverySampleInItsGroupRow();
    void onlyFlaggedBitmapsAreRebuilt_data();
    void onlyFlaggedBitmapsAreRebuilt();
    void knobs_data();
    void knobs();
    void hitFromBeforeTheFirstBarReachesIn();
    void noTracksLeavesTheRowsWhite();
    void divisionLines_data();
    void divisionLines();
    void oneTrackBandIsRedrawnAlone();
    void rowPanel_data();
    void rowPanel();
    void draggedHitOutlines();
    void rulerFontHasArialMetrics();
    void barTimeText_data();
    void barTimeText();
};
