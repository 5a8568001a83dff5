// The Help menu's pages and the tips window.
#include "app/MainWindow.h"
#include "app/Sluzby.h"
#include "app/TipsForm.h"
#include "app/WebPages.h"

#include <QFile>
#include <QStringList>

namespace {

std::string helpFile(const char* fileName) {
    return joinPath(joinPath(GetProgramFolder(), HelpFolderName), fileName);
}

// One tip per line; blank lines are no tips. A missing file gives none.
QStringList readTips() {
    QFile file(QFile::decodeName(QByteArray::fromStdString(helpFile(TipsFileName))));
    QStringList tips;
    if (!file.open(QIODevice::ReadOnly)) {
        return tips;
    }
    for (const QByteArray& line : file.readAll().split('\n')) {
        const QString tip = QString::fromLocal8Bit(line).trimmed();
        if (!tip.isEmpty()) {
            tips.append(tip);
        }
    }
    return tips;
}

} // namespace

void TTavorineForm::openHelpPage(const char* fileName) {
    m_dialogs.openUrl(QFile::decodeName(QByteArray::fromStdString(helpFile(fileName))));
}

void TTavorineForm::openWebPage(const char* address) {
    m_dialogs.openUrl(QString::fromLatin1(address));
}

void TTavorineForm::ShowTipsItemClick() {
    showTips(false);
}

void TTavorineForm::showTips(bool presetShowOnStartup) {
    TTipsForm tips(readTips(), this);
    // From the menu the check box shows how it was left the last time.
    tips.setShowOnStartup(presetShowOnStartup || m_tipsShowOnStartup);
    m_dialogs.execDialog(tips);
    m_tipsShowOnStartup = tips.showOnStartup();
    m_options.SetShowTipsOnStartup(m_tipsShowOnStartup);
}
