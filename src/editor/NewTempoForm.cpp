#include "editor/NewTempoForm.h"

#include "editor/DialogFields.h"
#include "model/SongTypes.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int MaxBar = 999999;
constexpr int MaxTick = 999;
constexpr int MinTempo = 1;
constexpr int MaxTempo = 10000;

} // namespace

TNewTempoForm::TNewTempoForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("NewTempoForm"));
    setWindowTitle(QStringLiteral("Tempo"));
    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox(QStringLiteral(" Tempo parameters "), this);
    auto* grid = new QGridLayout(group);
    m_barEdit = new TNumberEdit(QStringLiteral("BarEdit"), 6, group);
    m_barUpDown = new TUpDown(QStringLiteral("BarUpDown"), 0, MaxBar, group);
    m_tickEdit = new TNumberEdit(QStringLiteral("TickEdit"), 3, group);
    m_tickUpDown = new TUpDown(QStringLiteral("TickUpDown"), 0, MaxTick, group);
    m_tempoValueEdit = new TNumberEdit(QStringLiteral("TempoValueEdit"), 10, group);
    m_tempoValueUpDown = new TUpDown(QStringLiteral("TempoValueUpDown"), MinTempo, MaxTempo, group);
    grid->addWidget(new QLabel(QStringLiteral("Bar"), group), 0, 0);
    grid->addWidget(MakeFieldPair(m_barEdit, m_barUpDown, group), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Tick"), group), 1, 0);
    grid->addWidget(MakeFieldPair(m_tickEdit, m_tickUpDown, group), 1, 1);
    grid->addWidget(new QLabel(QStringLiteral("Tempo"), group), 2, 0);
    grid->addWidget(MakeFieldPair(m_tempoValueEdit, m_tempoValueUpDown, group), 2, 1);
    layout->addWidget(group);

    auto* ok = new QPushButton(QStringLiteral("&OK"), this);
    ok->setObjectName(QStringLiteral("BitBtn1"));
    ok->setDefault(true);
    auto* cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel->setObjectName(QStringLiteral("BitBtn2"));
    cancel->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, [this] {
        m_confirmed = true;
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    SetDialogFrame(*this);
}

void TNewTempoForm::Setup(const TDRTempo& change) {
    m_confirmed = false;
    m_barUpDown->SetPosition(change.Bar);
    m_tickUpDown->SetPosition(change.Tick);
    m_tempoValueUpDown->SetPosition(change.Tempo);
}

void TNewTempoForm::Results(TDRTempo& change) const {
    change.Bar = m_barUpDown->Position();
    change.Tick = m_tickUpDown->Position();
    change.Tempo = m_tempoValueUpDown->Position();
}

void TNewTempoForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    CentreOnParent(*this);
    if (m_tempoValueEdit->isEnabled()) {
        m_tempoValueEdit->setFocus();
        m_tempoValueEdit->selectAll();
    }
}
