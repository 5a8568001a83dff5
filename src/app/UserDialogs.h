// TUserDialogs: every box, input, file dialog, modal window and page the main
// window shows to the user goes through this one small interface, so that
// tests can answer them without a person. TQtUserDialogs shows the real
// Qt dialogs.
#pragma once

#include <QString>

class QDialog;
class QWidget;

// One file dialog of the main window. The window keeps one per kind (song,
// drumset, MIDI) so that each remembers the folder it was last used in.
struct TFileDialogRequest {
    QString Title;
    QString Filter;        // "Tavorine files (*.drm)"
    QString DefaultSuffix; // "drm"
    QString Folder;        // where the dialog opens; empty: the current folder
};

class TUserDialogs {
public:
    enum class TAnswer { Yes, No, Cancel };

    virtual ~TUserDialogs() = default;

    // A question with Yes and No, and Cancel when withCancel.
    virtual TAnswer question(QWidget* parent, const QString& text, bool withCancel) = 0;
    // Information and error boxes with OK only.
    virtual void information(QWidget* parent, const QString& text) = 0;
    virtual void error(QWidget* parent, const QString& text) = 0;
    // An input box; false when cancelled, text holds what was typed.
    virtual bool inputText(QWidget* parent, const QString& title, const QString& prompt,
                           QString& text) = 0;
    // The chosen file, or an empty text when cancelled.
    virtual QString openFileName(QWidget* parent, const TFileDialogRequest& request) = 0;
    virtual QString saveFileName(QWidget* parent, const TFileDialogRequest& request) = 0;
    // Shows a dialog modally and returns its result (QDialog::Accepted ...).
    virtual int execDialog(QDialog& dialog) = 0;
    // Hands a file or web address to the desktop's default handler; failures
    // are not reported.
    virtual void openUrl(const QString& url) = 0;
};

class TQtUserDialogs : public TUserDialogs {
public:
    TAnswer question(QWidget* parent, const QString& text, bool withCancel) override;
    void information(QWidget* parent, const QString& text) override;
    void error(QWidget* parent, const QString& text) override;
    bool inputText(QWidget* parent, const QString& title, const QString& prompt,
                   QString& text) override;
    QString openFileName(QWidget* parent, const TFileDialogRequest& request) override;
    QString saveFileName(QWidget* parent, const TFileDialogRequest& request) override;
    int execDialog(QDialog& dialog) override;
    void openUrl(const QString& url) override;
};
