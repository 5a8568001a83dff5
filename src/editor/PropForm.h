// TPropForm: the hit properties dialog ("Properties") - start, fixed end,
// volume, panning and fade times of one hit, or volume, panning and fades of
// several. One instance lives for the whole run; Setup brings every control
// to the edited hit, and the editor applies Results when Confirmed.
#pragma once

#include "editor/HitProperties.h"

#include <QDialog>

class QGroupBox;
class QPushButton;
class QScrollBar;
class TDrumsetItem;
class TNumberEdit;
class TUpDown;
struct TDRHit;

class TPropForm : public QDialog {
    Q_OBJECT

public:
    explicit TPropForm(QWidget* parent = nullptr);

    // sample: the hit's drumset sample for the "Default" buttons (may be
    // null; they then do nothing). several: the selection is edited, so the
    // position group is disabled.
    void Setup(const TDRHit& hit, const TDrumsetItem* sample, bool several);
    bool Confirmed() const { return m_confirmed; }
    // From the up-downs; -1 for those that are disabled. Panning is
    // 2 x left - 100.
    TPropResults Results() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildPosition();
    void buildVolume();
    void buildPanning();
    void buildFades();
    void connectMirroring();
    void setPanningFromLeft(int left);
    // The up-down's value, or -1 while it is disabled.
    static int resultOf(const TUpDown& upDown);

    QGroupBox* m_positionBox = nullptr;
    TNumberEdit* m_barEdit = nullptr;
    TUpDown* m_barUpDown = nullptr;
    TNumberEdit* m_tickEdit = nullptr;
    TUpDown* m_tickUpDown = nullptr;
    TNumberEdit* m_endTimeEdit = nullptr;
    TUpDown* m_endTimeUpDown = nullptr;

    QGroupBox* m_volumeBox = nullptr;
    QScrollBar* m_volumeBar = nullptr;
    TNumberEdit* m_volumeEdit = nullptr;
    TUpDown* m_volumeUpDown = nullptr;
    QPushButton* m_defaultVolumeButton = nullptr;

    QGroupBox* m_panningBox = nullptr;
    QScrollBar* m_panningBar = nullptr;
    TNumberEdit* m_panningLeftEdit = nullptr;
    TUpDown* m_panningLeftUpDown = nullptr;
    TNumberEdit* m_panningRightEdit = nullptr;
    TUpDown* m_panningRightUpDown = nullptr;
    QPushButton* m_panningCenterButton = nullptr;
    QPushButton* m_defaultPanningButton = nullptr;

    QGroupBox* m_fadeOutGroupBox = nullptr;
    QScrollBar* m_beforeFadeOutBar = nullptr;
    TNumberEdit* m_beforeFadeOutEdit = nullptr;
    TUpDown* m_beforeFadeOutUpDown = nullptr;
    QScrollBar* m_fadeOutBar = nullptr;
    TNumberEdit* m_fadeOutEdit = nullptr;
    TUpDown* m_fadeOutUpDown = nullptr;
    QPushButton* m_defaultFadeButton = nullptr;

    QPushButton* m_okButton = nullptr;
    QPushButton* m_cancelButton = nullptr;

    bool m_confirmed = false;
    bool m_updating = false;
    const TDrumsetItem* m_sample = nullptr;
};
