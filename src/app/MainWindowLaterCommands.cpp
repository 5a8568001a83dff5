// The main window's commands whose work belongs to parts of the program that
// are still to come. Each exists with its caption, shortcut and state and is
// connected to its menu item, tool button or keyboard action already; the
// part that brings the operation fills in the handler here.
#include "app/MainWindow.h"

// File menu: MIDI import (after QuerySaveSong, the MIDI dialog with its folder
// set to Mid), the two export dialogs, the configuration dialog (ReinitAudio
// when SoundDevice changed).
void TTavorineForm::ImportMidiItemClick() {}
void TTavorineForm::ExportMidiItemClick() {}
void TTavorineForm::ExportWavItemClick() {}
void TTavorineForm::ConfigurationItemClick() {}

// Edit menu: the insert bars dialog, copy and paste special.
void TTavorineForm::InsertBarItemClick() {}
void TTavorineForm::CopyItemClick() {}
void TTavorineForm::PasteSpecialItemClick() {}

// View menu: the custom bar division dialog.
void TTavorineForm::CustomDivisionItemClick() {}

// Tools and Help menus: the drumset editor, the pattern manager, the beat
// change calculator, the MIDI file report and the about box.
void TTavorineForm::DrumsetEditorItemClick() {}
void TTavorineForm::PatternManagerItemClick() {
    ShowPatternManager();
}
void TTavorineForm::BeatCalculatorItemClick() {}
void TTavorineForm::MidiInfoItemClick() {}
void TTavorineForm::AboutItemClick() {}

// Shows the pattern manager window, not modally (also UM_SHOWPATTERNMANAGER).
void TTavorineForm::ShowPatternManager() {}
