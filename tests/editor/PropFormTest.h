// TPropForm and TNewTempoForm: setup from a hit or tempo change, the controls
// following each other, "Default" buttons, results, OK and Cancel, and the
// control running the properties dialog.
#pragma once

#include <QObject>

class PropFormTest : public QObject {
    Q_OBJECT

private slots:
    void panningShownAndReturned_data();
    void panningShownAndReturned();
    void oneHitFillsThePosition_data();
    void oneHitFillsThePosition();
    void severalHitsDisableThePosition();
    void controlsFollowEachOther_data();
    void controlsFollowEachOther();
    void defaultButtons_data();
    void defaultButtons();
    void okAndCancel();
    void frameAndCaptions();
    void tempoDialog();
    void tempoDialogTyping_data();
    void tempoDialogTyping();
    void controlRunsTheDialog();
};
