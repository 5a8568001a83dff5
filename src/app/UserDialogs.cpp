#include "app/UserDialogs.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QSplashScreen>
#include <QUrl>

namespace {

// A box shown while the program starts must not sit behind the splash window.
void hideSplash() {
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (qobject_cast<QSplashScreen*>(window) != nullptr && window->isVisible()) {
            window->hide();
        }
    }
}

QString boxTitle() {
    return QApplication::applicationName();
}

QString runFileDialog(QWidget* parent, const TFileDialogRequest& request,
                      QFileDialog::AcceptMode mode) {
    QFileDialog dialog(parent, request.Title, request.Folder, request.Filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                       : QFileDialog::AnyFile);
    dialog.setDefaultSuffix(request.DefaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    return dialog.selectedFiles().constFirst();
}

} // namespace

TUserDialogs::TAnswer TQtUserDialogs::question(QWidget* parent, const QString& text,
                                               bool withCancel) {
    hideSplash();
    QMessageBox::StandardButtons buttons = QMessageBox::Yes | QMessageBox::No;
    if (withCancel) {
        buttons |= QMessageBox::Cancel;
    }
    switch (QMessageBox::question(parent, boxTitle(), text, buttons)) {
    case QMessageBox::Yes:
        return TAnswer::Yes;
    case QMessageBox::No:
        return TAnswer::No;
    default:
        // Escape or the close box: No where there is no Cancel.
        return withCancel ? TAnswer::Cancel : TAnswer::No;
    }
}

void TQtUserDialogs::information(QWidget* parent, const QString& text) {
    hideSplash();
    QMessageBox::information(parent, boxTitle(), text);
}

void TQtUserDialogs::error(QWidget* parent, const QString& text) {
    hideSplash();
    QMessageBox::critical(parent, boxTitle(), text);
}

bool TQtUserDialogs::inputText(QWidget* parent, const QString& title, const QString& prompt,
                               QString& text) {
    bool ok = false;
    const QString typed =
        QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, text, &ok);
    if (ok) {
        text = typed;
    }
    return ok;
}

QString TQtUserDialogs::openFileName(QWidget* parent, const TFileDialogRequest& request) {
    return runFileDialog(parent, request, QFileDialog::AcceptOpen);
}

QString TQtUserDialogs::saveFileName(QWidget* parent, const TFileDialogRequest& request) {
    return runFileDialog(parent, request, QFileDialog::AcceptSave);
}

int TQtUserDialogs::execDialog(QDialog& dialog) {
    return dialog.exec();
}

void TQtUserDialogs::openUrl(const QString& url) {
    const QUrl address(url);
    QDesktopServices::openUrl(address.scheme().isEmpty() ? QUrl::fromLocalFile(url) : address);
}
