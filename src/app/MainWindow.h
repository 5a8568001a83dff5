// TTavorineForm: the main window. It owns the song editor control, the
// options and the recent-files list, carries the menu bar, the six tool bars
// and the three action lists, and runs the commands on the window's side.
// Creation, showing, the start-up messages and closing live in
// MainWindow.cpp; menus, tool bars and the command groups in the other
// MainWindow*.cpp files.
//
// Later parts of the program hook in by name: every menu item, tool button and
// keyboard action is a QAction with the objectName given where it is made
// (MainWindowMenus.cpp, MainWindowToolbars.cpp; action("PlayButton")), and the
// commands that are still empty are the handlers in
// MainWindowLaterCommands.cpp.
#pragma once

#include "app/ActionList.h"
#include "app/Options.h"
#include "app/RecentFiles.h"
#include "app/UserDialogs.h"

#include <QEvent>
#include <QMainWindow>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QAction;
class QActionGroup;
class QMenu;
class QToolBar;
class TBarSpinBox;
class TDrumsUI;
class TNewTempoForm;
class TPropForm;
enum class THitType;
enum class TModeType;

namespace audio {
class AudioOutput;
class SampleEngine;
class SampleEnginePlayback;
} // namespace audio

// Private messages the window posts to itself while it is created; they are
// handled, in the order posted, once the window has been shown.
static constexpr QEvent::Type UM_RUNMAXIMIZED = static_cast<QEvent::Type>(1357);
static constexpr QEvent::Type UM_SHOWPATTERNMANAGER = static_cast<QEvent::Type>(1358);
static constexpr QEvent::Type UM_SHOWTIPS = static_cast<QEvent::Type>(1359);

// The bar fields' values at creation and whenever the window is shown.
static constexpr int32_t InitialStartBar = 0;
static constexpr int32_t InitialEndBar = 10000;

class TTavorineForm : public QMainWindow {
    Q_OBJECT

public:
    // Runs the creation steps (FormCreate). A step that fails shows its error
    // and is skipped; the others still run. The audio output and the dialogs
    // must outlive the window.
    TTavorineForm(audio::AudioOutput& audio, TUserDialogs& dialogs, QWidget* parent = nullptr);
    ~TTavorineForm() override;

    // Creates the dialogs that live for the whole run, hidden, once the window
    // exists (the program's start calls it right after the constructor).
    void CreateRunLongDialogs();

    // --- State ------------------------------------------------------------------
    TDrumsUI& DrumsUI() { return *m_drumsUI; }
    // The run-long tempo and hit properties dialogs; null before
    // CreateRunLongDialogs.
    TNewTempoForm* NewTempoForm() const { return m_newTempoForm; }
    TPropForm* PropForm() const { return m_propForm; }
    TOptionsItem& Options() { return m_options; }
    const std::string& CurrentFileName() const { return m_currentFileName; }
    const TRecentFileList& RecentFiles() const { return m_recentFiles; }
    bool FirstRun() const { return m_firstRun; }
    // The shared data folder + "options.ini"; empty without a data folder.
    const std::string& OptionsPath() const { return m_optionsPath; }
    TUserDialogs& Dialogs() { return m_dialogs; }
    audio::AudioOutput& Audio() { return m_audio; }

    TActionList& MainActionList() { return *m_mainActionList; }
    TActionList& PatternActionList() { return *m_patternActionList; }
    // Handed to the editor for the drumset's sample shortcuts.
    TActionList& DrumsetActionList() { return *m_drumsetActionList; }
    // Suspends the three lists (a pattern name is being edited) or enables
    // them again.
    void setActionListsSuspended(bool suspended);

    // A menu item, tool button or keyboard action by object name; null when
    // there is none.
    QAction* action(const QString& name) const;
    QToolBar* toolbar(const QString& name) const;
    TBarSpinBox& StartBarEdit() { return *m_startBarEdit; }
    TBarSpinBox& EndBarEdit() { return *m_endBarEdit; }
    int32_t StartBar() const;
    int32_t EndBar() const;

    // The editor's looping and recording, which the tool buttons and the
    // Options menu show.
    bool EditorLoop() const;
    bool EditorRecording() const;

    // --- Operations -------------------------------------------------------------
    // Reads the options, places the tool bars, posts the start-up messages
    // and fills the "Reopen" menu; throws with the text for the error box
    // when part of the file could not be read (the rest still applies).
    void LoadOptions(const std::string& fileName);
    // Writes the options with the recent files and the tool bar places;
    // throws std::runtime_error when the file cannot be written.
    void SaveOptions(const std::string& fileName);
    void AddToRecentFiles(const std::string& path);
    // True when the current song may be discarded (saved, or not to be
    // saved); asks when it was modified.
    bool QuerySaveSong();
    void UpdateCaption();
    void OpenDemoSong();
    // Starts the audio output on device soundDevice + 1. When that fails the
    // silent output is started instead, so that songs can still be edited,
    // saved and exported, and the failure is thrown for the error box.
    void InitAudio(int soundDevice);
    // Stops the output and runs InitAudio with the options' SoundDevice.
    void ReinitAudio();
    void ResetToolbars();

    // Loads a song file (the Open commands, a recent file) and makes it the
    // current file; errors are shown. Returns whether it loaded.
    bool openSongFile(const std::string& fileName, bool keepDrumset);
    // The Save command: to the current file, or Save as without one. True
    // when the song was saved.
    bool saveSong();

    // Runs fn with the wait cursor shown; the cursor comes back however fn
    // ends. Errors fn throws are shown in an error box; returns false then.
    bool runCommand(const std::function<void()>& fn, bool waitCursor = false);

signals:
    // A start-up message (UM_RUNMAXIMIZED ...) was handled.
    void startupMessageHandled(int message);

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // --- Creation (MainWindow.cpp) ----------------------------------------------
    void runCreationStep(const std::function<void()>& step);
    void FormShow();
    void FormActivate();
    bool FormCloseQuery();
    void handleStartupMessage(QEvent::Type type);
    void connectEditorNotifications();
    void showError(const QString& text);

    // --- Menus, tool bars, bar fields (MainWindowMenus.cpp, MainWindowToolbars.cpp) --
    void createMenus();
    void createToolbars();
    void createActionLists();
    QAction* makeAction(const char* name, const QString& caption, const QString& shortcut,
                        void (TTavorineForm::*slot)());
    void refreshViewMenu();
    void refreshOperationMenu();
    void refreshOptionsMenu();
    void refreshReopenMenu();
    void placeToolbarsAtStart();
    void startBarChanged(int value);

    // --- File commands (MainWindowFileCommands.cpp) ------------------------------
    void NewItemClick();
    void OpenItemClick();
    void OpenWithCurrentDrumsetItemClick();
    void openWithDialog(bool keepDrumset);
    void RecentItemClick(int index);
    void SaveItemClick();
    void SaveAsItemClick();
    bool saveSongAs();
    void LoadDrumsetItemClick();
    void ExitItemClick();
    void SaveAsPatternItemClick();

    // --- Edit, view, operation and options commands (MainWindowCommands.cpp) -----
    void UndoItemClick();
    void RedoItemClick();
    void DeleteBarItemClick();
    void InsertTempoItemClick();
    void SelectAllItemClick();
    void DeselectAllItemClick();
    void DeleteSelectedItemClick();
    void DeleteBarActionExecute();
    void setDivision(int32_t number);
    void GoToBarItemClick();
    void setModeType(TModeType mode);
    void setHitType(THitType type);
    void ZoomInItemClick();
    void ZoomOutItemClick();
    void ExpandGroupsItemClick();
    void CollapseGroupsItemClick();
    void MuteOffItemClick();
    void setLoop(bool on);
    void setRecording(bool on);
    void setSnapTo(bool on);
    void setPatternInsertMouseMode(bool on);
    void TargetCursorButtonClick();
    void DeleteMultipleHitsItemClick();
    // The bar number input of Delete bar and Go to bar; false when cancelled,
    // empty or not a whole number.
    bool askBarNumber(const QString& title, int32_t& bar);
    // The bar under the mouse over the grid, -1 when the mouse is left of it.
    int32_t barUnderMouse() const;

    // --- Help and tips (MainWindowHelp.cpp) ---------------------------------------
    void openHelpPage(const char* fileName);
    void openWebPage(const char* address);
    void ShowTipsItemClick();
    void showTips(bool presetShowOnStartup);

    // --- Commands connected by later parts of the program (MainWindowLaterCommands.cpp)
    void ImportMidiItemClick();
    void ExportMidiItemClick();
    void ExportWavItemClick();
    void ConfigurationItemClick();
    void InsertBarItemClick();
    void CopyItemClick();
    void PasteSpecialItemClick();
    void CustomDivisionItemClick();
    void DrumsetEditorItemClick();
    void PatternManagerItemClick();
    void BeatCalculatorItemClick();
    void MidiInfoItemClick();
    void StiahniHitsItemClick();
    void AboutItemClick();
    void PlayButtonClick();
    void StopButtonClick();
    void PlayActionExecute();
    void PlayFromCurrentPositionActionExecute();
    void ToggleBarActionExecute();
    void InitSamplesButtonClick();
    // Play and Ctrl+Space: the information box when nothing follows start.
    bool checkHitsFrom(int32_t bar);
    void OnBeforePlayFromBar();
    void ShowPatternManager();

    audio::AudioOutput& m_audio;
    TUserDialogs& m_dialogs;
    TOptionsItem m_options;
    TRecentFileList m_recentFiles;
    TDrumsUI* m_drumsUI = nullptr;
    TNewTempoForm* m_newTempoForm = nullptr;
    TPropForm* m_propForm = nullptr;
    std::string m_currentFileName;
    std::string m_optionsPath;
    bool m_firstRun = false;
    bool m_formShown = false;
    bool m_demoOfferedOnShow = false;
    // Start-up messages that arrived before the window was shown (an error
    // box's event loop can deliver them early); re-posted by FormShow.
    std::vector<QEvent::Type> m_deferredMessages;
    bool m_tipsShowOnStartup = false;
    std::unique_ptr<audio::SampleEngine> m_sampleEngine;
    std::unique_ptr<audio::SampleEnginePlayback> m_playbackVoices;

    TActionList* m_mainActionList = nullptr;
    TActionList* m_patternActionList = nullptr;
    TActionList* m_drumsetActionList = nullptr;
    QMenu* m_viewMenu = nullptr;
    QMenu* m_operationMenu = nullptr;
    QMenu* m_optionsMenu = nullptr;
    QMenu* m_reopenMenu = nullptr;
    std::array<QAction*, TRecentFileList::MaxCount> m_recentMenuItems{};
    std::vector<std::pair<QAction*, int32_t>> m_divisionItems;
    QAction* m_customDivisionItem = nullptr;
    TBarSpinBox* m_startBarEdit = nullptr;
    TBarSpinBox* m_endBarEdit = nullptr;
    TFileDialogRequest m_songDialog;
    TFileDialogRequest m_drumsetDialog;
    TFileDialogRequest m_midiDialog;
};
