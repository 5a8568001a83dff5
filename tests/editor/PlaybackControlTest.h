// The playback side of TDrumsUI: the play cursor and its scrolling, drum
// shortcut actions, play from bar and stopping, on a fake voice engine and a
// hand-driven clock.
#pragma once

#include <QObject>

class PlaybackControlTest : public QObject {
    Q_OBJECT

private slots:
    void cursorFollowsTheSoundingPosition_data();
    void cursorFollowsTheSoundingPosition();
    void cursorScrollsBackAfterAJumpAndGoesAtTheEnd();
    void shortcutActionsGoWithTheirDrumset();
    void shortcutPreviewsAndRecordsOnlyWhenRecording_data();
    void shortcutPreviewsAndRecordsOnlyWhenRecording();
    void playFromBar_data();
    void playFromBar();
    void stopEndsAWaitingRun_data();
    void stopEndsAWaitingRun();
};
