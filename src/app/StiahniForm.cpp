#include "app/StiahniForm.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

QSpinBox* numberField(QWidget* parent, const char* name, int minimum, int maximum) {
    auto* field = new QSpinBox(parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setRange(minimum, maximum);
    field->setValue(0);
    return field;
}

} // namespace

TStiahniForm::TStiahniForm(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("StiahniForm"));
    setWindowTitle(QStringLiteral("Stiahni hits"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    m_startBar = numberField(this, "StartBarEdit", 0, 999999);
    m_endBar = numberField(this, "EndBarEdit", 0, 999);
    m_ticks = numberField(this, "TicksEdit", -10000, 10000);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Start bar"), m_startBar);
    form->addRow(QStringLiteral("End bar"), m_endBar);
    form->addRow(QStringLiteral("Ticks"), m_ticks);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

int32_t TStiahniForm::StartBar() const {
    return m_startBar->value();
}

int32_t TStiahniForm::EndBar() const {
    return m_endBar->value();
}

int32_t TStiahniForm::Ticks() const {
    return m_ticks->value();
}
