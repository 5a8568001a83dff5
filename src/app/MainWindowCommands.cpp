// The main window's edit, view, operation and options commands, the bar
// number input and Delete multiple hits.
#include "app/EditorOperations.h"
#include "app/MainWindow.h"
#include "app/StiahniForm.h"
#include "audio/Playback.h"
#include "editor/DrumsUI.h"

#include <QAction>

namespace {

constexpr int32_t ZoomStep = 16;

const char* const ModeButtons[] = {"StandardModeButton", "SelectionModeButton", "PlayModeButton"};
const char* const HitButtons[] = {"HeavyHitButton", "MediumHitButton", "LightHitButton"};

} // namespace

int32_t TTavorineForm::barUnderMouse() const {
    return m_drumsUI->BarAtX(-1);
}

bool TTavorineForm::askBarNumber(const QString& title, int32_t& bar) {
    QString text;
    if (!m_dialogs.inputText(this, title, QStringLiteral("Bar number"), text)) {
        return false;
    }
    bool ok = false;
    const int number = text.trimmed().toInt(&ok);
    if (!ok) {
        return false;
    }
    bar = number;
    return true;
}

// --- Edit menu ----------------------------------------------------------------------------------

void TTavorineForm::UndoItemClick() {
    runCommand([this] { m_drumsUI->Editor().UndoCommand(); });
}

void TTavorineForm::RedoItemClick() {
    runCommand([this] { m_drumsUI->Editor().RedoCommand(); });
}

void TTavorineForm::DeleteBarItemClick() {
    int32_t bar = 0;
    if (askBarNumber(QStringLiteral("Delete bar"), bar)) {
        runCommand([&] { m_drumsUI->Editor().DeleteBarsCommand(bar, 1); }, true);
    }
}

void TTavorineForm::DeleteBarActionExecute() {
    const int32_t bar = std::max(barUnderMouse(), 0);
    runCommand([&] { m_drumsUI->Editor().DeleteBarsCommand(bar, 1); });
}

void TTavorineForm::InsertTempoItemClick() {
    runCommand([this] { m_drumsUI->Editor().InsertTempoCommand(); });
}

void TTavorineForm::SelectAllItemClick() {
    m_drumsUI->Editor().SelectAllHits();
}

void TTavorineForm::DeselectAllItemClick() {
    {
        const TSongEditLock lock(m_drumsUI->Editor());
        m_drumsUI->Editor().ClearSelection();
    }
    m_drumsUI->InvalidateView(dfHits);
}

void TTavorineForm::DeleteSelectedItemClick() {
    runCommand([this] { m_drumsUI->Editor().DeleteSelectedHits(); });
}

// --- View menu
// ------------------------------------------------------------------------------------

void TTavorineForm::setDivision(int32_t number) {
    m_drumsUI->SetBarDivisionNumber(number);
}

void TTavorineForm::GoToBarItemClick() {
    int32_t bar = 0;
    if (askBarNumber(QStringLiteral("Go to bar"), bar)) {
        runCommand([&] { m_drumsUI->Editor().GoToBar(bar); }, true);
    }
}

// --- Operation menu
// ---------------------------------------------------------------------------------

void TTavorineForm::setModeType(TModeType mode) {
    m_drumsUI->SetModeType(mode);
    action(QString::fromLatin1(ModeButtons[static_cast<int>(mode)]))->setChecked(true);
}

void TTavorineForm::setHitType(THitType type) {
    m_drumsUI->Editor().SetHitType(type);
    const auto index = static_cast<size_t>(type);
    if (index < std::size(HitButtons)) {
        action(QString::fromLatin1(HitButtons[index]))->setChecked(true);
    }
}

void TTavorineForm::ZoomInItemClick() {
    m_drumsUI->SetBarWidth(m_drumsUI->BarWidth() + ZoomStep);
}

void TTavorineForm::ZoomOutItemClick() {
    m_drumsUI->SetBarWidth(m_drumsUI->BarWidth() - ZoomStep);
}

void TTavorineForm::ExpandGroupsItemClick() {
    m_drumsUI->ExpandAll();
}

void TTavorineForm::CollapseGroupsItemClick() {
    m_drumsUI->CollapseAll();
}

void TTavorineForm::MuteOffItemClick() {
    m_drumsUI->Editor().MuteOffAllGroups();
}

// --- Options menu and the matching tool buttons
// ---------------------------------------------------

bool TTavorineForm::EditorLoop() const {
    return m_drumsUI->Playback()->Loop;
}

bool TTavorineForm::EditorRecording() const {
    return m_drumsUI->Playback()->Recording();
}

void TTavorineForm::setLoop(bool on) {
    // Looping and recording exclude each other.
    if (on && EditorRecording()) {
        setRecording(false);
    }
    m_drumsUI->Playback()->Loop = on;
    action(QStringLiteral("LoopButton"))->setChecked(on);
}

void TTavorineForm::setRecording(bool on) {
    if (on && EditorLoop()) {
        setLoop(false);
    }
    // Switching off commits the recorded hits, which can fail.
    runCommand([&] { m_drumsUI->Playback()->SetRecording(on); });
    action(QStringLiteral("RecordButton"))->setChecked(on);
}

void TTavorineForm::setSnapTo(bool on) {
    m_drumsUI->SetSnapTo(on);
    action(QStringLiteral("SnapToButton"))->setChecked(on);
}

void TTavorineForm::setPatternInsertMouseMode(bool on) {
    m_drumsUI->Editor().PatternInsertMouseMode = on;
    action(QStringLiteral("PatternMouseModeButton"))->setChecked(on);
}

void TTavorineForm::TargetCursorButtonClick() {
    m_drumsUI->SetTargetCursor(action(QStringLiteral("TargetCursorButton"))->isChecked());
}

// --- Tools menu
// ------------------------------------------------------------------------------------

void TTavorineForm::DeleteMultipleHitsItemClick() {
    if (m_drumsUI->Editor().SelectedCount() == 0) {
        m_dialogs.error(this, QString::fromLatin1(NoHitsSelectedMessage));
        return;
    }
    if (m_dialogs.question(this,
                           QStringLiteral("This operation will delete multiple hits. Continue?"),
                           false) != TUserDialogs::TAnswer::Yes) {
        return;
    }
    int32_t deleted = 0;
    if (runCommand([&] { deleted = m_drumsUI->Editor().DeleteDuplicateHits(); })) {
        m_dialogs.information(this, QStringLiteral("%1 hits were deleted.").arg(deleted));
    }
}

// The hidden command: pulls or stretches the hits of a range of bars.
void TTavorineForm::StiahniHitsItemClick() {
    TStiahniForm form(this);
    if (m_dialogs.execDialog(form) == QDialog::Accepted) {
        runCommand([&] {
            m_drumsUI->Editor().StiahniHitsCommand(form.StartBar(), form.EndBar(), form.Ticks());
        });
    }
}
