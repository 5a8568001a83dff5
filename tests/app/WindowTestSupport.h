// Shared helpers of the main window tests: scripted answers for every box and
// dialog, a program folder copied from the staged one into a temporary
// folder, and a window on the silent audio output.
#pragma once

#include "app/MainWindow.h"
#include "app/UserDialogs.h"
#include "audio/AudioOutput.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// Answers the window's questions from queues filled by the test and records
// everything shown. An unexpected question is answered Cancel, an unexpected
// input or file dialog as cancelled.
class TScriptedDialogs : public TUserDialogs {
public:
    struct TShown {
        QString
            Kind; // "question", "information", "error", "input", "open", "save", "dialog", "url"
        QString Text; // the box's text, the input's title, the dialog's object name, the url
    };

    std::deque<TAnswer> Answers;
    std::deque<QString> Inputs;    // typed texts; a null QString cancels
    std::deque<QString> FileNames; // chosen files; empty cancels
    // Runs on each modal dialog instead of a person; its result is returned.
    std::function<int(QDialog&)> OnDialog;
    std::vector<TShown> Shown;
    std::vector<TFileDialogRequest> FileDialogs;

    TAnswer question(QWidget* parent, const QString& text, bool withCancel) override;
    void information(QWidget* parent, const QString& text) override;
    void error(QWidget* parent, const QString& text) override;
    bool inputText(QWidget* parent, const QString& title, const QString& prompt,
                   QString& text) override;
    QString openFileName(QWidget* parent, const TFileDialogRequest& request) override;
    QString saveFileName(QWidget* parent, const TFileDialogRequest& request) override;
    int execDialog(QDialog& dialog) override;
    void openUrl(const QString& url) override;

    // The texts shown of one kind, in order.
    QStringList texts(const QString& kind) const;

private:
    // Records a file dialog and answers it with the next scripted name.
    QString nextFileName(const QString& kind, const TFileDialogRequest& request);
};

// A program folder in a temporary folder, with the staged Drumsets, Save and
// Help folders (the drumset's samples stay where they were staged), made the
// program folder for as long as it lives.
class TProgramFolder {
public:
    TProgramFolder();
    ~TProgramFolder();
    TProgramFolder(const TProgramFolder&) = delete;
    TProgramFolder& operator=(const TProgramFolder&) = delete;

    const std::string& path() const { return m_path; }
    std::string file(const std::string& relative) const { return m_path + "/" + relative; }
    std::string defaultDrumset() const { return file("Drumsets/default.dum"); }
    std::string demoSong() const { return file("Save/_demo.drm"); }

private:
    QTemporaryDir m_dir;
    std::string m_path;
};

// A window on its own silent audio output, with the scripted dialogs.
struct TWindowFixture {
    TWindowFixture();
    // Constructs the window (runs its creation steps); again after close for
    // a second start.
    TTavorineForm& create();
    void destroy();

    TScriptedDialogs Dialogs;
    std::unique_ptr<audio::AudioOutput> Audio;
    std::unique_ptr<TTavorineForm> Window;
};

// The shared data folder's "options.ini", which the tests remove before and
// after each case.
std::string optionsFile();
void removeOptionsFile();

QByteArray readBytes(const std::string& path);
void writeBytes(const std::string& path, const QByteArray& bytes);
// Section "Options" followed by lines "key=value".
void writeOptions(const QStringList& lines);
// The keys of a section in file order, and a key's value.
QStringList sectionKeys(const std::string& iniFile, const QString& section);
QString iniValue(const std::string& iniFile, const QString& section, const QString& key);

// Number of hits in the editor's song.
int hitCount(TTavorineForm& window);
// Where the tests may write files they keep (the rendered window).
QString testOutputFolder();

int runStartupTests(int argc, char** argv);
int runRecentFilesWindowTests(int argc, char** argv);
int runSaveAndCloseTests(int argc, char** argv);
int runToolbarWindowTests(int argc, char** argv);
int runCommandTests(int argc, char** argv);
int runLookTests(int argc, char** argv);
int runPlayCommandTests(int argc, char** argv);
