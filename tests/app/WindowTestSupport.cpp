#include "WindowTestSupport.h"

#include "app/OptionsFile.h"
#include "app/Sluzby.h"
#include "editor/DrumsUI.h"

#include <QDialog>
#include <QDir>
#include <QFile>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace fs = std::filesystem;

// --- Scripted dialogs --------------------------------------------------------------------

TUserDialogs::TAnswer TScriptedDialogs::question(QWidget*, const QString& text, bool withCancel) {
    Shown.push_back({QStringLiteral("question"), text});
    if (Answers.empty()) {
        return withCancel ? TAnswer::Cancel : TAnswer::No;
    }
    const TAnswer answer = Answers.front();
    Answers.pop_front();
    return answer;
}

void TScriptedDialogs::information(QWidget*, const QString& text) {
    Shown.push_back({QStringLiteral("information"), text});
}

void TScriptedDialogs::error(QWidget*, const QString& text) {
    Shown.push_back({QStringLiteral("error"), text});
}

bool TScriptedDialogs::inputText(QWidget*, const QString& title, const QString& prompt,
                                 QString& text) {
    Shown.push_back({QStringLiteral("input"), title + QLatin1Char('|') + prompt});
    if (Inputs.empty() || Inputs.front().isNull()) {
        if (!Inputs.empty()) {
            Inputs.pop_front();
        }
        return false;
    }
    text = Inputs.front();
    Inputs.pop_front();
    return true;
}

QString TScriptedDialogs::nextFileName(const QString& kind, const TFileDialogRequest& request) {
    Shown.push_back({kind, request.Filter});
    FileDialogs.push_back(request);
    if (FileNames.empty()) {
        return {};
    }
    const QString name = FileNames.front();
    FileNames.pop_front();
    return name;
}

QString TScriptedDialogs::openFileName(QWidget*, const TFileDialogRequest& request) {
    return nextFileName(QStringLiteral("open"), request);
}

QString TScriptedDialogs::saveFileName(QWidget*, const TFileDialogRequest& request) {
    return nextFileName(QStringLiteral("save"), request);
}

int TScriptedDialogs::execDialog(QDialog& dialog) {
    Shown.push_back({QStringLiteral("dialog"), dialog.objectName()});
    return OnDialog ? OnDialog(dialog) : QDialog::Rejected;
}

void TScriptedDialogs::openUrl(const QString& url) {
    Shown.push_back({QStringLiteral("url"), url});
}

QStringList TScriptedDialogs::texts(const QString& kind) const {
    QStringList list;
    for (const TShown& shown : Shown) {
        if (shown.Kind == kind) {
            list.append(shown.Text);
        }
    }
    return list;
}

// --- Program folder ----------------------------------------------------------------------

TProgramFolder::TProgramFolder() : m_path(m_dir.path().toStdString()) {
    if (!m_dir.isValid()) {
        throw std::runtime_error("cannot create a temporary folder");
    }
    const fs::path staged(TAVORINE_PROGRAM_DIR);
    for (const char* folder : {"Drumsets", "Save", "Help"}) {
        fs::copy(staged / folder, fs::path(m_path) / folder, fs::copy_options::recursive);
    }
    for (const char* folder : {"Patterns", "Mid", "Export"}) {
        fs::create_directory(fs::path(m_path) / folder);
    }
    overrideProgramFolder(m_path);
}

TProgramFolder::~TProgramFolder() {
    overrideProgramFolder({});
}

// --- Window fixture -------------------------------------------------------------------------

TWindowFixture::TWindowFixture() {
    audio::AudioOutput::Options options;
    options.useSoundCards = false;
    options.silentPacing = audio::SilentOutput::Pacing::Manual;
    Audio = std::make_unique<audio::AudioOutput>(options);
}

TTavorineForm& TWindowFixture::create() {
    Window.reset();
    Window = std::make_unique<TTavorineForm>(*Audio, Dialogs);
    return *Window;
}

void TWindowFixture::destroy() {
    Window.reset();
}

// --- Files ------------------------------------------------------------------------------------

std::string optionsFile() {
    return GetOptionsFileName();
}

void removeOptionsFile() {
    std::error_code ignored;
    fs::remove(optionsFile(), ignored);
}

QByteArray readBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return {};
    }
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return QByteArray::fromStdString(bytes);
}

void writeBytes(const std::string& path, const QByteArray& bytes) {
    fs::create_directories(fs::path(path).parent_path());
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.constData(), bytes.size());
    if (!out) {
        throw std::runtime_error("cannot write " + path);
    }
}

void writeOptions(const QStringList& lines) {
    writeBytes(optionsFile(),
               ("[Options]\r\n" + lines.join(QStringLiteral("\r\n")) + "\r\n").toUtf8());
}

namespace {

// The lines of one section, without the header.
QStringList sectionLines(const std::string& iniFile, const QString& section) {
    QStringList lines;
    bool inside = false;
    for (QString line : QString::fromUtf8(readBytes(iniFile)).split(QLatin1Char('\n'))) {
        line = line.trimmed();
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            inside = line.mid(1, line.size() - 2).compare(section, Qt::CaseInsensitive) == 0;
        } else if (inside && !line.isEmpty()) {
            lines.append(line);
        }
    }
    return lines;
}

} // namespace

QStringList sectionKeys(const std::string& iniFile, const QString& section) {
    QStringList keys;
    for (const QString& line : sectionLines(iniFile, section)) {
        keys.append(line.section(QLatin1Char('='), 0, 0));
    }
    return keys;
}

QString iniValue(const std::string& iniFile, const QString& section, const QString& key) {
    for (const QString& line : sectionLines(iniFile, section)) {
        if (line.section(QLatin1Char('='), 0, 0).compare(key, Qt::CaseInsensitive) == 0) {
            return line.section(QLatin1Char('='), 1);
        }
    }
    return QStringLiteral("<missing>");
}

int hitCount(TTavorineForm& window) {
    const TDRComp& song = window.DrumsUI().Editor().Song;
    int count = 0;
    for (int32_t bar = 0; bar < song.BarCount(); ++bar) {
        count += static_cast<int>(song.Bar(bar).StartingHits.size());
    }
    return count;
}

QString testOutputFolder() {
    return QStringLiteral(TAVORINE_TEST_OUTPUT);
}
