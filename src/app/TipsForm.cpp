#include "app/TipsForm.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRandomGenerator>
#include <QVBoxLayout>

TTipsForm::TTipsForm(QStringList tips, QWidget* parent) : QDialog(parent), m_tips(std::move(tips)) {
    setObjectName(QStringLiteral("TipsForm"));
    setWindowTitle(QStringLiteral("Tips and Tricks"));

    auto* heading = new QLabel(QStringLiteral("Did you know..."), this);
    heading->setObjectName(QStringLiteral("HeadingLabel"));
    QFont headingFont = heading->font();
    headingFont.setBold(true);
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.4);
    heading->setFont(headingFont);

    auto* frame = new QFrame(this);
    frame->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    frame->setAutoFillBackground(true);
    frame->setBackgroundRole(QPalette::Base);
    m_tip = new QLabel(frame);
    m_tip->setObjectName(QStringLiteral("TipLabel"));
    m_tip->setWordWrap(true);
    m_tip->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_tip->setMinimumSize(360, 110);
    auto* frameLayout = new QVBoxLayout(frame);
    frameLayout->addWidget(m_tip);

    m_showOnStartup = new QCheckBox(QStringLiteral("&show tips on startup"), this);
    m_showOnStartup->setObjectName(QStringLiteral("ShowTipsCheckBox"));
    m_next = new QPushButton(QStringLiteral("&Next Tip"), this);
    m_next->setObjectName(QStringLiteral("NextTipButton"));
    auto* close = new QPushButton(QStringLiteral("&Close"), this);
    close->setObjectName(QStringLiteral("CloseButton"));
    close->setDefault(true);
    connect(m_next, &QPushButton::clicked, this, &TTipsForm::nextTip);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_showOnStartup);
    buttons->addStretch();
    buttons->addWidget(m_next);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(frame, 1);
    layout->addLayout(buttons);

    m_next->setEnabled(m_tips.size() > 1);
    if (!m_tips.isEmpty()) {
        m_index = QRandomGenerator::global()->bounded(m_tips.size());
    }
    showTip();
}

bool TTipsForm::showOnStartup() const {
    return m_showOnStartup->isChecked();
}

void TTipsForm::setShowOnStartup(bool on) {
    m_showOnStartup->setChecked(on);
}

QString TTipsForm::currentTip() const {
    return m_tips.isEmpty() ? QString() : m_tips.at(m_index);
}

void TTipsForm::nextTip() {
    if (!m_tips.isEmpty()) {
        m_index = (m_index + 1) % m_tips.size();
    }
    showTip();
}

void TTipsForm::showTip() {
    m_tip->setText(currentTip());
}
