// What the playback scheduler asks of the song editor control.
#pragma once

#include "audio/Playback.h"

class TDrumsUI;

// Worker calls are posted to the UI thread; the control outlives the
// scheduler, and queued calls to a deleted control are dropped by Qt.
class TDrumsUIPlaybackHost final : public audio::PlaybackHost {
public:
    explicit TDrumsUIPlaybackHost(TDrumsUI& control) : m_control(&control) {}

    void runOnUiThread(std::function<void()> task) override;
    void startPlayCursor() override;
    void erasePlayCursor() override;
    void showError(const std::string& message) override;
    void runEnded() override;
    void busyCursor(bool busy) override;

private:
    TDrumsUI* m_control;
};
