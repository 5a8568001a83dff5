// TTavorineForm: creation (FormCreate), showing, activation, the start-up
// messages, options, audio start and closing.
#include "app/MainWindow.h"

#include "app/BarSpinBox.h"
#include "app/OptionsFile.h"
#include "app/Sluzby.h"
#include "app/ToolIcons.h"
#include "app/ToolbarPlacement.h"
#include "audio/AudioErrors.h"
#include "audio/AudioOutput.h"
#include "audio/Playback.h"
#include "audio/PlaybackClock.h"
#include "audio/PlaybackEngine.h"
#include "audio/SampleVoices.h"
#include "editor/BusyCursor.h"
#include "editor/DrumsUI.h"
#include "editor/NewTempoForm.h"
#include "editor/PropForm.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QMenuBar>
#include <QScreen>
#include <QShowEvent>
#include <QToolBar>
#include <filesystem>
#include <stdexcept>
#include <utility>

namespace {

// The client area of a window that does not open maximised.
constexpr int ClientWidth = 792;
constexpr int ClientHeight = 611;

bool isStartupMessage(QEvent::Type type) {
    return type == UM_RUNMAXIMIZED || type == UM_SHOWPATTERNMANAGER || type == UM_SHOWTIPS;
}

// Shows the wait cursor for as long as it lives.
class TWaitCursor {
public:
    explicit TWaitCursor(bool on) : m_on(on) {
        if (m_on) {
            QApplication::setOverrideCursor(Qt::WaitCursor);
        }
    }
    ~TWaitCursor() {
        if (m_on) {
            QApplication::restoreOverrideCursor();
        }
    }
    TWaitCursor(const TWaitCursor&) = delete;
    TWaitCursor& operator=(const TWaitCursor&) = delete;

private:
    bool m_on;
};

} // namespace

TTavorineForm::TTavorineForm(audio::AudioOutput& audio, TUserDialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), m_audio(audio), m_dialogs(dialogs) {
    setObjectName(QStringLiteral("TavorineForm"));
    setWindowIcon(applicationIcon());
    // The controls exist before the creation steps, as a form's controls do.
    createActionLists();
    createMenus();
    createToolbars();
    placeToolbarsAtStart();

    // Every step that can fail runs on its own: one failure (audio, a bad
    // setting, a missing drumset) must not leave the window without the rest.
    runCreationStep([] { GetCommonAppDataFolder(); });
    m_currentFileName.clear();
    m_firstRun = false;
    m_optionsPath = GetOptionsFileName();
    std::error_code ignored;
    m_firstRun = m_optionsPath.empty() || !std::filesystem::exists(m_optionsPath, ignored);

    m_drumsUI = new TDrumsUI(this);
    setCentralWidget(m_drumsUI);
    // The one place where the rows learn their samples' lengths.
    m_drumsUI->Editor().setSampleLengthFunction(audio::sampleLengthFunction());
    m_sampleEngine = std::make_unique<audio::SampleEngine>(m_audio, ShowBusyCursor);
    m_playbackVoices = std::make_unique<audio::SampleEnginePlayback>(*m_sampleEngine);
    m_drumsUI->AttachPlayback(*m_playbackVoices,
                              std::make_shared<audio::OutputPlaybackClock>(m_audio.sharedClock()));
    m_drumsUI->SetShortcutActionList(
        [this](QAction* shortcut) { m_drumsetActionList->addAction(shortcut); });
    m_drumsUI->SetMessageBox([this](bool isError, const QString& text) {
        if (isError) {
            m_dialogs.error(this, text);
        } else {
            m_dialogs.information(this, text);
        }
    });
    action(QStringLiteral("SnapToButton"))->setChecked(m_drumsUI->SnapTo());

    runCreationStep([this] { LoadOptions(m_optionsPath); });
    runCreationStep([this] { InitAudio(m_options.SoundDevice()); });
    runCreationStep([this] { m_drumsUI->SetDrumsetFile(m_options.DefaultDrumsetFile()); });
    connectEditorNotifications();
    m_startBarEdit->setValue(InitialStartBar);
    m_endBarEdit->setValue(InitialEndBar);
    setHitType(THitType::htHeavy);
    setPatternInsertMouseMode(false);
    setLoop(false);
    setRecording(false);

    resize(ClientWidth, ClientHeight + menuBar()->sizeHint().height());
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(), size());
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

TTavorineForm::~TTavorineForm() {
    // The control goes with the window's children, after the voices it plays.
    m_drumsUI->DetachPlayback();
}

void TTavorineForm::CreateRunLongDialogs() {
    // The tempo dialog, the paste special dialog, the hit properties dialog and
    // the pattern manager are created here, hidden and in that order, by the
    // parts of the program that bring them.
    if (m_newTempoForm == nullptr) {
        m_newTempoForm = new TNewTempoForm(this);
        m_drumsUI->setTempoDialog(
            [form = m_newTempoForm](int32_t& bar, int32_t& tick, int32_t& tempo) {
                TDRTempo change;
                change.Bar = bar;
                change.Tick = tick;
                change.Tempo = tempo;
                form->Setup(change);
                form->exec();
                if (!form->Confirmed()) {
                    return false;
                }
                form->Results(change);
                bar = change.Bar;
                tick = change.Tick;
                tempo = change.Tempo;
                return true;
            });
    }
    if (m_propForm == nullptr) {
        m_propForm = new TPropForm(this);
        m_drumsUI->SetPropForm(m_propForm);
    }
}

void TTavorineForm::runCreationStep(const std::function<void()>& step) {
    try {
        step();
    } catch (const std::exception& error) {
        showError(QString::fromLocal8Bit(error.what()));
    }
}

bool TTavorineForm::runCommand(const std::function<void()>& fn, bool waitCursor) {
    try {
        const TWaitCursor cursor(waitCursor);
        fn();
        return true;
    } catch (const std::exception& error) {
        showError(QString::fromLocal8Bit(error.what()));
        return false;
    }
}

void TTavorineForm::showError(const QString& text) {
    m_dialogs.error(this, text);
}

void TTavorineForm::connectEditorNotifications() {
    // The editor's export notifications are connected here once the editor
    // has them.
    m_drumsUI->Playback()->OnBeforePlayFromBar = [this] { OnBeforePlayFromBar(); };
}

// --- Options ------------------------------------------------------------------------------

void TTavorineForm::LoadOptions(const std::string& fileName) {
    const TOptionsLoadResult result = ::LoadOptions(m_options, m_recentFiles, fileName);
    applyToolbarSections(*this, result.Toolbars);
    if (m_options.RunMaximized()) {
        QCoreApplication::postEvent(this, new QEvent(UM_RUNMAXIMIZED));
    }
    if (m_options.ShowPatternManagerOnStartup()) {
        QCoreApplication::postEvent(this, new QEvent(UM_SHOWPATTERNMANAGER));
    }
    if (m_options.ShowTipsOnStartup()) {
        QCoreApplication::postEvent(this, new QEvent(UM_SHOWTIPS));
    }
    refreshReopenMenu();
    if (!result.Error.empty()) {
        throw std::runtime_error(result.Error);
    }
}

void TTavorineForm::SaveOptions(const std::string& fileName) {
    ::SaveOptions(m_options, m_recentFiles, captureToolbarSections(*this), fileName);
}

void TTavorineForm::AddToRecentFiles(const std::string& path) {
    m_recentFiles.AddToRecentFiles(path);
    refreshReopenMenu();
}

void TTavorineForm::UpdateCaption() {
    const QString application = QStringLiteral("Tavorine");
    setWindowTitle(m_currentFileName.empty() ? application
                                             : application + QStringLiteral(" - ") +
                                                   QString::fromLocal8Bit(m_currentFileName));
}

// --- Audio ---------------------------------------------------------------------------------

void TTavorineForm::InitAudio(int soundDevice) {
    std::string failure;
    try {
        audio::AudioOutput::verifyLayer();
        m_audio.stop();
        m_audio.start(soundDevice + 1);
        return;
    } catch (const audio::AudioError& error) {
        failure = error.userMessage(error.code() == audio::ErrorCode::LayerUnavailable
                                        ? audio::LayerNotLoadedMessage
                                        : audio::InitFailedMessage);
    }
    // The silent output is always the last device and needs no sound card.
    try {
        m_audio.stop();
        m_audio.start(static_cast<int>(m_audio.outputDeviceNames().size()));
    } catch (const audio::AudioError&) {
        // Without any output the editor still works; only sound is missing.
    }
    throw std::runtime_error(failure);
}

void TTavorineForm::ReinitAudio() {
    m_drumsUI->StopPlayback();
    m_audio.stop();
    InitAudio(m_options.SoundDevice());
}

// --- Showing, activation and the start-up messages ------------------------------------

bool TTavorineForm::event(QEvent* event) {
    if (isStartupMessage(event->type())) {
        if (m_formShown) {
            handleStartupMessage(event->type());
        } else {
            m_deferredMessages.push_back(event->type());
        }
        return true;
    }
    return QMainWindow::event(event);
}

void TTavorineForm::handleStartupMessage(QEvent::Type type) {
    if (type == UM_RUNMAXIMIZED) {
        setWindowState(windowState() | Qt::WindowMaximized);
    } else if (type == UM_SHOWPATTERNMANAGER) {
        ShowPatternManager();
    } else if (type == UM_SHOWTIPS) {
        showTips(true);
    }
    emit startupMessageHandled(static_cast<int>(type));
}

void TTavorineForm::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!event->spontaneous()) {
        FormShow();
    }
}

void TTavorineForm::FormShow() {
    UpdateCaption();
    m_patternActionList->setSuspended(false);
    m_drumsetActionList->setSuspended(false);
    m_endBarEdit->setValue(InitialEndBar);
    if (m_firstRun && !m_demoOfferedOnShow) {
        m_demoOfferedOnShow = true;
        OpenDemoSong();
    }
    m_formShown = true;
    for (const QEvent::Type type : std::exchange(m_deferredMessages, {})) {
        QCoreApplication::postEvent(this, new QEvent(type));
    }
}

void TTavorineForm::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        FormActivate();
    }
}

void TTavorineForm::FormActivate() {
    setActionListsSuspended(false);
}

void TTavorineForm::setActionListsSuspended(bool suspended) {
    for (TActionList* list : {m_mainActionList, m_patternActionList, m_drumsetActionList}) {
        list->setSuspended(suspended);
    }
}

// --- Closing ---------------------------------------------------------------------------------

void TTavorineForm::closeEvent(QCloseEvent* event) {
    if (FormCloseQuery()) {
        event->accept();
    } else {
        event->ignore();
    }
}

bool TTavorineForm::FormCloseQuery() {
    if (!QuerySaveSong()) {
        return false;
    }
    m_drumsUI->StopPlayback();
    // A settings file that cannot be written is reported, and the program
    // still closes: keeping it open would not make the file writable.
    runCommand([this] { SaveOptions(m_optionsPath); });
    return true;
}

// --- Lookup ------------------------------------------------------------------------------------

QAction* TTavorineForm::action(const QString& name) const {
    return findChild<QAction*>(name);
}

QToolBar* TTavorineForm::toolbar(const QString& name) const {
    return findChild<QToolBar*>(name, Qt::FindDirectChildrenOnly);
}

int32_t TTavorineForm::StartBar() const {
    return m_startBarEdit->value();
}

int32_t TTavorineForm::EndBar() const {
    return m_endBarEdit->value();
}
