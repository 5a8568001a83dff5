// The control's side of playback: the scheduler's host (work posted to the
// UI thread, the play cursor timer, error boxes), previews, play from bar and
// the drum shortcut actions.
#include "audio/Playback.h"
#include "audio/Shortcuts.h"
#include "editor/BusyCursor.h"
#include "editor/DrumsUI.h"
#include "editor/DrumsUIPlaybackHost.h"
#include "editor/DrumsUIViews.h"

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QMessageBox>
#include <QPointer>
#include <QScrollBar>
#include <QTimer>
#include <cmath>
#include <map>
#include <mutex>

namespace {

constexpr int CursorPeriodMs = 50;

// Runs fn on the control's thread; dropped when the control is gone.
template <typename Fn>
void post(TDrumsUI* control, Fn fn) {
    QMetaObject::invokeMethod(control, std::move(fn), Qt::QueuedConnection);
}

int keyCode(const std::string& name) {
    static const std::map<std::string, int> named = {
        {"BKSP", Qt::Key_Backspace}, {"TAB", Qt::Key_Tab},     {"ESC", Qt::Key_Escape},
        {"ENTER", Qt::Key_Return},   {"SPACE", Qt::Key_Space}, {"PGUP", Qt::Key_PageUp},
        {"PGDN", Qt::Key_PageDown},  {"END", Qt::Key_End},     {"HOME", Qt::Key_Home},
        {"LEFT", Qt::Key_Left},      {"UP", Qt::Key_Up},       {"RIGHT", Qt::Key_Right},
        {"DOWN", Qt::Key_Down},      {"INS", Qt::Key_Insert},  {"DEL", Qt::Key_Delete},
    };
    const QString upper = QString::fromStdString(name).toUpper();
    if (upper.size() == 1) {
        const QChar c = upper.at(0);
        if ((c >= QLatin1Char('A') && c <= QLatin1Char('Z')) ||
            (c >= QLatin1Char('0') && c <= QLatin1Char('9'))) {
            return c.unicode();
        }
    }
    if (const auto it = named.find(upper.toStdString()); it != named.end()) {
        return it->second;
    }
    if (upper.size() >= 2 && upper.at(0) == QLatin1Char('F')) {
        bool ok = false;
        const int number = upper.mid(1).toInt(&ok);
        if (ok && number >= 1 && number <= 24) {
            return Qt::Key_F1 + number - 1;
        }
    }
    // Any other key by the toolkit's own name for it.
    const QKeySequence sequence(QString::fromStdString(name));
    return sequence.isEmpty() ? 0 : sequence[0].key();
}

} // namespace

void TDrumsUIPlaybackHost::runOnUiThread(std::function<void()> task) {
    post(m_control, std::move(task));
}

void TDrumsUIPlaybackHost::startPlayCursor() {
    post(m_control, [c = m_control] { c->startCursorTimer(); });
}

void TDrumsUIPlaybackHost::erasePlayCursor() {
    post(m_control, [c = m_control] { c->EraseCursor(); });
}

void TDrumsUIPlaybackHost::showError(const std::string& message) {
    post(m_control, [c = m_control, text = QString::fromLocal8Bit(message.c_str())] {
        c->ShowMessage(true, text);
    });
}

void TDrumsUIPlaybackHost::runEnded() {
    post(m_control, [c = m_control] { c->stopCursorTimer(); });
}

void TDrumsUIPlaybackHost::busyCursor(bool busy) {
    ShowBusyCursor(busy);
}

namespace {

// A drum shortcut's action kept by its drumset item, so that it goes with
// the drumset.
class TShortcutActionAttachment final : public TDrumsetItemAttachment {
public:
    explicit TShortcutActionAttachment(QAction* action) : m_action(action) {}
    ~TShortcutActionAttachment() override { delete m_action.data(); }

private:
    QPointer<QAction> m_action;
};

} // namespace

void TDrumsUI::AttachPlayback(audio::PlaybackEngine& engine,
                              std::shared_ptr<audio::PlaybackClock> clock) {
    m_playback.reset();
    if (!m_playbackHost) {
        m_playbackHost = std::make_unique<TDrumsUIPlaybackHost>(*this);
    }
    m_playback = std::make_unique<audio::Playback>(*m_editor, engine, std::move(clock),
                                                   m_playbackHost.get());
}

void TDrumsUI::DetachPlayback() {
    m_playback.reset();
    stopCursorTimer();
}

TPlayingState TDrumsUI::PlayingState() const {
    return m_playback ? m_playback->PlayingState() : TPlayingState::psStopped;
}

void TDrumsUI::StopPlayback() {
    if (m_playback) {
        m_playback->StopAndWait();
    }
    stopCursorTimer();
}

void TDrumsUI::PlayHit(const TDRHit& hit) {
    if (!m_playback) {
        return;
    }
    try {
        m_playback->PlayHit(hit);
    } catch (const std::exception& error) {
        ShowMessage(true, QString::fromLocal8Bit(error.what()));
    }
}

void TDrumsUI::PlayFromBar(int32_t gridX) {
    int32_t bar = m_editor->BarAtX(gridX);
    if (bar < 0) {
        bar = std::max(m_editor->BarAtX(0), 0);
    }
    if (!m_playback || !m_playback->PlayFromBar(bar)) {
        ShowMessage(false, QString::fromLatin1(audio::Playback::NoHitsMessage));
    }
}

void TDrumsUI::ShowMessage(bool error, const QString& text) {
    if (m_messageBox) {
        m_messageBox(error, text);
    } else if (error) {
        QMessageBox::critical(window(), QApplication::applicationName(), text);
    } else {
        QMessageBox::information(window(), QApplication::applicationName(), text);
    }
}

// --- Play cursor ----------------------------------------------------------------------

void TDrumsUI::startCursorTimer() {
    m_cursorSuppressed = false;
    if (!m_cursorTimer) {
        m_cursorTimer = new QTimer(this);
        m_cursorTimer->setObjectName(QStringLiteral("CursorTimer"));
        m_cursorTimer->setInterval(CursorPeriodMs);
        m_cursorTimer->setTimerType(Qt::PreciseTimer);
        connect(m_cursorTimer, &QTimer::timeout, this, &TDrumsUI::CursorTimerTick);
    }
    m_cursorTimer->stop();
    m_cursorTimer->start();
    EraseCursor();
    m_cursorX = -1;
}

void TDrumsUI::stopCursorTimer() {
    if (m_cursorTimer) {
        m_cursorTimer->stop();
    }
    EraseCursor();
}

int32_t TDrumsUI::cursorXAt(int32_t bar, int32_t tick) const {
    const int32_t first = m_editor->HorzPosition() / 8;
    const int32_t w = m_editor->Plocha.BarPixels;
    return static_cast<int32_t>(std::trunc(tick * w / 1000.0)) + w * (bar - first) -
           m_editor->PixelOffset();
}

void TDrumsUI::CursorTimerTick() {
    if (!m_playback) {
        return;
    }
    const int64_t elapsed = m_playback->NowMs() - m_playback->ClockBase();
    TDRPosition position;
    {
        // Finding the position may add bars, which the worker reads.
        const std::lock_guard<std::recursive_mutex> lock(m_editor->SongLock);
        position = m_editor->Song.MsToPosition(
            static_cast<int32_t>(std::clamp<int64_t>(elapsed, 0, INT32_MAX)),
            std::max(m_playback->CursorBarHint.load(), 0));
    }
    int32_t x = cursorXAt(position.Bar, position.Tick);
    const int32_t w = std::max(m_editor->Plocha.BarPixels, 1);
    if (x > m_grid->width() || x < 0) {
        const int32_t first = m_editor->HorzPosition() / 8;
        const int32_t newFirst = std::max(first + x / w - (x < 0 ? 1 : 0), 0);
        EraseCursor();
        m_editor->SetHorzPosition(newFirst * 8);
        x = cursorXAt(position.Bar, position.Tick);
    }
    DrawCursor(x);
    m_playback->CursorBarHint = position.Bar;
}

// --- Drum shortcuts ---------------------------------------------------------------------

void TDrumsUI::rowsBuilt() {
    TPlocha& plocha = m_editor->Plocha;
    for (const audio::DrumShortcut& shortcut : audio::buildDrumShortcuts(plocha)) {
        const TDRPlTrack& track = *plocha.Tracks[static_cast<size_t>(shortcut.Group)];
        TDrumsetItem* item = track.GroupData;
        if (shortcut.Sample >= 0) {
            item = nullptr;
            for (const auto& row : track.Samples) {
                if (row->SampleIndex == shortcut.Sample) {
                    item = row->SampleData;
                }
            }
        }
        if (item == nullptr) {
            continue;
        }
        const int key = keyCode(shortcut.Keys.Key);
        if (key == 0) {
            continue;
        }
        Qt::KeyboardModifiers modifiers;
        modifiers.setFlag(Qt::ShiftModifier, shortcut.Keys.Shift);
        modifiers.setFlag(Qt::ControlModifier, shortcut.Keys.Ctrl);
        modifiers.setFlag(Qt::AltModifier, shortcut.Keys.Alt);
        auto* action = new QAction(QString::fromStdString(item->Caption), this);
        action->setShortcut(QKeySequence(QKeyCombination(modifiers, static_cast<Qt::Key>(key))));
        action->setShortcutContext(Qt::WindowShortcut);
        const int32_t group = shortcut.Group;
        const int32_t sample = shortcut.Sample;
        connect(action, &QAction::triggered, this, [this, group, sample] {
            if (!m_playback) {
                return;
            }
            try {
                m_playback->ShortcutHit(group, sample);
            } catch (const std::exception& error) {
                ShowMessage(true, QString::fromLocal8Bit(error.what()));
            }
        });
        item->ShortcutAction = std::make_unique<TShortcutActionAttachment>(action);
        if (m_shortcutActionList) {
            m_shortcutActionList(action);
        } else {
            addAction(action);
        }
    }
}
