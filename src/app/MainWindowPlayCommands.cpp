// The main window's play commands: Play and Stop, Space and Ctrl+Space, the
// editor's play from bar, Ctrl+T on the bar under the mouse, and preparing
// every sample.
#include "app/BarSpinBox.h"
#include "app/MainWindow.h"
#include "audio/Playback.h"
#include "editor/DrumsUI.h"

#include <QAction>
#include <algorithm>

bool TTavorineForm::checkHitsFrom(int32_t bar) {
    if (m_drumsUI->Playback()->HasHitsFrom(bar)) {
        return true;
    }
    m_dialogs.information(this, QString::fromLatin1(audio::Playback::NoHitsMessage));
    return false;
}

void TTavorineForm::PlayButtonClick() {
    int32_t start = StartBar();
    const int32_t end = EndBar();
    if (end < start) {
        start = end;
        m_startBarEdit->setValue(start);
    }
    if (!checkHitsFrom(start)) {
        return;
    }
    audio::Playback& playback = *m_drumsUI->Playback();
    playback.Loop = action(QStringLiteral("LoopButton"))->isChecked();
    playback.StartBar = start;
    playback.EndBar = end;
    playback.Play();
}

void TTavorineForm::StopButtonClick() {
    m_drumsUI->Playback()->Stop();
}

void TTavorineForm::PlayActionExecute() {
    if (m_drumsUI->PlayingState() == TPlayingState::psStopped) {
        PlayButtonClick();
    } else {
        StopButtonClick();
    }
}

void TTavorineForm::PlayFromCurrentPositionActionExecute() {
    int32_t bar = barUnderMouse();
    if (bar < 0) {
        bar = m_drumsUI->FirstBar();
    }
    if (bar < 0) {
        bar = std::min(StartBar(), EndBar());
    }
    bar = std::max(bar, 0);
    if (!checkHitsFrom(bar)) {
        return;
    }
    audio::Playback& playback = *m_drumsUI->Playback();
    playback.Loop = action(QStringLiteral("LoopButton"))->isChecked();
    playback.StartBar = bar;
    playback.EndBar = std::max(StartBar(), EndBar());
    if (playback.PlayingState() == TPlayingState::psStopped) {
        playback.Play();
    } else {
        playback.SetInstantRepeat(true);
    }
}

void TTavorineForm::OnBeforePlayFromBar() {
    audio::Playback& playback = *m_drumsUI->Playback();
    playback.Loop = action(QStringLiteral("LoopButton"))->isChecked();
    playback.EndBar = std::max(StartBar(), EndBar());
}

void TTavorineForm::ToggleBarActionExecute() {
    m_drumsUI->Editor().ToggleBarHits(barUnderMouse());
}

void TTavorineForm::InitSamplesButtonClick() {
    runCommand([this] { m_drumsUI->Playback()->InitializeAllSamples(); }, true);
}
