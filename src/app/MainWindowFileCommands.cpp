// The main window's file commands: New, Open, Open with current drumset, a
// recent file, Save, Save as, Load drumset, Save selected hits as pattern,
// Exit; the save prompt and the demo song.
#include "app/EditorOperations.h"
#include "app/MainWindow.h"
#include "app/Sluzby.h"
#include "editor/DrumsUI.h"

#include <QFile>
#include <QFileInfo>
#include <filesystem>

namespace {

constexpr const char* SongFilter = "Tavorine files (*.drm)";
constexpr const char* DrumsetFilter = "Tavorine drumset files (*.dum)";

std::string programSubfolder(const char* name) {
    return joinPath(GetProgramFolder(), name);
}

QString qtPath(const std::string& path) {
    return QFile::decodeName(QByteArray::fromStdString(path));
}

std::string localPath(const QString& path) {
    return QFile::encodeName(path).toStdString();
}

bool fileExists(const std::string& path) {
    std::error_code ignored;
    return std::filesystem::is_regular_file(path, ignored);
}

bool songHasHits(const TDRComp& song) {
    for (int32_t bar = 0; bar < song.BarCount(); ++bar) {
        if (!song.Bar(bar).StartingHits.empty()) {
            return true;
        }
    }
    return false;
}

} // namespace

// --- Save prompt, caption helpers, demo song ---------------------------------------------

bool TTavorineForm::QuerySaveSong() {
    TSongEditor& editor = m_drumsUI->Editor();
    if (!editor.Modified) {
        return true;
    }
    bool mayDiscard = false;
    switch (m_dialogs.question(
        this, QStringLiteral("Current song has been modified. Save changes?"), true)) {
    case TUserDialogs::TAnswer::Cancel:
        return false;
    case TUserDialogs::TAnswer::No:
        mayDiscard = true;
        break;
    case TUserDialogs::TAnswer::Yes:
        saveSong();
        mayDiscard = !editor.Modified;
        break;
    }
    if (mayDiscard) {
        editor.Modified = false;
    }
    return mayDiscard;
}

void TTavorineForm::OpenDemoSong() {
    const std::string demo = joinPath(programSubfolder("Save"), "_demo.drm");
    if (!fileExists(demo)) {
        return;
    }
    if (runCommand([&] { m_drumsUI->LoadSong(demo, false, 0, 0, false, false); })) {
        m_currentFileName = demo;
        UpdateCaption();
    }
}

bool TTavorineForm::openSongFile(const std::string& fileName, bool keepDrumset) {
    // A file that exists is read into a song that has been cleared first; if
    // reading fails then, the editor no longer shows the old file, and saving
    // under its name would overwrite it with what was left.
    const bool replacesSong = fileExists(fileName);
    if (!runCommand([&] { m_drumsUI->LoadSong(fileName, keepDrumset, 0, 0, false, false); })) {
        if (replacesSong) {
            m_currentFileName.clear();
            UpdateCaption();
        }
        return false;
    }
    m_currentFileName = fileName;
    AddToRecentFiles(fileName);
    UpdateCaption();
    return true;
}

// --- File menu -----------------------------------------------------------------------------

void TTavorineForm::NewItemClick() {
    if (!QuerySaveSong()) {
        return;
    }
    runCommand([this] { m_drumsUI->ClearSongCommand(); });
    m_currentFileName.clear();
    UpdateCaption();
}

void TTavorineForm::OpenItemClick() {
    openWithDialog(false);
}

void TTavorineForm::OpenWithCurrentDrumsetItemClick() {
    openWithDialog(true);
}

void TTavorineForm::openWithDialog(bool keepDrumset) {
    if (!QuerySaveSong()) {
        return;
    }
    m_songDialog.Title = QStringLiteral("Open");
    m_songDialog.Filter = QString::fromLatin1(SongFilter);
    m_songDialog.DefaultSuffix = QStringLiteral("drm");
    m_songDialog.Folder = qtPath(programSubfolder("Save"));
    const QString chosen = m_dialogs.openFileName(this, m_songDialog);
    if (chosen.isEmpty()) {
        return;
    }
    openSongFile(localPath(chosen), keepDrumset);
}

void TTavorineForm::RecentItemClick(int index) {
    const auto& entries = m_recentFiles.entries();
    if (index < 0 || static_cast<size_t>(index) >= entries.size() || !QuerySaveSong()) {
        return;
    }
    // A copy: opening the file reorders the list.
    const std::string fileName = entries[static_cast<size_t>(index)];
    openSongFile(fileName, false);
}

void TTavorineForm::SaveItemClick() {
    saveSong();
}

bool TTavorineForm::saveSong() {
    if (m_currentFileName.empty()) {
        return saveSongAs();
    }
    return runCommand([this] { m_drumsUI->SaveSong(m_currentFileName, false); });
}

void TTavorineForm::SaveAsItemClick() {
    saveSongAs();
}

bool TTavorineForm::saveSongAs() {
    TFileDialogRequest request;
    request.Title = QStringLiteral("Save as");
    request.Filter = QString::fromLatin1(SongFilter);
    request.DefaultSuffix = QStringLiteral("drm");
    request.Folder =
        m_currentFileName.empty() ? qtPath(programSubfolder("Save")) : qtPath(m_currentFileName);
    const QString chosen = m_dialogs.saveFileName(this, request);
    if (chosen.isEmpty()) {
        return false;
    }
    const std::string fileName = localPath(chosen);
    if (!runCommand([&] { m_drumsUI->SaveSong(fileName, false); })) {
        return false;
    }
    m_currentFileName = fileName;
    AddToRecentFiles(fileName);
    UpdateCaption();
    return true;
}

void TTavorineForm::LoadDrumsetItemClick() {
    if (!QuerySaveSong()) {
        return;
    }
    m_drumsetDialog.Title = QStringLiteral("Load drumset");
    m_drumsetDialog.Filter = QString::fromLatin1(DrumsetFilter);
    m_drumsetDialog.DefaultSuffix = QStringLiteral("dum");
    m_drumsetDialog.Folder = qtPath(programSubfolder("Drumsets"));
    const QString chosen = m_dialogs.openFileName(this, m_drumsetDialog);
    if (chosen.isEmpty()) {
        return;
    }
    const bool hadHits = songHasHits(m_drumsUI->Editor().Song);
    runCommand([&] { m_drumsUI->SetDrumsetFile(localPath(chosen)); });
    // Another drumset empties the song; the emptied song must not be saved
    // over the file it came from.
    if (hadHits && !songHasHits(m_drumsUI->Editor().Song)) {
        m_currentFileName.clear();
        UpdateCaption();
    }
}

void TTavorineForm::ExitItemClick() {
    close();
}

void TTavorineForm::SaveAsPatternItemClick() {
    if (m_drumsUI->Editor().SelectedCount() == 0) {
        m_dialogs.error(this, QString::fromLatin1(NoHitsSelectedMessage));
        return;
    }
    TFileDialogRequest request;
    request.Title = QStringLiteral("Save selected hits as pattern");
    request.Filter = QString::fromLatin1(SongFilter);
    request.DefaultSuffix = QStringLiteral("drm");
    request.Folder = qtPath(programSubfolder("Patterns"));
    const QString chosen = m_dialogs.saveFileName(this, request);
    if (!chosen.isEmpty()) {
        runCommand([&] { m_drumsUI->SaveSong(localPath(chosen), true); });
    }
}
