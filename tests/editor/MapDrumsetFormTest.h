// TMapDrumsetForm: the "Drumset mapper" window over the mapper model -
// display rules, buttons and their messages, linked expansion, OK and Cancel,
// and a song load that goes through the window.
#pragma once

#include <QObject>

class MapDrumsetFormTest : public QObject {
    Q_OBJECT

private slots:
    void treesShowTheLinks();
    void linkWithClicks();
    void songSelectionKeepsToOneLevel();
    void buttonsRefuse_data();
    void buttonsRefuse();
    void deleteLink();
    void expandingASongGroupExpandsItsPartner();
    void closing_data();
    void closing();
    void songLoadGoesThroughTheWindow_data();
    void songLoadGoesThroughTheWindow();
};
