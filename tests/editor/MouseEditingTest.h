// Mouse and keyboard editing of TDrumsUI driven by QTest events on the real
// widget: the left-click table, group-row choices, drags of hits in time and
// across rows, the rubber band, knobs, the context menus, the row panel and
// the Delete key.
#pragma once

#include <QObject>

class MouseEditingTest : public QObject {
    Q_OBJECT

private slots:
    void leftClick_data();
    void leftClick();
    void groupRowClickPicksTheSample_data();
    void groupRowClickPicksTheSample();
    void timeDrag_data();
    void timeDrag();
    void smallMovesDoNotDrag();
    void dragsScrollAtTheEdges();
    void rowDragWrapsAndDrops();
    void bandDraggedUpwardAcrossGroups();
    void knobs_data();
    void knobs();
    void rightAndMiddleClicks();
    void barMenu();
    void hitMenu();
    void tempoMenuAndDrag();
    void rowPanel();
    void deleteKeyOnTheScrollBars();
    void modeSetsThePointer();
};
