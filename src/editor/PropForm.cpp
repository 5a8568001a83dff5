#include "editor/PropForm.h"

#include "drumset/DrumsetItem.h"
#include "editor/DialogFields.h"
#include "model/SongTypes.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>
#include <algorithm>

namespace {

using namespace PropLimits;
constexpr int FadeArrowStep = 10;

QLabel* label(const QString& text, QWidget* parent) {
    return new QLabel(text, parent);
}

QScrollBar* horizontalBar(const QString& name, int maximum, QWidget* parent) {
    auto* bar = new QScrollBar(Qt::Horizontal, parent);
    bar->setObjectName(name);
    bar->setRange(0, maximum);
    bar->setMinimumWidth(200);
    return bar;
}

QPushButton* button(const QString& name, const QString& caption, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

} // namespace

TPropForm::TPropForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("PropForm"));
    setWindowTitle(QStringLiteral("Properties"));
    auto* layout = new QVBoxLayout(this);
    buildPosition();
    buildVolume();
    buildPanning();
    buildFades();
    layout->addWidget(m_positionBox);
    layout->addWidget(m_volumeBox);
    layout->addWidget(m_panningBox);
    layout->addWidget(m_fadeOutGroupBox);

    m_okButton = button(QStringLiteral("OKButton"), QStringLiteral("&OK"), this);
    m_okButton->setDefault(true);
    m_cancelButton = button(QStringLiteral("CancelButton"), QStringLiteral("&Cancel"), this);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_okButton);
    buttons->addWidget(m_cancelButton);
    layout->addLayout(buttons);
    connect(m_okButton, &QPushButton::clicked, this, [this] {
        m_confirmed = true;
        accept();
    });
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);

    connectMirroring();
    SetDialogFrame(*this);
}

void TPropForm::buildPosition() {
    m_positionBox = new QGroupBox(QStringLiteral(" Position "), this);
    m_positionBox->setObjectName(QStringLiteral("PositionBox"));
    auto* grid = new QGridLayout(m_positionBox);
    m_barEdit = new TNumberEdit(QStringLiteral("BarEdit"), 6, m_positionBox);
    m_barUpDown = new TUpDown(QStringLiteral("BarUpDown"), 0, MaxBar, m_positionBox);
    m_tickEdit = new TNumberEdit(QStringLiteral("TickEdit"), 3, m_positionBox);
    m_tickUpDown = new TUpDown(QStringLiteral("TickUpDown"), 0, MaxTick, m_positionBox);
    m_endTimeEdit = new TNumberEdit(QStringLiteral("EndTimeEdit"), 10, m_positionBox);
    m_endTimeUpDown = new TUpDown(QStringLiteral("EndTimeUpDown"), 0, 0, m_positionBox);
    grid->addWidget(label(QStringLiteral("Bar"), m_positionBox), 0, 0);
    grid->addWidget(MakeFieldPair(m_barEdit, m_barUpDown, m_positionBox), 0, 1);
    grid->addWidget(label(QStringLiteral("Tick"), m_positionBox), 0, 2);
    grid->addWidget(MakeFieldPair(m_tickEdit, m_tickUpDown, m_positionBox), 0, 3);
    grid->addWidget(label(QStringLiteral("End time"), m_positionBox), 1, 0);
    grid->addWidget(MakeFieldPair(m_endTimeEdit, m_endTimeUpDown, m_positionBox), 1, 1);
    grid->addWidget(label(QStringLiteral("ms"), m_positionBox), 1, 2);
}

void TPropForm::buildVolume() {
    m_volumeBox = new QGroupBox(QStringLiteral(" Volume "), this);
    m_volumeBox->setObjectName(QStringLiteral("VolumeBox"));
    auto* grid = new QGridLayout(m_volumeBox);
    m_volumeBar = horizontalBar(QStringLiteral("VolumeBar"), MaxPercent, m_volumeBox);
    auto* scale = new QHBoxLayout;
    const QStringList marks = {QStringLiteral("0 %"), QStringLiteral("25 %"),
                               QStringLiteral("50 %"), QStringLiteral("75 %"),
                               QStringLiteral("100 %")};
    for (int i = 0; i < marks.size(); ++i) {
        if (i > 0) {
            scale->addStretch();
        }
        scale->addWidget(label(marks[i], m_volumeBox));
    }
    m_volumeEdit = new TNumberEdit(QStringLiteral("VolumeEdit"), 0, m_volumeBox);
    m_volumeUpDown = new TUpDown(QStringLiteral("VolumeUpDown"), 0, MaxPercent, m_volumeBox);
    m_defaultVolumeButton =
        button(QStringLiteral("DefaultVolumeButton"), QStringLiteral("Default"), m_volumeBox);
    grid->addWidget(m_volumeBar, 0, 0);
    grid->addLayout(scale, 1, 0);
    grid->addWidget(MakeFieldPair(m_volumeEdit, m_volumeUpDown, m_volumeBox), 0, 1);
    grid->addWidget(label(QStringLiteral("%"), m_volumeBox), 0, 2);
    grid->addWidget(m_defaultVolumeButton, 1, 1, 1, 2);
}

void TPropForm::buildPanning() {
    m_panningBox = new QGroupBox(QStringLiteral(" Panning "), this);
    m_panningBox->setObjectName(QStringLiteral("PanningBox"));
    auto* grid = new QGridLayout(m_panningBox);
    m_panningBar = horizontalBar(QStringLiteral("PanningBar"), MaxPercent, m_panningBox);
    auto* scale = new QHBoxLayout;
    scale->addWidget(label(QStringLiteral("Left"), m_panningBox));
    scale->addStretch();
    scale->addWidget(label(QStringLiteral("Center"), m_panningBox));
    scale->addStretch();
    scale->addWidget(label(QStringLiteral("Right"), m_panningBox));
    m_panningLeftEdit = new TNumberEdit(QStringLiteral("PanningLeftEdit"), 3, m_panningBox);
    m_panningLeftUpDown =
        new TUpDown(QStringLiteral("PanningLeftUpDown"), 0, MaxPercent, m_panningBox);
    m_panningRightEdit = new TNumberEdit(QStringLiteral("PanningRightEdit"), 3, m_panningBox);
    m_panningRightUpDown =
        new TUpDown(QStringLiteral("PanningRightUpDown"), 0, MaxPercent, m_panningBox);
    m_panningCenterButton =
        button(QStringLiteral("PanningCenterButton"), QStringLiteral("Center"), m_panningBox);
    m_defaultPanningButton =
        button(QStringLiteral("DefaultPanningButton"), QStringLiteral("Default"), m_panningBox);

    auto* fields = new QHBoxLayout;
    fields->addWidget(label(QStringLiteral("Left"), m_panningBox));
    fields->addWidget(MakeFieldPair(m_panningLeftEdit, m_panningLeftUpDown, m_panningBox));
    fields->addWidget(label(QStringLiteral("%"), m_panningBox));
    fields->addStretch();
    fields->addWidget(label(QStringLiteral("Right"), m_panningBox));
    fields->addWidget(MakeFieldPair(m_panningRightEdit, m_panningRightUpDown, m_panningBox));
    fields->addWidget(label(QStringLiteral("%"), m_panningBox));
    grid->addWidget(m_panningBar, 0, 0);
    grid->addLayout(scale, 1, 0);
    grid->addLayout(fields, 2, 0);
    grid->addWidget(m_panningCenterButton, 0, 1);
    grid->addWidget(m_defaultPanningButton, 2, 1);
}

void TPropForm::buildFades() {
    m_fadeOutGroupBox = new QGroupBox(QStringLiteral(" Fade out "), this);
    m_fadeOutGroupBox->setObjectName(QStringLiteral("FadeOutGroupBox"));
    auto* grid = new QGridLayout(m_fadeOutGroupBox);
    m_beforeFadeOutBar =
        horizontalBar(QStringLiteral("BeforeFadeOutBar"), MaxBeforeFadeOut, m_fadeOutGroupBox);
    m_beforeFadeOutEdit =
        new TNumberEdit(QStringLiteral("BeforeFadeOutEdit"), 4, m_fadeOutGroupBox);
    m_beforeFadeOutUpDown =
        new TUpDown(QStringLiteral("BeforeFadeOutUpDown"), 0, MaxBeforeFadeOut, m_fadeOutGroupBox);
    m_beforeFadeOutUpDown->SetIncrement(FadeArrowStep);
    m_fadeOutBar = horizontalBar(QStringLiteral("FadeOutBar"), MaxFadeOut, m_fadeOutGroupBox);
    m_fadeOutEdit = new TNumberEdit(QStringLiteral("FadeOutEdit"), 5, m_fadeOutGroupBox);
    m_fadeOutUpDown =
        new TUpDown(QStringLiteral("FadeOutUpDown"), 0, MaxFadeOut, m_fadeOutGroupBox);
    m_fadeOutUpDown->SetIncrement(FadeArrowStep);
    m_defaultFadeButton =
        button(QStringLiteral("DefaultFadeButton"), QStringLiteral("Default"), m_fadeOutGroupBox);

    grid->addWidget(label(QStringLiteral("Time interval before fade off"), m_fadeOutGroupBox), 0,
                    0);
    grid->addWidget(m_beforeFadeOutBar, 1, 0);
    grid->addWidget(MakeFieldPair(m_beforeFadeOutEdit, m_beforeFadeOutUpDown, m_fadeOutGroupBox), 1,
                    1);
    grid->addWidget(label(QStringLiteral("ms"), m_fadeOutGroupBox), 1, 2);
    grid->addWidget(label(QStringLiteral("Fade off time interval "), m_fadeOutGroupBox), 2, 0);
    grid->addWidget(m_fadeOutBar, 3, 0);
    grid->addWidget(MakeFieldPair(m_fadeOutEdit, m_fadeOutUpDown, m_fadeOutGroupBox), 3, 1);
    grid->addWidget(label(QStringLiteral("ms"), m_fadeOutGroupBox), 3, 2);
    grid->addWidget(m_defaultFadeButton, 4, 1, 1, 2);
}

void TPropForm::connectMirroring() {
    // Volume and fades: a bar and its up-down follow each other; the bar's
    // change is not passed on while Setup fills both.
    const auto pairBar = [this](QScrollBar* bar, TUpDown* upDown) {
        connect(bar, &QScrollBar::valueChanged, this, [this, upDown](int value) {
            if (!m_updating) {
                upDown->SetPosition(value);
            }
        });
        connect(upDown, &TUpDown::clicked, this,
                [bar, upDown] { bar->setValue(upDown->Position()); });
        connect(upDown, &TUpDown::edited, this, [bar, upDown] {
            if (DigitsValue(upDown->Associate()->text())) {
                bar->setValue(upDown->Position());
            }
        });
    };
    pairBar(m_volumeBar, m_volumeUpDown);
    pairBar(m_beforeFadeOutBar, m_beforeFadeOutUpDown);
    pairBar(m_fadeOutBar, m_fadeOutUpDown);

    // Panning: the bar is the left share, the right field its complement.
    connect(m_panningBar, &QScrollBar::valueChanged, this, [this](int value) {
        m_panningLeftUpDown->SetPosition(value);
        m_panningRightUpDown->SetPosition(MaxPercent - m_panningLeftUpDown->Position());
    });
    const auto fromLeft = [this] { setPanningFromLeft(m_panningLeftUpDown->Position()); };
    const auto fromRight = [this] {
        setPanningFromLeft(MaxPercent - m_panningRightUpDown->Position());
    };
    connect(m_panningLeftUpDown, &TUpDown::clicked, this, fromLeft);
    connect(m_panningRightUpDown, &TUpDown::clicked, this, fromRight);
    connect(m_panningLeftUpDown, &TUpDown::edited, this, [this, fromLeft] {
        if (DigitsValue(m_panningLeftEdit->text())) {
            fromLeft();
        }
    });
    connect(m_panningRightUpDown, &TUpDown::edited, this, [this, fromRight] {
        if (DigitsValue(m_panningRightEdit->text())) {
            fromRight();
        }
    });
    connect(m_panningCenterButton, &QPushButton::clicked, this,
            [this] { m_panningBar->setValue(50); });

    connect(m_defaultVolumeButton, &QPushButton::clicked, this, [this] {
        if (m_sample != nullptr) {
            m_volumeBar->setValue(std::clamp(m_sample->Volume, 0, MaxPercent));
        }
    });
    connect(m_defaultPanningButton, &QPushButton::clicked, this, [this] {
        if (m_sample != nullptr) {
            m_panningBar->setValue((m_sample->Panning + 100) / 2);
        }
    });
    connect(m_defaultFadeButton, &QPushButton::clicked, this, [this] {
        if (m_sample != nullptr) {
            m_beforeFadeOutBar->setValue(m_sample->FadeTillTime);
            m_fadeOutBar->setValue(m_sample->FadeOutTime);
        }
    });
}

void TPropForm::setPanningFromLeft(int left) {
    // Set here as well as through the bar: the bar does not signal when its
    // value stays, and the fields must still agree.
    m_panningLeftUpDown->SetPosition(left);
    m_panningRightUpDown->SetPosition(MaxPercent - m_panningLeftUpDown->Position());
    m_panningBar->setValue(m_panningLeftUpDown->Position());
}

void TPropForm::Setup(const TDRHit& hit, const TDrumsetItem* sample, bool several) {
    m_confirmed = false;
    m_updating = true;

    m_positionBox->setEnabled(!several);
    m_volumeBox->setEnabled(true);
    m_panningBox->setEnabled(true);
    m_fadeOutGroupBox->setEnabled(true);

    if (several) {
        m_barUpDown->SetPosition(0);
        m_tickUpDown->SetPosition(0);
        m_endTimeUpDown->SetRange(0, 0);
        m_endTimeUpDown->SetPosition(0);
    } else {
        m_barUpDown->SetPosition(hit.StartBar);
        // A sample that measured 0 ms still gets a valid range.
        m_endTimeUpDown->SetRange(1, std::max(1, hit.LengthMs));
        m_tickUpDown->SetPosition(hit.StartTick);
        m_endTimeUpDown->SetPosition(hit.FixedLength > 0 ? hit.FixedLength : hit.LengthMs);
    }

    m_volumeBar->setValue(hit.Volume);
    m_volumeUpDown->SetPosition(hit.Volume);
    m_panningBar->setValue((hit.Panning + 100) / 2);
    m_panningLeftUpDown->SetPosition(m_panningBar->value());
    m_panningRightUpDown->SetPosition(MaxPercent - m_panningLeftUpDown->Position());
    m_beforeFadeOutBar->setValue(hit.FadeTill);
    m_beforeFadeOutUpDown->SetPosition(hit.FadeTill);
    m_fadeOutBar->setValue(hit.FadeOut);
    m_fadeOutUpDown->SetPosition(hit.FadeOut);

    m_sample = sample;
    m_endTimeEdit->setText(QString::number(m_endTimeUpDown->Position()));
    m_updating = false;
}

int TPropForm::resultOf(const TUpDown& upDown) {
    return upDown.isEnabled() ? upDown.Position() : -1;
}

TPropResults TPropForm::Results() const {
    TPropResults r;
    r.Bar = resultOf(*m_barUpDown);
    r.Tick = resultOf(*m_tickUpDown);
    r.EndTime = resultOf(*m_endTimeUpDown);
    r.Volume = resultOf(*m_volumeUpDown);
    r.Panning = m_panningLeftUpDown->Position() * 2 - 100;
    r.BeforeFadeOut = resultOf(*m_beforeFadeOutUpDown);
    r.FadeOut = resultOf(*m_fadeOutUpDown);
    return r;
}

void TPropForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    CentreOnParent(*this);
}
