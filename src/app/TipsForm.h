// TTipsForm: the "Tips and Tricks" window - one tip at a time, starting at a
// random one, with "&Next Tip", "&Close" and the "&show tips on startup"
// check box.
#pragma once

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QLabel;
class QPushButton;

class TTipsForm : public QDialog {
    Q_OBJECT

public:
    TTipsForm(QStringList tips, QWidget* parent = nullptr);

    bool showOnStartup() const;
    void setShowOnStartup(bool on);
    // The tip shown; empty without tips.
    QString currentTip() const;
    // Steps to the following tip, after the last back to the first.
    void nextTip();

private:
    void showTip();

    QStringList m_tips;
    qsizetype m_index = 0;
    QLabel* m_tip = nullptr;
    QCheckBox* m_showOnStartup = nullptr;
    QPushButton* m_next = nullptr;
};
